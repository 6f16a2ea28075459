// Mouse tools: spawning by a press on the playfield, dropping and painting on the window surface.
#pragma once

#include "app/game.hpp"

#include <cstdint>
#include <optional>

namespace wh {

// Buttons as the window reports them.
inline constexpr int16_t kButtonLeft = 1;
inline constexpr int16_t kButtonRight = 2;
inline constexpr int16_t kButtonMiddle = 4;

// The colour the paint tool lays down for a `paintmode` (1 ground, 2 red, 3 air); none for others.
std::optional<Colour> paintColour(int16_t paintmode);

// What the player calls paint mode 1 to 3: "ground", "red", "air"; "none" for any other, which
// paints nothing.
const char* paintName(int16_t paintmode);

void picground_MouseDown(Game& g, int16_t button, int16_t shift, float x, float y);
void Form_MouseDown(Game& g, int16_t button, int16_t shift, float x, float y);
void Form_MouseMove(Game& g, int16_t button, int16_t shift, float x, float y);
void Form_MouseUp(Game& g, int16_t button, int16_t shift, float x, float y);

} // namespace wh
