// The rock pass, and the part of a rock's step that every type shares: motion, the off-view
// cull, removal with the table closing up, the crowd limit and the playfield bounds.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

// An index, not a count: while rockcount is above it, every entry from here up that is not an
// explosion is cleared after each step.
inline constexpr int16_t kCrowdLimit = 999;
// Twips a rock may fall behind the window's left edge before it is dropped.
inline constexpr double kOffViewMargin = 100;

// Every live rock erased, stepped and drawn once, in index order. The limit is taken once, so
// rocks added during the pass are first stepped in the next one.
void rockpass(Game& g);

// The same pass with another step in place of stepRock, so the walk over a table that grows
// and shrinks under it can be driven on its own.
using RockStep = void (*)(Game& g, int i);
void rockpass(Game& g, RockStep step);

// One rock's step: motion, cull, its type's behaviour (or removal of a none entry), the crowd
// limit and the bounds. 1 <= i <= rockcount.
void stepRock(Game& g, int i);

// Takes the none entry at i out of the table: later entries move down one place, the vacated
// top slot is erased and rockcount falls by one. 1 <= i <= rockcount.
void removeRock(Game& g, int i);

// Clears every non-explosion entry from kCrowdLimit to rockcount while rockcount is above
// kCrowdLimit.
void crowdLimit(Game& g);

} // namespace wh
