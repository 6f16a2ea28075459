// The held-key handlers: a key's down event sets its flag, its up event clears it.
#pragma once

#include "app/game.hpp"

#include <cstdint>

namespace wh {

// Windows virtual-key codes the game knows.
struct VirtualKey {
    enum : int16_t {
        back = 8,
        tab = 9,
        clear = 12, // keypad 5 with Num Lock off
        enter = 13,
        escape = 27,
        space = 32,
        left = 37,
        up = 38,
        right = 39,
        down = 40,
        numpad0 = 96,
        numpad5 = 101,
        f1 = 112,
        comma = 188,
        period = 190,
    };
};

void Form_KeyDown(Game& g, int16_t keycode, int16_t shift);
void Form_KeyUp(Game& g, int16_t keycode, int16_t shift);

} // namespace wh
