// A pass's events joined into cues before they reach the mixer: a crater's blast and its
// neighbours', or a storm of bombs landing together, would otherwise take every voice with copies
// of one sound. Loudness adds up as power does, up to a bound, and the limiter does the rest.
#include "front/soundscape.hpp"

#include <algorithm>
#include <cmath>

namespace wh::front {

namespace {

// Events of one effect closer than this in pan are heard as one.
constexpr float kJoinPan = 0.25F;
// However many join, the cue is at most this loud.
constexpr float kMostJoinedGain = 2;
constexpr int kMostCues = Mixer::kMaxVoices;

struct Cue {
    Effect effect = Effect::beep;
    float gain = 0;
    float pan = 0;
};

} // namespace

Soundscape::Soundscape(int sampleRate) : bank_(sampleRate), mixer_(sampleRate) {
    applyVolume();
}

void Soundscape::hear(std::span<const SoundEvent> events, float left, float top) {
    std::array<Cue, kMostCues> cues{};
    int count = 0;
    for (const SoundEvent& e : events) {
        const Placement at = placeInView(e.x, e.y, left, top);
        if (!(at.gain > 0)) {
            continue;
        }
        const Effect effect = effectOf(e);
        Cue* cue = std::find_if(cues.begin(), cues.begin() + count, [&](const Cue& c) {
            return c.effect == effect && std::abs(c.pan - at.pan) < kJoinPan;
        });
        if (cue != cues.begin() + count) {
            cue->pan = (cue->pan * cue->gain + at.pan * at.gain) / (cue->gain + at.gain);
            cue->gain = std::min(kMostJoinedGain, std::hypot(cue->gain, at.gain));
            continue;
        }
        if (count < kMostCues) {
            cues[static_cast<size_t>(count++)] = Cue{effect, at.gain, at.pan};
            continue;
        }
        Cue* quietest = std::min_element(
            cues.begin(), cues.end(), [](const Cue& a, const Cue& b) { return a.gain < b.gain; });
        if (quietest->gain < at.gain) {
            *quietest = Cue{effect, at.gain, at.pan};
        }
    }
    const uint64_t now = mixer_.framesMixed();
    for (int i = 0; i < count; ++i) {
        const Cue& c = cues[static_cast<size_t>(i)];
        const auto k = static_cast<size_t>(c.effect);
        if (started_[k] &&
            now - lastStart_[k] < static_cast<uint64_t>(bank_.retriggerFrames(c.effect))) {
            continue;
        }
        if (mixer_.play(bank_.samples(c.effect), c.gain, c.pan)) {
            started_[k] = true;
            lastStart_[k] = now;
        }
    }
}

void Soundscape::setVolume(int percent) {
    volume_ = std::clamp(percent, 0, kMaxVolume);
    applyVolume();
}

void Soundscape::setMuted(bool muted) {
    muted_ = muted;
    applyVolume();
}

void Soundscape::applyVolume() {
    mixer_.setMasterGain(muted_ ? 0 : static_cast<float>(volume_) / kMaxVolume);
}

} // namespace wh::front
