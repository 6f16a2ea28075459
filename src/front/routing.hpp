// Which handler a mouse press belongs to: the panel, the playfield's spawner, or the window's
// own uncovered surface (the drag tools).
#pragma once

#include "app/game.hpp"

namespace wh::front {

enum class PressTarget { panel, playfield, window };

// Window pixel (px, py) lies over the playfield as the camera has placed it.
bool overPlayfield(const Game& g, int px, int py);

// panelHasMouse: the panel has a list open or otherwise holds the mouse.
PressTarget pressTarget(const Game& g, int px, int py, bool panelHasMouse);

} // namespace wh::front
