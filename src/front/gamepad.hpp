// A game controller as the keys and characters it stands for: the stick or pad drives, the
// shoulders aim, A fires, B is the trigger, X and Y step the weapon (1 and 2), Start is p and Back
// opens the help. Recordings need nothing new: each press reaches the game as a keyboard's would.
#pragma once

#include "session/input.hpp"

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace wh::front {

// What one controller event asks for: inputs for the game, and the help for the window.
struct PadActions {
    std::vector<session::Input> inputs;
    bool toggleHelp = false;
};

class GamepadMap {
public:
    PadActions button(SDL_GameControllerButton b, bool down);
    PadActions axis(SDL_GameControllerAxis a, int16_t value);
    // The controller went away: every key it held is let go.
    PadActions releaseAll();

private:
    enum Held : uint8_t { kPad = 1, kStick = 2 }; // what holds a direction down
    PadActions steer(int16_t vk, uint8_t& holders, uint8_t by, bool on);
    PadActions hold(int16_t vk, bool& held, bool on);

    uint8_t left_ = 0; // which of the pad and the stick hold the direction
    uint8_t right_ = 0;
    bool aimUp_ = false;
    bool aimDown_ = false;
    bool fire_ = false;
    bool trigger_ = false;
};

} // namespace wh::front
