// The stick counts as a direction held once it is well over to one side and lets go only when it
// is nearly back, so a thumb resting near the threshold does not chatter the key.
#include "front/gamepad.hpp"

#include "vehicle/keys.hpp"

namespace wh::front {

namespace {

constexpr int16_t kStickOn = 16000; // of 32767
constexpr int16_t kStickOff = 10000;

void append(PadActions& to, const PadActions& from) {
    to.inputs.insert(to.inputs.end(), from.inputs.begin(), from.inputs.end());
    to.toggleHelp = to.toggleHelp || from.toggleHelp;
}

} // namespace

PadActions GamepadMap::hold(int16_t vk, bool& held, bool on) {
    PadActions out;
    if (held != on) {
        held = on;
        out.inputs.push_back(on ? session::Input{session::KeyDown{vk}}
                                : session::Input{session::KeyUp{vk}});
    }
    return out;
}

// A direction is down while the pad or the stick holds it; the key goes up when neither does.
PadActions GamepadMap::steer(int16_t vk, uint8_t& holders, uint8_t by, bool on) {
    bool held = holders != 0;
    holders = static_cast<uint8_t>(on ? holders | by : holders & ~by);
    return hold(vk, held, holders != 0);
}

PadActions GamepadMap::button(SDL_GameControllerButton b, bool down) {
    PadActions out;
    switch (b) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return steer(VirtualKey::left, left_, kPad, down);
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return steer(VirtualKey::right, right_, kPad, down);
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return hold(VirtualKey::comma, aimUp_, down);
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return hold(VirtualKey::period, aimDown_, down);
    case SDL_CONTROLLER_BUTTON_A:
        return hold(VirtualKey::space, fire_, down);
    case SDL_CONTROLLER_BUTTON_B:
        return hold(VirtualKey::enter, trigger_, down);
    case SDL_CONTROLLER_BUTTON_X:
        if (down) {
            out.inputs.push_back(session::Character{'1'});
        }
        return out;
    case SDL_CONTROLLER_BUTTON_Y:
        if (down) {
            out.inputs.push_back(session::Character{'2'});
        }
        return out;
    case SDL_CONTROLLER_BUTTON_START:
        if (down) {
            out.inputs.push_back(session::Character{'p'});
        }
        return out;
    case SDL_CONTROLLER_BUTTON_BACK:
        out.toggleHelp = down;
        return out;
    default:
        return out;
    }
}

PadActions GamepadMap::axis(SDL_GameControllerAxis a, int16_t value) {
    PadActions out;
    if (a != SDL_CONTROLLER_AXIS_LEFTX) {
        return out;
    }
    const bool leftOn = (left_ & kStick) != 0 ? value < -kStickOff : value <= -kStickOn;
    const bool rightOn = (right_ & kStick) != 0 ? value > kStickOff : value >= kStickOn;
    append(out, steer(VirtualKey::left, left_, kStick, leftOn));
    append(out, steer(VirtualKey::right, right_, kStick, rightOn));
    return out;
}

PadActions GamepadMap::releaseAll() {
    PadActions out;
    append(out, steer(VirtualKey::left, left_, kPad | kStick, false));
    append(out, steer(VirtualKey::right, right_, kPad | kStick, false));
    append(out, hold(VirtualKey::comma, aimUp_, false));
    append(out, hold(VirtualKey::period, aimDown_, false));
    append(out, hold(VirtualKey::space, fire_, false));
    append(out, hold(VirtualKey::enter, trigger_, false));
    return out;
}

} // namespace wh::front
