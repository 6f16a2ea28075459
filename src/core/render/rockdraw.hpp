// Painting one rock in the look of its type, and erasing it again.
#pragma once

#include "app/game.hpp"

namespace wh {

// Paints rock i onto the playfield in the look of its type: one to ten dots and lines, leaving
// the pen width at the last value set. Writes nothing else, though the random looks move the
// generator on. Types without a look leave the playfield and the pen width alone.
void drawrocks(Game& g, int i);

// Paints rock i's shapes again in open air (an ice rock in its own colour), so that with the
// fields unchanged since drawing it covers exactly the pixels drawing painted. Draws no random
// numbers.
void eraserocks(Game& g, int i);

} // namespace wh
