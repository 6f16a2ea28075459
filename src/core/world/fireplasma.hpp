// The two particles that change the world around them: fire falls, flickers out and burns pure
// red scenery into craters full of explosions; plasma seeks the reactor and bombs earthtones.
#pragma once

#include "app/game.hpp"

namespace wh {

// One fire step of rock i (1 <= i <= rockcount), after the common motion and cull: gravity,
// ceiling, floor band, contact, and the burn that chains across pure red within reach.
void fire(Game& g, int i);

// One plasma step of rock i: budget, targeting (beeps while there is no reactor to find), the
// multibomb drop under earthtones, contact and steering toward the target.
void plasma(Game& g, int i);

} // namespace wh
