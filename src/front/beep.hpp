// Beep: one short tone through SDL audio; silent where the machine has no audio device.
#pragma once

#include <SDL.h>

namespace wh::front {

class Beeper {
public:
    Beeper();
    ~Beeper();
    Beeper(const Beeper&) = delete;
    Beeper& operator=(const Beeper&) = delete;

    void beep(); // returns at once
    bool hasDevice() const { return device_ != 0; }

private:
    SDL_AudioDeviceID device_ = 0;
};

} // namespace wh::front
