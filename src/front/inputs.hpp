// The one way the window's events reach the game's handlers: each is told to the session's
// recorder (when there is one) in the order the game receives it.
#pragma once

#include "app/game.hpp"
#include "recorder.hpp"

#include <cstdint>

namespace wh::front {

class Inputs {
public:
    Inputs(Game& g, sim::Recorder* recorder) : g_(g), rec_(recorder) {}

    void keyDown(int16_t vk, int16_t shift);
    void keyUp(int16_t vk, int16_t shift);
    void keyPress(int16_t code);
    void playfieldDown(int16_t button, int16_t shift, float x, float y); // playfield twips
    void windowDown(int16_t button, int16_t shift, float x, float y);    // window twips
    void windowMove(int16_t buttons, int16_t shift, float x, float y);
    void windowUp(int16_t button, int16_t shift, float x, float y);

private:
    Game& g_;
    sim::Recorder* rec_;
};

} // namespace wh::front
