// Start-up and the pass of the main loop. The shell owns the clock and the window; it calls
// these in the loop's order: pass, event step (its handlers, then eventstep), wait.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

// Everything the load handler sets up before the first pass, with the generator seeded from
// `seed` (the clock in the game, a chosen number in tests and the runner).
void Form_Load(Game& g, uint64_t seed);

// The work of one pass: level script, vehicle section, rock pass. Nothing moves while paused.
void mainpass(Game& g);

// The part of the event step that belongs to the game rather than the window: the timer.
// The shell sets g.now first and delivers the window's own events before or after it.
void eventstep(Game& g);

} // namespace wh
