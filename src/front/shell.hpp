// The SDL2 shell around the core: it opens the window, turns SDL events into the game's
// handlers at the event step, shows the view, sounds beeps and paces the passes.
#pragma once

#include "app/game.hpp"
#include "front/beep.hpp"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace wh::front {

class Shell {
public:
    Shell();
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // Opens the window and its renderer; false (with SDL's message printed) when it cannot.
    bool open();
    // The load handler's set-up; the window is already shown.
    void startUp(uint64_t seed);
    // One whole pass: the work, the event step, the wait. False once the program should end.
    bool runPass();
    void run();

    Game& game() { return *game_; }
    SDL_Window* window() const { return window_; }

private:
    void eventStep();
    void handle(const SDL_Event& e);
    void handleGame(const SDL_Event& e);
    void handleMouse(const SDL_Event& e);
    void present();

    std::unique_ptr<Game> game_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    std::vector<Colour> view_;
    std::unique_ptr<Beeper> beeper_;
    uint32_t beepsHeard_ = 0;
    bool formCapture_ = false; // a press on the window surface keeps the moves until release
    bool quit_ = false;
    bool imgui_ = false;
    bool forcePresent_ = true;
    static constexpr int kPanelSettleFrames = 3;
    int panelFrames_ = kPanelSettleFrames; // frames still to draw after the last input
    uint64_t shownRevision_ = 0;
    float shownLeft_ = 0;
    float shownTop_ = 0;
};

} // namespace wh::front
