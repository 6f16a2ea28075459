// The brush: painting right where the pointer is on the playfield, a comfort beside the game's own
// drag tools (which paint at window coordinates). Used only when the player turns brush mode on.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

// Paints the stroke from (x1, y1) to (x2, y2), playfield twips, with the brush's width: the left
// button in the paint tool's colour, the right button digs (open air). A press is a stroke of
// no length. Any other button, or a paint the tool does not know, paints nothing.
void brushStroke(Game& g, float x1, float y1, float x2, float y2, int16_t button);

} // namespace wh
