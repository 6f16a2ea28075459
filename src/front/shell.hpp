// The SDL2 shell around the core: it opens the window, turns SDL events into the game's
// handlers at the event step, shows the view scaled to the window with the front end's overlays
// and status line at the window's own resolution, plays what the world made heard and paces the
// passes.
#pragma once

#include "app/game.hpp"
#include "app/window.hpp"
#include "front/audio.hpp"
#include "front/gamepad.hpp"
#include "front/options.hpp"
#include "front/overlaypainter.hpp"
#include "front/overlays.hpp"
#include "front/settings.hpp"
#include "front/viewfit.hpp"

#include "session/player.hpp"
#include "session/recorder.hpp"
#include "session/session.hpp"

#include <SDL.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

namespace wh::front {

class Shell {
public:
    explicit Shell(Options options = {});
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // Opens the window and its renderer, and the recording or the replay asked for; false (with
    // one line printed saying why) when any cannot be had.
    bool open();
    // The load handler's set-up (a replay's own seed when one is played); the window is already
    // shown.
    void startUp(uint64_t seed);
    // One whole pass: the work, the event step, the wait. False once the program should end.
    bool runPass();
    void run();

    Game& game() { return *game_; }
    SDL_Window* window() const { return window_; }
    const Options& options() const { return options_; }
    const Settings& settings() const { return settings_; }
    const Overlays& overlays() const { return overlays_; }
    // Where the view lies in the window's pixels now, and how it got there.
    const ViewRect& viewPlace() const { return place_; }
    bool brushMode() const { return brushMode_; }
    // The sound device, open or silent, from open() on.
    const Audio& audio() const { return *audio_; }
    Scaling scaling() const;
    // Passes the world has run since its start; none run while the help is open.
    uint64_t passes() const { return session_.passes(); }
    // True while a recorded session is still being played back.
    bool replaying() const { return player_.has_value(); }
    // Ends the recording now (as leaving the program does): what is held back is written. False
    // (with one line printed) when the file could not take all of it.
    bool finishRecording();

private:
    bool openSession();
    // The replay's part of a pass; false (the replay over) when the pass is the player's own.
    bool replayWork();
    void replayTick();
    // The replay is over, played to its end or stopped by `step`.
    void endReplay(session::Player::Step step);
    void deliverEvents();
    // During a replay the window's own keys, closing and resizing still work; the game's input
    // waits until the replay is over.
    bool replayLetsThrough(const SDL_Event& e) const;
    // The pass's sounds go to the device, and the list is emptied for the next pass.
    void hearSounds();
    void handle(const SDL_Event& e);
    void handleGame(const SDL_Event& e);
    void handleMouse(const SDL_Event& e);
    void handleController(const SDL_Event& e);
    void act(const PadActions& actions);
    void present();
    // The window's function keys belong to the front end; true when e was one of them.
    bool handleWindowKey(const SDL_Event& e);
    static bool isWindowKey(SDL_Keycode key);
    // The brush's stroke from where it was last seen to (x, y), playfield twips.
    void brushTo(float x, float y);
    void drawBrushOutline();
    void toggleFullscreen();
    // Keeps what the player changed for the next start (when the game has a settings file).
    void keepSettings();
    void toggleScaling();
    bool fullscreen() const;
    // The finished frame into the window at its place, over the bars.
    void showFrame();
    void refreshPlacement();
    ViewPixel viewPixelOf(int windowX, int windowY) const;
    bool panelHoldsMouse(int viewX, int viewY) const;
    void fitImGuiToView();
    void takeScreenshot();

    Options options_;
    Settings settings_; // as read at the start, changed by the player since
    std::unique_ptr<Game> game_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    // The 800 x 600 frame (view and panel), copied scaled into the window; none where the
    // renderer cannot draw into textures, and then the frame goes straight to the window.
    SDL_Texture* frame_ = nullptr;
    // The frame enlarged by sharpFactor_ on its way to a place that is not a whole factor.
    SDL_Texture* sharp_ = nullptr;
    int sharpFactor_ = 0;
    int maxTextureW_ = 0; // the renderer's largest texture; 0 for no limit
    int maxTextureH_ = 0;
    Scaling windowedScaling_ = Scaling::whole;
    Scaling fullscreenScaling_ = Scaling::fit;
    ViewRect place_{0, 0, kViewPixelsW, kViewPixelsH}; // renderer output pixels
    float outputPerWindowX_ = 1; // renderer output pixels per window coordinate (high-DPI)
    float outputPerWindowY_ = 1;
    Overlays overlays_;
    std::unique_ptr<OverlayPainter> painter_;
    PassMeter passMeter_;
    bool screenshotDue_ = false;
    std::vector<Colour> view_;
    std::unique_ptr<Audio> audio_;
    bool formCapture_ = false; // a press on the window surface keeps the moves until release
    std::vector<SDL_GameController*> controllers_; // every one plugged in drives the same vehicle
    GamepadMap pad_;
    bool brushMode_ = false;  // F6: a drag on the playfield paints instead of spawning
    int16_t brushButton_ = 0; // the button of the brush stroke going on, 0 for none
    float brushX_ = 0;        // playfield twips where the stroke was last seen
    float brushY_ = 0;
    bool quit_ = false;
    bool imgui_ = false;
    bool forcePresent_ = true;
    static constexpr int kPanelSettleFrames = 3;
    int panelFrames_ = kPanelSettleFrames; // frames still to draw after the last input
    // Every input and pass reaches the game through the session, which the recorder hears.
    session::Session session_;
    std::ofstream recordFile_;
    std::unique_ptr<session::Recorder> recorder_;
    bool recordLost_ = false; // writing the recording failed
    std::optional<session::Player> player_;
    uint64_t shownRevision_ = 0;
    float shownLeft_ = 0;
    float shownTop_ = 0;
};

} // namespace wh::front
