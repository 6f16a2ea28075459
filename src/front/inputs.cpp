// Recorded first, then delivered: a handler that ends the game still leaves its event written.
#include "front/inputs.hpp"

#include "tools/keyboard.hpp"
#include "tools/mouse.hpp"
#include "vehicle/keys.hpp"

namespace wh::front {

void Inputs::keyDown(int16_t vk, int16_t shift) {
    if (rec_ != nullptr) {
        rec_->keyDown(vk);
    }
    Form_KeyDown(g_, vk, shift);
}

void Inputs::keyUp(int16_t vk, int16_t shift) {
    if (rec_ != nullptr) {
        rec_->keyUp(vk);
    }
    Form_KeyUp(g_, vk, shift);
}

void Inputs::keyPress(int16_t code) {
    if (rec_ != nullptr) {
        rec_->character(code);
    }
    Form_KeyPress(g_, code);
}

void Inputs::playfieldDown(int16_t button, int16_t shift, float x, float y) {
    if (rec_ != nullptr) {
        rec_->click(x, y, button);
    }
    picground_MouseDown(g_, button, shift, x, y);
}

void Inputs::windowDown(int16_t button, int16_t shift, float x, float y) {
    if (rec_ != nullptr) {
        rec_->mouseDown(button, x, y);
    }
    Form_MouseDown(g_, button, shift, x, y);
}

void Inputs::windowMove(int16_t buttons, int16_t shift, float x, float y) {
    if (rec_ != nullptr) {
        rec_->mouseMove(buttons, x, y);
    }
    Form_MouseMove(g_, buttons, shift, x, y);
}

void Inputs::windowUp(int16_t button, int16_t shift, float x, float y) {
    if (rec_ != nullptr) {
        rec_->mouseUp(button, x, y);
    }
    Form_MouseUp(g_, button, shift, x, y);
}

} // namespace wh::front
