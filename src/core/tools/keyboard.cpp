// Character commands, tested in a fixed order; at most one runs. Only Esc is wired so far.
#include "tools/keyboard.hpp"

namespace wh {

void Form_KeyPress(Game& g, int16_t keyascii) {
    if (keyascii == kCharEscape) {
        g.ended = true;
    }
}

} // namespace wh
