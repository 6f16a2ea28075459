// What the window shows: the playfield placed at its Left and Top over the window's own
// background, 800 x 600 colour values, row by row.
#pragma once

#include "app/game.hpp"

namespace wh {

void composeView(const Game& g, Colour* out);

} // namespace wh
