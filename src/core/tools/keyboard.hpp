// The character commands of the sandbox: materials, scatter, pause and panel, darken, clear,
// removing and adding rocks, the brush, the weapon and paint colour, pass-through and Esc.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

inline constexpr int16_t kCharEscape = 27;
inline constexpr int16_t kBrushStep = 10; // pixels per comma or period
inline constexpr int16_t kBrushMax = 500; // pixels: wider than the view is tall, still a brush

void Form_KeyPress(Game& g, int16_t keyascii);

} // namespace wh
