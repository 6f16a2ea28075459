// Painting one rock in the look of its type, and erasing it again.
#pragma once

#include "app/game.hpp"

namespace wh {

void drawrocks(Game& g, int i);
void eraserocks(Game& g, int i);

} // namespace wh
