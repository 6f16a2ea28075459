// Mouse handlers. Not built yet: presses and drags do nothing.
#include "tools/mouse.hpp"

namespace wh {

void picground_MouseDown(Game& /*g*/, int16_t /*button*/, int16_t /*shift*/, float /*x*/,
                         float /*y*/) {}

void Form_MouseDown(Game& /*g*/, int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}

void Form_MouseMove(Game& /*g*/, int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}

void Form_MouseUp(Game& /*g*/, int16_t /*button*/, int16_t /*shift*/, float /*x*/, float /*y*/) {}

} // namespace wh
