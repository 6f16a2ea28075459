// The effects' recipes and the one synthesizer that follows them: a swept tone, noise through a
// swept low-pass, a deep falling rumble and crackle, under an envelope that rises quickly and
// dies away, scaled to the recipe's peak. The noise comes from a fixed generator, so the bank
// is the same at every start.
#include "front/sounds.hpp"

#include "vehicle/vehicle.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace wh::front {

namespace {

enum class Wave : uint8_t { sine, square };

struct Recipe {
    Effect effect;
    double millis = 100;        // length
    double attackMillis = 2;    // from silence to full
    double decayPower = 2;      // the envelope then falls as (1 - t / length) to this power
    double releaseMillis = 3;   // and fades out over the last of it, whatever the power
    Wave wave = Wave::sine;     // the tone's shape
    double toneFromHz = 0;      // the tone sweeps from this pitch...
    double toneToHz = 0;        // ...to this one
    double tone = 0;            // the tone's share
    double noise = 0;           // the noise's share
    double brightFromHz = 4000; // the noise's low-pass corner sweeps from here...
    double brightToHz = 4000;   // ...to here: a falling corner is a boom dying into a rumble
    double rumbleHz = 0;        // a deep sine that falls an octave, under the big blasts
    double rumble = 0;          // its share
    double cracklePerMs = 0;    // the chance of a snap each millisecond
    double peak = 0.5;          // the loudest sample, full scale 1
    double retriggerMillis = 0; // the shortest time between two starts
};

constexpr Recipe kRecipes[] = {
    // The shots: a crack for the bullet, squirts for liquid and fire, thumps for the bombs,
    // heavier the bigger the bomb, a rising whoosh for the missile.
    {.effect = Effect::bulletShot,
     .millis = 45,
     .attackMillis = 1,
     .decayPower = 3,
     .wave = Wave::square,
     .toneFromHz = 900,
     .toneToHz = 300,
     .tone = 0.3,
     .noise = 1,
     .brightFromHz = 7000,
     .brightToHz = 2000,
     .peak = 0.32},
    {.effect = Effect::liquidShot,
     .millis = 70,
     .attackMillis = 8,
     .decayPower = 1.5,
     .toneFromHz = 320,
     .toneToHz = 160,
     .tone = 0.3,
     .noise = 1,
     .brightFromHz = 1600,
     .brightToHz = 700,
     .peak = 0.22},
    {.effect = Effect::fireShot,
     .millis = 80,
     .attackMillis = 12,
     .decayPower = 1.5,
     .noise = 1,
     .brightFromHz = 3200,
     .brightToHz = 1400,
     .cracklePerMs = 0.3,
     .peak = 0.22},
    {.effect = Effect::bombShot,
     .millis = 110,
     .attackMillis = 2,
     .toneFromHz = 180,
     .toneToHz = 70,
     .tone = 1,
     .noise = 0.5,
     .brightFromHz = 900,
     .brightToHz = 300,
     .peak = 0.42},
    {.effect = Effect::bulletbombShot,
     .millis = 110,
     .attackMillis = 2,
     .toneFromHz = 240,
     .toneToHz = 90,
     .tone = 1,
     .noise = 0.6,
     .brightFromHz = 1400,
     .brightToHz = 400,
     .peak = 0.42},
    {.effect = Effect::bigbombShot,
     .millis = 150,
     .attackMillis = 2,
     .toneFromHz = 150,
     .toneToHz = 55,
     .tone = 1,
     .noise = 0.5,
     .brightFromHz = 700,
     .brightToHz = 200,
     .peak = 0.48},
    {.effect = Effect::missleShot,
     .millis = 320,
     .attackMillis = 60,
     .decayPower = 1.2,
     .noise = 1,
     .brightFromHz = 900,
     .brightToHz = 4500,
     .peak = 0.38},
    {.effect = Effect::multibombShot,
     .millis = 130,
     .attackMillis = 2,
     .toneFromHz = 200,
     .toneToHz = 80,
     .tone = 1,
     .noise = 0.7,
     .brightFromHz = 1100,
     .brightToHz = 300,
     .peak = 0.45},
    {.effect = Effect::timebombShot,
     .millis = 90,
     .attackMillis = 1,
     .decayPower = 3,
     .wave = Wave::square,
     .toneFromHz = 700,
     .toneToHz = 620,
     .tone = 0.5,
     .noise = 0.3,
     .brightFromHz = 1500,
     .brightToHz = 800,
     .peak = 0.28},
    {.effect = Effect::nukeShot,
     .millis = 280,
     .attackMillis = 3,
     .decayPower = 1.6,
     .toneFromHz = 110,
     .toneToHz = 40,
     .tone = 1,
     .noise = 0.6,
     .brightFromHz = 500,
     .brightToHz = 150,
     .peak = 0.55},
    {.effect = Effect::proxbombShot,
     .millis = 100,
     .attackMillis = 2,
     .toneFromHz = 500,
     .toneToHz = 250,
     .tone = 1,
     .noise = 0.2,
     .brightFromHz = 1200,
     .brightToHz = 600,
     .peak = 0.34},
    // A bomb bursting into its rocks: soft, for the enemies' bombs burst all the time.
    {.effect = Effect::burst,
     .millis = 160,
     .attackMillis = 1,
     .decayPower = 2.5,
     .toneFromHz = 160,
     .toneToHz = 60,
     .tone = 0.6,
     .noise = 1,
     .brightFromHz = 2600,
     .brightToHz = 600,
     .peak = 0.3},
    // The blasts: each heavier than the last, longer, darker, with more rumble under it.
    {.effect = Effect::smallBlast,
     .millis = 350,
     .attackMillis = 2,
     .decayPower = 2.5,
     .noise = 1,
     .brightFromHz = 3000,
     .brightToHz = 400,
     .rumbleHz = 90,
     .rumble = 0.5,
     .peak = 0.55},
    {.effect = Effect::mediumBlast,
     .millis = 800,
     .attackMillis = 3,
     .decayPower = 2.2,
     .noise = 1,
     .brightFromHz = 1800,
     .brightToHz = 220,
     .rumbleHz = 65,
     .rumble = 0.8,
     .cracklePerMs = 0.1,
     .peak = 0.7},
    {.effect = Effect::largeBlast,
     .millis = 1400,
     .attackMillis = 4,
     .decayPower = 2,
     .noise = 1,
     .brightFromHz = 1200,
     .brightToHz = 140,
     .rumbleHz = 50,
     .rumble = 1,
     .cracklePerMs = 0.3,
     .peak = 0.85},
    {.effect = Effect::hugeBlast,
     .millis = 3000,
     .attackMillis = 8,
     .decayPower = 1.6,
     .noise = 1,
     .brightFromHz = 800,
     .brightToHz = 60,
     .rumbleHz = 38,
     .rumble = 1.4,
     .cracklePerMs = 0.5,
     .peak = 1},
    {.effect = Effect::hit,
     .millis = 35,
     .attackMillis = 1,
     .decayPower = 3,
     .noise = 1,
     .brightFromHz = 4000,
     .brightToHz = 1500,
     .peak = 0.2,
     .retriggerMillis = 16},
    {.effect = Effect::crater,
     .millis = 450,
     .attackMillis = 30,
     .decayPower = 1.5,
     .noise = 1,
     .brightFromHz = 2500,
     .brightToHz = 800,
     .cracklePerMs = 2,
     .peak = 0.4,
     .retriggerMillis = 50},
    {.effect = Effect::drop,
     .millis = 60,
     .attackMillis = 2,
     .toneFromHz = 600,
     .toneToHz = 300,
     .tone = 1,
     .peak = 0.22,
     .retriggerMillis = 30},
    {.effect = Effect::dab,
     .millis = 60,
     .attackMillis = 20,
     .decayPower = 1,
     .noise = 1,
     .brightFromHz = 2000,
     .brightToHz = 1500,
     .peak = 0.14,
     .retriggerMillis = 30},
    // The game's own beep: a 100 ms square wave at 880 Hz, never stacked on itself.
    {.effect = Effect::beep,
     .millis = 100,
     .attackMillis = 1,
     .decayPower = 0,
     .wave = Wave::square,
     .toneFromHz = 880,
     .toneToHz = 880,
     .tone = 1,
     .peak = 0.3,
     .retriggerMillis = 100},
};
static_assert(std::size(kRecipes) == kEffectCount, "a recipe for every effect");

constexpr int kSmallBlastMost = 60;   // fullcount: a homer's 50
constexpr int kMediumBlastMost = 150; // a bigbomb's 100, a proxbomb's 120
constexpr int kLargeBlastMost = 300;  // a missile's and a crater's 200; a nuke's 500 is past it

constexpr double kSnapMillis = 2;  // a crackle's snap dies away this fast
constexpr double kSnapShare = 0.7; // against the noise
constexpr uint32_t kNoiseSeed = 0x9e3779b9u;

// Xorshift32: small, and the same noise on every machine.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed != 0 ? seed : 1) {}
    double next() { // -1 to 1
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483647.5 - 1;
    }
    double unit() { return (next() + 1) / 2; } // 0 to 1

private:
    uint32_t state_;
};

double sweep(double from, double to, double u) {
    return from <= 0 || to <= 0 ? from : from * std::pow(to / from, u);
}

double wave(Wave w, double phase) {
    if (w == Wave::square) {
        return phase - std::floor(phase) < 0.5 ? 1 : -1;
    }
    return std::sin(2 * std::numbers::pi * phase);
}

std::vector<float> synthesize(const Recipe& r, int rate, uint32_t seed) {
    const auto n = static_cast<size_t>(r.millis * rate / 1000);
    std::vector<double> out(n);
    Noise noise(seed);
    double tonePhase = 0;
    double rumblePhase = 0;
    double low1 = 0; // two one-pole low-passes in a row: a steeper roll-off for the deep blasts
    double low2 = 0;
    double snap = 0;
    const double snapFade = std::exp(-1000 / (kSnapMillis * rate));
    const double snapChance = r.cracklePerMs * 1000 / rate;
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double u = static_cast<double>(i) / static_cast<double>(n);
        const double attack = std::min(1.0, t * 1000 / r.attackMillis);
        const double release = std::min(1.0, (r.millis - t * 1000) / r.releaseMillis);
        const double envelope = attack * release * std::pow(1 - u, r.decayPower);

        tonePhase += sweep(r.toneFromHz, r.toneToHz, u) / rate;
        rumblePhase += sweep(r.rumbleHz, r.rumbleHz / 2, u) / rate;
        const double corner = sweep(r.brightFromHz, r.brightToHz, u);
        const double a = 1 - std::exp(-2 * std::numbers::pi * corner / rate);
        low1 += a * (noise.next() - low1);
        low2 += a * (low1 - low2);
        snap *= snapFade;
        if (snapChance > 0 && noise.unit() < snapChance) {
            snap = noise.next();
        }
        const double s = r.tone * wave(r.wave, tonePhase) + r.noise * (low2 + kSnapShare * snap) +
                         r.rumble * std::sin(2 * std::numbers::pi * rumblePhase);
        out[i] = envelope * s;
    }
    double loudest = 0;
    for (const double s : out) {
        loudest = std::max(loudest, std::abs(s));
    }
    std::vector<float> scaled(n);
    const double scale = loudest > 0 ? r.peak / loudest : 0;
    for (size_t i = 0; i < n; ++i) {
        scaled[i] = static_cast<float>(out[i] * scale);
    }
    return scaled;
}

} // namespace

Effect effectOf(const SoundEvent& e) {
    switch (e.kind) {
    case SoundKind::shot:
        if (e.detail >= 1 && e.detail <= kWeaponCount) {
            return static_cast<Effect>(static_cast<int>(Effect::bulletShot) + e.detail - 1);
        }
        return Effect::bulletShot;
    case SoundKind::burst:
        return Effect::burst;
    case SoundKind::explosion:
        if (e.detail <= kSmallBlastMost) {
            return Effect::smallBlast;
        }
        if (e.detail <= kMediumBlastMost) {
            return Effect::mediumBlast;
        }
        return e.detail <= kLargeBlastMost ? Effect::largeBlast : Effect::hugeBlast;
    case SoundKind::hit:
        return Effect::hit;
    case SoundKind::crater:
        return Effect::crater;
    case SoundKind::drop:
        return Effect::drop;
    case SoundKind::paint:
        return Effect::dab;
    case SoundKind::beep:
        break;
    }
    return Effect::beep;
}

SoundBank::SoundBank(int sampleRate) : rate_(sampleRate) {
    for (const Recipe& r : kRecipes) {
        const size_t i = index(r.effect);
        sounds_[i] = synthesize(r, rate_, kNoiseSeed + static_cast<uint32_t>(i));
        retrigger_[i] = static_cast<int64_t>(r.retriggerMillis * rate_ / 1000);
    }
}

} // namespace wh::front
