// Firing: while the fire key is held the gun launches the selected weapon from its tip.
#pragma once

#include "app/game.hpp"

namespace wh {

void firing(Game& g);

} // namespace wh
