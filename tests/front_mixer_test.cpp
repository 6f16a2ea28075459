// The sound without a device: the effects made at start-up, the mixer's cap on voices and its
// limiter, panning across the view and fading outside it, and the soundscape joining a pass's
// events, spacing out beeps, and obeying the volume and the mute.
#include "front/mixer.hpp"
#include "front/sounds.hpp"
#include "front/soundscape.hpp"

#include "vehicle/vehicle.hpp"
#include "world/rock.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

namespace wh::front {
namespace {

constexpr int kRate = 48000;
constexpr float kFull = 32767;

// Interleaved stereo frames.
struct Frames {
    std::vector<int16_t> samples;
    explicit Frames(size_t frames) : samples(2 * frames) {}
    size_t frames() const { return samples.size() / 2; }
    int16_t at(size_t frame, int channel) const { return samples[2 * frame + channel]; }
    // Root mean square of one channel (0 left, 1 right) over frames [from, to), full scale 1.
    double rms(int channel, size_t from = 0, size_t to = SIZE_MAX) const {
        to = std::min(to, frames());
        double sum = 0;
        for (size_t f = from; f < to; ++f) {
            sum += static_cast<double>(at(f, channel)) * at(f, channel);
        }
        return to > from ? std::sqrt(sum / static_cast<double>(to - from)) / kFull : 0;
    }
    int peak() const {
        int p = 0;
        for (const int16_t s : samples) {
            p = std::max(p, std::abs(int{s}));
        }
        return p;
    }
    // One past the last frame that is not silent.
    size_t heardUntil() const {
        for (size_t f = frames(); f > 0; --f) {
            if (at(f - 1, 0) != 0 || at(f - 1, 1) != 0) {
                return f;
            }
        }
        return 0;
    }
};

Frames mixed(Mixer& m, size_t frames) {
    Frames out(frames);
    m.mix(out.samples);
    return out;
}

Frames rendered(Soundscape& s, size_t frames) {
    Frames out(frames);
    s.render(out.samples);
    return out;
}

size_t millis(double ms) {
    return static_cast<size_t>(ms * kRate / 1000);
}

// A steady tone of one level: what it sums to is easy to tell.
const std::vector<float> kSteady(millis(100), 0.25F);

TEST(Mixer, PlaysAtMostItsVoicesAndKeepsTheLoudest) {
    constexpr int kSounds = 300;
    // Quiet enough that even every voice together stays under the limiter's knee.
    const std::vector<float> quiet(millis(100), 0.02F);
    Mixer storm(kRate);
    std::vector<float> gains;
    for (int k = 0; k < kSounds; ++k) {
        // Gains in a scattered order, so the loudest do not simply come last.
        gains.push_back(static_cast<float>((k * 37) % kSounds + 1) / kSounds);
        storm.play(quiet, gains.back(), 0);
        ASSERT_LE(storm.voicesPlaying(), Mixer::kMaxVoices);
    }
    EXPECT_EQ(storm.voicesPlaying(), Mixer::kMaxVoices);
    EXPECT_EQ(storm.refused() + storm.stolen(), static_cast<uint64_t>(kSounds - Mixer::kMaxVoices));
    EXPECT_EQ(storm.started(), Mixer::kMaxVoices + storm.stolen());
    // What sounds is the loudest voices, and only them, each at the centre's share of its gain.
    std::sort(gains.begin(), gains.end(), std::greater<>());
    double loudest = 0;
    for (int k = 0; k < Mixer::kMaxVoices; ++k) {
        loudest += gains[static_cast<size_t>(k)];
    }
    const Frames out = mixed(storm, millis(50));
    EXPECT_NEAR(out.rms(0), 0.02 * std::sqrt(0.5) * loudest, 1e-4);
    EXPECT_NEAR(out.rms(1), 0.02 * std::sqrt(0.5) * loudest, 1e-4);
}

TEST(Mixer, AStormOfBlastsIsARoarUnderFullScale) {
    const SoundBank bank(kRate);
    Mixer m(kRate);
    for (int k = 0; k < 300; ++k) {
        m.play(bank.samples(Effect::hugeBlast), 2, static_cast<float>(k % 21 - 10) / 10);
        m.play(bank.samples(Effect::largeBlast), 2, static_cast<float>(k % 7 - 3) / 3);
    }
    const Frames out = mixed(m, millis(2000));
    EXPECT_LE(out.peak(), static_cast<int>(kLimiterCeiling * kFull) + 1);
    // Loud, but not a wall pressed against the ceiling: hardly a sample comes near it.
    EXPECT_GT(out.rms(0, 0, millis(500)), 0.2);
    EXPECT_GT(out.rms(1, 0, millis(500)), 0.2);
    size_t nearCeiling = 0;
    for (const int16_t s : out.samples) {
        nearCeiling += std::abs(int{s}) >= static_cast<int>(0.9 * kFull) ? 1 : 0;
    }
    EXPECT_LT(nearCeiling, out.samples.size() / 100);
}

TEST(Mixer, TheLimiterBendsOnlyAboveItsKnee) {
    for (const float level : {0.0F, 0.25F, kLimiterKnee}) {
        EXPECT_FLOAT_EQ(softLimit(level), level);
    }
    float last = kLimiterKnee;
    for (const float level : {0.6F, 1.0F, 2.0F, 10.0F, 1000.0F}) {
        EXPECT_GE(softLimit(level), last) << level;
        EXPECT_LE(softLimit(level), kLimiterCeiling) << level;
        EXPECT_LT(softLimit(level), level) << level;
        last = softLimit(level);
    }
    EXPECT_GT(softLimit(0.6F), kLimiterKnee);
    EXPECT_LT(softLimit(1.0F), kLimiterCeiling);
}

TEST(Mixer, PansBetweenTheChannelsAtEqualPower) {
    struct Case {
        float pan;
        double left; // share of the gain each side gets
        double right;
    };
    const Case cases[] = {
        {-1, 1, 0}, {1, 0, 1}, {0, std::sqrt(0.5), std::sqrt(0.5)}, {-3, 1, 0}, {3, 0, 1}};
    for (const Case& c : cases) {
        Mixer m(kRate);
        ASSERT_TRUE(m.play(kSteady, 1, c.pan));
        const Frames out = mixed(m, 16);
        EXPECT_NEAR(out.rms(0), 0.25 * c.left, 1e-4) << c.pan;
        EXPECT_NEAR(out.rms(1), 0.25 * c.right, 1e-4) << c.pan;
    }
}

// The first frame mixed after a sound is started carries it: no waiting in the mixer.
TEST(Mixer, ASoundStartsInTheNextFrameMixed) {
    Mixer m(kRate);
    mixed(m, 100);
    m.play(kSteady, 1, 0);
    const Frames out = mixed(m, 1);
    EXPECT_NE(out.at(0, 0), 0);
    EXPECT_EQ(m.framesMixed(), 101u);
}

TEST(Placement, PansAcrossTheViewAndFadesOutsideIt) {
    // The playfield scrolled 3000 twips left and 300 up: the view shows x 3000 to 15000 and y 300
    // to 9300.
    constexpr float kLeft = -3000;
    constexpr float kTop = -300;
    struct Case {
        int32_t x, y;
        float gain, pan;
    };
    const Case cases[] = {
        {9000, 4000, 1, 0},           // the middle
        {3000, 4000, 1, -1},          // the left edge
        {6000, 300, 1, -0.5F},        // a quarter across, on the top edge
        {15000, 9300, 1, 1},          // the bottom right corner
        {21000, 4000, 0.25F, 1},      // half a view's width off to the right
        {-3000, 4000, 0.25F, -1},     // and to the left
        {9000, 300 - 6000, 0.25F, 0}, // above the view
        {27000, 4000, 0, 1},          // a whole view's width off: not heard
        {64000, 9000, 0, 1},
    };
    for (const Case& c : cases) {
        const Placement p = placeInView(c.x, c.y, kLeft, kTop);
        EXPECT_FLOAT_EQ(p.gain, c.gain) << c.x << "," << c.y;
        EXPECT_FLOAT_EQ(p.pan, c.pan) << c.x << "," << c.y;
    }
    // Fainter with every step away.
    float last = 1;
    for (int32_t x = 15000; x <= 27000; x += 1000) {
        const float gain = placeInView(x, 4000, kLeft, kTop).gain;
        EXPECT_LE(gain, last) << x;
        last = gain;
    }
}

TEST(Sounds, EveryWeaponHasItsOwnShot) {
    std::set<Effect> shots;
    for (int16_t w = 1; w <= kWeaponCount; ++w) {
        shots.insert(effectOf(SoundEvent{SoundKind::shot, w, 0, 0}));
    }
    EXPECT_EQ(shots.size(), static_cast<size_t>(kWeaponCount));
}

TEST(Sounds, BlastsGrowHeavierWithTheirSize) {
    struct Case {
        int16_t size;
        Effect effect;
    };
    const Case cases[] = {{50, Effect::smallBlast},
                          {100, Effect::mediumBlast},
                          {120, Effect::mediumBlast},
                          {200, Effect::largeBlast},
                          {500, Effect::hugeBlast}};
    for (const Case& c : cases) {
        EXPECT_EQ(effectOf(SoundEvent{SoundKind::explosion, c.size, 0, 0}), c.effect) << c.size;
    }
    // Each weight is longer, louder and deeper than the one before: more of it lies below
    // 150 Hz, by a low-pass there.
    const SoundBank bank(kRate);
    const double a = 1 - std::exp(-2 * 3.14159265 * 150 / kRate);
    size_t lastLength = 0;
    double lastPeak = 0;
    double lastLowShare = 0;
    for (const Effect e :
         {Effect::smallBlast, Effect::mediumBlast, Effect::largeBlast, Effect::hugeBlast}) {
        const std::span<const float> s = bank.samples(e);
        double low = 0;
        double lowEnergy = 0;
        double energy = 0;
        double peak = 0;
        for (const float v : s) {
            low += a * (v - low);
            lowEnergy += low * low;
            energy += double{v} * v;
            peak = std::max(peak, std::abs(double{v}));
        }
        EXPECT_GT(s.size(), lastLength);
        EXPECT_GT(peak, lastPeak);
        EXPECT_GT(lowEnergy / energy, lastLowShare);
        lastLength = s.size();
        lastPeak = peak;
        lastLowShare = lowEnergy / energy;
    }
}

TEST(Sounds, EveryEffectIsMadeWithinFullScaleAndEndsInSilence) {
    const SoundBank bank(kRate);
    for (int i = 0; i < kEffectCount; ++i) {
        const std::span<const float> s = bank.samples(static_cast<Effect>(i));
        ASSERT_GT(s.size(), millis(20)) << i;
        float peak = 0;
        for (const float v : s) {
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_GT(peak, 0.1F) << i;
        EXPECT_LE(peak, 1.0F) << i;
        EXPECT_LT(std::abs(s.back()), 0.01F) << i; // no click at the end
    }
}

SoundEvent event(SoundKind kind, int16_t detail, int32_t x, int32_t y = 4000) {
    return SoundEvent{kind, detail, x, y};
}

TEST(Soundscape, EventsOfOneEffectTogetherAreOneVoiceAndApartAreTwo) {
    struct Case {
        std::vector<SoundEvent> events;
        int voices;
    };
    const Case cases[] = {
        {std::vector<SoundEvent>(10, event(SoundKind::explosion, 200, 6000)), 1},
        {{event(SoundKind::explosion, 200, 500), event(SoundKind::explosion, 200, 11500)}, 2},
        {{event(SoundKind::explosion, 200, 6000), event(SoundKind::explosion, 500, 6000)}, 2},
        {{event(SoundKind::explosion, 200, 6000), event(SoundKind::hit, 0, 6000)}, 2},
        {{event(SoundKind::explosion, 500, 40000)}, 0}, // far off to the right
        {std::vector<SoundEvent>(SoundEvents::kCapacity, event(SoundKind::crater, 0, 2000)), 1},
    };
    for (const Case& c : cases) {
        Soundscape s(kRate);
        s.hear(c.events, 0, 0);
        EXPECT_EQ(s.mixer().voicesPlaying(), c.voices) << c.events.size() << " events";
    }
}

// The plasma beeps every pass while it has no target: the beep sounds and runs to its end before
// it starts again, one steady tone rather than a stack of them.
TEST(Soundscape, ABeepEveryPassIsOneToneNotAStack) {
    Soundscape s(kRate);
    const SoundEvent beep[] = {event(SoundKind::beep, 0, 6000)};
    const size_t pass = millis(16);
    constexpr int kPasses = 30;
    int most = 0;
    int starts = 0;
    for (int p = 0; p < kPasses; ++p) {
        const bool silent = s.mixer().voicesPlaying() == 0;
        s.hear(beep, 0, 0);
        starts += silent && s.mixer().voicesPlaying() == 1 ? 1 : 0;
        most = std::max(most, s.mixer().voicesPlaying());
        rendered(s, pass);
    }
    EXPECT_EQ(most, 1);
    const size_t passesPerBeep = (s.bank().samples(Effect::beep).size() + pass - 1) / pass;
    EXPECT_EQ(starts, static_cast<int>((kPasses + passesPerBeep - 1) / passesPerBeep));
}

TEST(Soundscape, TheVolumeScalesAndTheMuteSilences) {
    const SoundEvent shot[] = {event(SoundKind::shot, 1, 6000)};
    Soundscape full(kRate);
    Soundscape half(kRate);
    half.setVolume(50);
    full.hear(shot, 0, 0);
    half.hear(shot, 0, 0);
    const Frames a = rendered(full, millis(50));
    const Frames b = rendered(half, millis(50));
    ASSERT_GT(a.rms(0), 0.01);
    EXPECT_NEAR(b.rms(0), a.rms(0) / 2, 1e-3); // a lone shot stays under the limiter's knee

    Soundscape muted(kRate);
    muted.setMuted(true);
    muted.hear(shot, 0, 0);
    EXPECT_EQ(rendered(muted, millis(50)).peak(), 0);
    muted.setMuted(false); // what was muted is over, and stays unheard
    EXPECT_EQ(rendered(muted, millis(50)).peak(), 0);
    muted.hear(shot, 0, 0);
    EXPECT_GT(rendered(muted, millis(50)).peak(), 0);

    for (const auto& [asked, kept] : {std::pair{-5, 0}, std::pair{150, kMaxVolume}}) {
        Soundscape s(kRate);
        s.setVolume(asked);
        EXPECT_EQ(s.volume(), kept);
    }
}

} // namespace
} // namespace wh::front
