// Which behaviour a rock's type gives it: the third part of every rock's step.
#pragma once

#include "app/game.hpp"

namespace wh {

// Runs the behaviour of rock i's type. A none entry is not a behaviour: the pass removes it.
void rockBehaviour(Game& g, int i);

} // namespace wh
