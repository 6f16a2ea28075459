// Driving, aiming, firing and the trigger by held keys. Enter and keypad 5 share one flag, so
// releasing either clears it even while the other is still held.
#include "vehicle/keys.hpp"

#include "app/numeric.hpp"

namespace wh {

namespace {

int16_t* flagFor(KeyFlags& k, int16_t keycode) {
    switch (keycode) {
    case VirtualKey::left:
        return &k.leftkey;
    case VirtualKey::right:
        return &k.rightkey;
    case VirtualKey::comma:
        return &k.gunleftkey;
    case VirtualKey::period:
        return &k.gunrightkey;
    case VirtualKey::space:
        return &k.firekey;
    case VirtualKey::enter:
    case VirtualKey::numpad5:
        return &k.trigger;
    default:
        return nullptr;
    }
}

} // namespace

void Form_KeyDown(Game& g, int16_t keycode, int16_t /*shift*/) {
    if (int16_t* flag = flagFor(g.keys, keycode)) {
        *flag = kTrue;
    }
}

void Form_KeyUp(Game& g, int16_t keycode, int16_t /*shift*/) {
    if (int16_t* flag = flagFor(g.keys, keycode)) {
        *flag = kFalse;
    }
}

} // namespace wh
