// The rock pass: every live rock erased, stepped and drawn once, in index order.
#pragma once

#include "app/game.hpp"

namespace wh {

void rockpass(Game& g);

} // namespace wh
