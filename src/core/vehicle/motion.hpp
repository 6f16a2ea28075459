// The vehicle section of a pass: erase, terrain tests, driving, aiming, firing, camera, draw.
#pragma once

#include "app/game.hpp"

namespace wh {

void vehiclesection(Game& g);

} // namespace wh
