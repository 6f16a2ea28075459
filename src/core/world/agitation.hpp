// Scattering the rocks and the agitation timer that shakes living rocks.
#pragma once

#include "app/game.hpp"

namespace wh {

// Key e: slots 0 to 20, 20 to 40, ... (while the group's first index is below rockcount) are
// each moved to one random centre with random displacements, and drawn there.
void explode(Game& g);

// The tick of Timer2: every alive rock gets a new random displacement and is drawn again; the
// timer switches itself off when rock 1 is not alive.
void Timer2_Timer(Game& g);

} // namespace wh
