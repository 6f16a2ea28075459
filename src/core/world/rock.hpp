// The rock record, its type codes and the one table every rock lives in. Every addition goes
// through RockTable::add, which refuses to write past the last slot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace wh {

// Type codes; a type field may hold any 16-bit value, codes outside 0 to 25 have no behaviour.
struct RockType {
    enum : int16_t {
        none = 0,
        gas = 1,
        liquid = 2,
        solid = 3,
        fire = 4,
        plasma = 5,
        alive = 6,
        ice = 7,
        bullet = 8,
        bomb = 9,
        bigbomb = 10,
        bulletbomb = 11,
        missle = 12,
        explosion = 13,
        multibomb = 14,
        nuke = 15,
        timebomb = 16,
        maker = 17,
        proxbomb = 18,
        homer = 19,
        enemy = 20,
        skeet = 21, // as an enemy's subtype
        plane = 22, // as an enemy's subtype
        reactor = 23,
        boulder = 24,
        comet = 25,
    };
};

inline constexpr int kRockTypeCount = 26; // codes 0 to 25

// Field order and widths are the record's own; nothing is hidden in a field.
struct Rock {
    int32_t xt = 0;        // twips, x of a plasma's target; 0 with yt 0: no target
    int16_t yt = 0;        // twips, y of the target
    int32_t x = 0;         // twips, 0 to 64005 on the playfield
    int32_t y = 0;         // twips, 0 to 9015, downward
    int16_t xdis = 0;      // twips per pass, wraps
    int16_t ydis = 0;      // twips per pass, downward, wraps
    int16_t type = 0;      // RockType code
    int16_t subtype = 0;   // what a maker emits; skeet or plane for an enemy
    int16_t count = 0;     // life, phase, countdown or drawn size, by type; wraps
    int16_t fullcount = 0; // reload value, cycles left or full size, by type
    int16_t countstep = 0; // subtracted from count each pass by the counting types

    bool operator==(const Rock&) const = default;
};

inline constexpr int kLastRockIndex = 1500; // index 0 is never a live rock
inline constexpr int kRockSlots = kLastRockIndex + 1;

struct RockTable {
    std::array<Rock, kRockSlots> rocks{}; // allocated once, zero at start
    int16_t rockcount = 0;                // highest index in use, 0 to 1500
    // While a rock pass runs, the entries from the crowd limit up to crowdClean are known to hold
    // only explosions and none entries, so the crowd limit's check after every step reads only
    // what lies above them. -1 outside a pass, where anything may have changed the table.
    int16_t crowdClean = -1;

    Rock& operator[](int i) { return rocks[static_cast<size_t>(i)]; }
    const Rock& operator[](int i) const { return rocks[static_cast<size_t>(i)]; }

    // Makes entry rockcount + 1 live and returns it with whatever the slot last held, so the
    // adder writes only its own fields. A full table refuses: nullptr, nothing changes.
    Rock* add() {
        if (rockcount < 0 || rockcount >= kLastRockIndex) {
            return nullptr;
        }
        ++rockcount;
        return &rocks[static_cast<size_t>(rockcount)];
    }
};

} // namespace wh
