// Turning an angle into end points: the body about one of its ends, the gun about its pivot.
#pragma once

#include "app/game.hpp"

namespace wh {

void changeanglesub(Game& g); // end 1 stays, end 2 is placed
void changeangleadd(Game& g); // end 2 stays, end 1 is placed
void changeanglegun(Game& g); // the pivot stays, the tip is placed

} // namespace wh
