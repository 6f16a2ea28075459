// Voices summed frame by frame, then the master volume and the limiter: a gain that follows the
// loudest recent sum within milliseconds and lets go over a quarter of a second, so a storm of
// blasts comes out as a roar at a steady level, and after it a bend of each sample under the
// ceiling for the rises quicker than that. Placement in the view is here too.
#include "front/mixer.hpp"

#include "app/window.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wh::front {

namespace {

constexpr double kAttackSeconds = 0.005;
constexpr double kReleaseSeconds = 0.25;
constexpr float kFullScale = std::numeric_limits<int16_t>::max();
constexpr float kHalfPi = 1.5707963F;

constexpr float kViewW = kClientWidthTwips;
constexpr float kViewH = kClientHeightTwips;
// Past this many twips outside the view a sound is not heard at all.
constexpr float kFadeReach = kClientWidthTwips;

// How far v lies outside [0, size]; 0 inside.
float outside(float v, float size) {
    if (v < 0) {
        return -v;
    }
    return v > size ? v - size : 0;
}

} // namespace

float softLimit(float level) {
    if (level <= kLimiterKnee) {
        return level;
    }
    const float room = kLimiterCeiling - kLimiterKnee;
    return kLimiterKnee + room * std::tanh((level - kLimiterKnee) / room);
}

namespace {

// A sample bent under the ceiling on either side, in 16 bits.
int16_t toSample(float v) {
    const float bent = v < 0 ? -softLimit(-v) : softLimit(v);
    return static_cast<int16_t>(std::lround(bent * kFullScale));
}

} // namespace

Placement placeInView(int32_t x, int32_t y, float left, float top) {
    // The view shows playfield twips from -left to -left + the view's width.
    const float vx = static_cast<float>(x) + left;
    const float vy = static_cast<float>(y) + top;
    const float pan = std::clamp((vx - kViewW / 2) / (kViewW / 2), -1.0F, 1.0F);
    const float away = std::hypot(outside(vx, kViewW), outside(vy, kViewH));
    if (!(away < kFadeReach)) {
        return {0, pan};
    }
    const float near = 1 - away / kFadeReach;
    return {near * near, pan};
}

Mixer::Mixer(int sampleRate)
    : attack_(static_cast<float>(1 - std::exp(-1 / (kAttackSeconds * sampleRate)))),
      release_(static_cast<float>(std::exp(-1 / (kReleaseSeconds * sampleRate)))) {}

float Mixer::loudness(const Voice& v) {
    const float left = static_cast<float>(v.samples.size() - v.at);
    return v.gain * left / static_cast<float>(v.samples.size());
}

bool Mixer::play(std::span<const float> samples, float gain, float pan) {
    if (samples.empty() || !(gain > 0)) {
        return false;
    }
    Voice* slot = nullptr;
    for (Voice& v : voices_) {
        if (v.samples.empty()) {
            slot = &v;
            break;
        }
    }
    if (slot == nullptr) {
        slot =
            &*std::min_element(voices_.begin(), voices_.end(), [](const Voice& a, const Voice& b) {
                return loudness(a) < loudness(b);
            });
        if (loudness(*slot) >= gain) {
            ++refused_;
            return false;
        }
        ++stolen_;
    }
    // Equal power: a sound keeps its loudness as it crosses from one side to the other.
    const float angle = (std::clamp(pan, -1.0F, 1.0F) + 1) * kHalfPi / 2;
    *slot = Voice{samples, 0, gain, gain * std::cos(angle), gain * std::sin(angle)};
    ++started_;
    return true;
}

void Mixer::mix(std::span<int16_t> stereo) {
    for (size_t f = 0; f + 1 < stereo.size(); f += 2) {
        float l = 0;
        float r = 0;
        for (Voice& v : voices_) {
            if (v.samples.empty()) {
                continue;
            }
            const float s = v.samples[v.at];
            l += s * v.left;
            r += s * v.right;
            if (++v.at == v.samples.size()) {
                v = Voice{};
            }
        }
        l *= master_;
        r *= master_;
        const float level = std::max(std::abs(l), std::abs(r));
        envelope_ = level > envelope_ ? envelope_ + attack_ * (level - envelope_)
                                      : level + release_ * (envelope_ - level);
        const float gain = envelope_ > kLimiterKnee ? softLimit(envelope_) / envelope_ : 1;
        stereo[f] = toSample(l * gain);
        stereo[f + 1] = toSample(r * gain);
        ++framesMixed_;
    }
}

int Mixer::voicesPlaying() const {
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(),
                                          [](const Voice& v) { return !v.samples.empty(); }));
}

} // namespace wh::front
