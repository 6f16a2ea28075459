// The character commands of the sandbox.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

inline constexpr int16_t kCharEscape = 27;

void Form_KeyPress(Game& g, int16_t keyascii);

} // namespace wh
