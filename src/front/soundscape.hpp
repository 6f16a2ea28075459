// What the player hears of each pass: the world's sound events become effects placed by the view,
// those of one effect at one place in one pass join into a single louder voice, and effects that
// must not stack wait out their time; the volume and the mute. Plain C++, testable without SDL.
#pragma once

#include "app/soundevents.hpp"
#include "front/mixer.hpp"
#include "front/sounds.hpp"

#include <array>
#include <cstdint>
#include <span>

namespace wh::front {

inline constexpr int kMaxVolume = 100;

class Soundscape {
public:
    explicit Soundscape(int sampleRate);

    // One pass's events, heard from the view at the playfield's Left and Top.
    void hear(std::span<const SoundEvent> events, float left, float top);
    // The next frames, interleaved left and right.
    void render(std::span<int16_t> stereo) { mixer_.mix(stereo); }

    // 0 to kMaxVolume; anything outside is taken to the nearest end.
    void setVolume(int percent);
    int volume() const { return volume_; }
    // Muted, voices run on unheard, so unmuting does not bring back sounds long over.
    void setMuted(bool muted);
    bool muted() const { return muted_; }

    const Mixer& mixer() const { return mixer_; }
    const SoundBank& bank() const { return bank_; }

private:
    void applyVolume();

    SoundBank bank_;
    Mixer mixer_;
    std::array<uint64_t, kEffectCount> lastStart_{}; // mixer frames, at each effect's last start
    std::array<bool, kEffectCount> started_{};
    int volume_ = kMaxVolume;
    bool muted_ = false;
};

} // namespace wh::front
