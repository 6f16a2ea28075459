// Scattering the rocks and the agitation timer that shakes living rocks.
#pragma once

#include "app/game.hpp"

namespace wh {

void explode(Game& g);
void Timer2_Timer(Game& g);

} // namespace wh
