// The material particles' behaviours: gas, liquid, solid, alive and ice. Each is one step of
// rock i (1 <= i <= rockcount), run after the common motion and cull.
#pragma once

#include "app/game.hpp"

namespace wh {

void gas(Game& g, int i);
void liquid(Game& g, int i);
void solid(Game& g, int i);
void alive(Game& g, int i);
void ice(Game& g, int i);

} // namespace wh
