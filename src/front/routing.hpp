// Which handler a mouse press belongs to: the panel, the playfield's spawner, or the window's
// own uncovered surface (the drag tools); and whether there is a display to show the game on.
#pragma once

#include "app/game.hpp"

namespace wh::front {

enum class PressTarget { panel, playfield, window };

// Window pixel (px, py) lies over the playfield as the camera has placed it.
bool overPlayfield(const Game& g, int px, int py);

// panelHasMouse: the panel has a list open or otherwise holds the mouse.
PressTarget pressTarget(const Game& g, int px, int py, bool panelHasMouse);

// SDL fell back on its own to a driver that shows nothing (no display was found), as opposed
// to one the player asked for by name.
bool fellBackToNoDisplay(const char* driver, const char* requested);

} // namespace wh::front
