// The level script that places scripted rocks as the view scrolls right, and the camera that
// keeps the vehicle in view.
#pragma once

#include "app/game.hpp"

namespace wh {

void scroll(Game& g);
void camera(Game& g);

} // namespace wh
