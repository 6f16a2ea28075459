// SoundEvents: what the world made heard since the front end last listened, kept beside the world
// rather than in it, so no rule reads it and the state hash leaves it out.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace wh {

enum class SoundKind : uint8_t {
    shot,      // the gun fired; detail: the weapon, 1 to kWeaponCount
    burst,     // a bomb burst into rocks; detail: the type of the rocks it burst into
    explosion, // an explosion started; detail: its fullcount, the size it grows to
    hit,       // a bullet stopped by the scenery
    crater,    // a fire burnt into pure red and blasted a crater
    drop,      // the left drag dropped a rock; detail: its type
    paint,     // the right drag painted a dab; detail: the paint mode
    beep,      // Beep, as counted in Game::beeps
};

struct SoundEvent {
    SoundKind kind = SoundKind::beep;
    int16_t detail = 0; // see SoundKind
    int32_t x = 0;      // playfield twips, where it happened
    int32_t y = 0;
};

// A fixed list: hearing never allocates, and a pass that makes more than it holds keeps the first
// ones and counts the rest.
class SoundEvents {
public:
    static constexpr int kCapacity = 256;

    void add(SoundKind kind, int16_t detail, int32_t x, int32_t y) {
        if (count_ == kCapacity) {
            ++missed_;
            return;
        }
        events_[static_cast<size_t>(count_++)] = SoundEvent{kind, detail, x, y};
    }
    std::span<const SoundEvent> events() const {
        return {events_.data(), static_cast<size_t>(count_)};
    }
    // Events that found the list full since it was last cleared.
    uint32_t missed() const { return missed_; }
    // The listener has heard them all.
    void clear() {
        count_ = 0;
        missed_ = 0;
    }

private:
    std::array<SoundEvent, kCapacity> events_{};
    int count_ = 0;
    uint32_t missed_ = 0;
};

} // namespace wh
