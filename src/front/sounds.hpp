// The game's sound effects, synthesized at start-up from a table of recipes: a shot for each
// weapon, a bomb's burst, blasts that grow heavier with their size, a bullet's hit, a crater
// burning, a drop, a paint dab and the beep. Nothing is recorded or read from a file.
#pragma once

#include "app/soundevents.hpp"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace wh::front {

enum class Effect : uint8_t {
    bulletShot, // the shots, in the order of the weapons, 1 to kWeaponCount
    liquidShot,
    fireShot,
    bombShot,
    bulletbombShot,
    bigbombShot,
    missleShot,
    multibombShot,
    timebombShot,
    nukeShot,
    proxbombShot,
    burst,
    smallBlast,  // a homer's
    mediumBlast, // a bigbomb's or proxbomb's
    largeBlast,  // a missile's or a crater's
    hugeBlast,   // a nuke's
    hit,
    crater,
    drop,
    dab,
    beep,
};
inline constexpr int kEffectCount = static_cast<int>(Effect::beep) + 1;

// The effect a sound event is heard as.
Effect effectOf(const SoundEvent& e);

// Every effect as mono samples from -1 to 1 at one rate, made once.
class SoundBank {
public:
    explicit SoundBank(int sampleRate);

    std::span<const float> samples(Effect e) const { return sounds_[index(e)]; }
    // The shortest time, in frames, between two starts of the effect: a beep that comes every
    // pass is one steady tone, not a stack of them.
    int64_t retriggerFrames(Effect e) const { return retrigger_[index(e)]; }
    int sampleRate() const { return rate_; }

private:
    static size_t index(Effect e) { return static_cast<size_t>(e); }

    int rate_;
    std::array<std::vector<float>, kEffectCount> sounds_;
    std::array<int64_t, kEffectCount> retrigger_{};
};

} // namespace wh::front
