// The level's actors: the maker that emits rocks, the enemies (skeet and plane) that drop fire
// and bombs, and the hazards, boulder and comet. The reactor has no step: plasma only reads it.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

inline constexpr int16_t kMadeRockCount = 35;    // count of every rock a maker emits
inline constexpr int16_t kDroppedRockCount = 55; // count of a skeet's fire or a plane's bomb

// Each is one step of rock i (1 <= i <= rockcount), run after the common motion and cull.
void maker(Game& g, int i);
// Dispatches on the subtype: 21 the skeet, 22 the plane, anything else does nothing.
void enemy(Game& g, int i);
void skeet(Game& g, int i);
void plane(Game& g, int i);
void boulder(Game& g, int i);
void comet(Game& g, int i);

} // namespace wh
