// The loop as the game runs it: note the time, run the pass, deliver events (present, pump SDL
// into the handlers, tick the timer), then wait out the rest of the 16 ms. The frame is drawn at
// 800 x 600 and scaled into the window; the mouse is mapped back, so the game never sees the
// window's real size.
#include "front/shell.hpp"

#include "app/mainloop.hpp"
#include "app/numeric.hpp"
#include "app/pacing.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "front/keymap.hpp"
#include "front/panelview.hpp"
#include "front/routing.hpp"
#include "front/screenshot.hpp"
#include "player.hpp"
#include "recorder.hpp"
#include "runner.hpp"
#include "tools/keyboard.hpp"
#include "tools/mouse.hpp"
#include "vehicle/keys.hpp"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <cerrno>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <thread>
#include <utility>

namespace wh::front {

namespace {

uint32_t steadyMicros() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

struct SystemClock {
    uint32_t micros() const { return steadyMicros(); }
    void sleepMicros(uint32_t us) const {
        std::this_thread::sleep_for(std::chrono::microseconds(us));
    }
    void spin() const { std::this_thread::yield(); }
};

int16_t buttonCode(uint8_t sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return kButtonLeft;
    case SDL_BUTTON_RIGHT:
        return kButtonRight;
    case SDL_BUTTON_MIDDLE:
        return kButtonMiddle;
    default:
        return 0;
    }
}

int16_t buttonsHeld(uint32_t state) {
    int16_t b = 0;
    if ((state & SDL_BUTTON_LMASK) != 0) {
        b |= kButtonLeft;
    }
    if ((state & SDL_BUTTON_RMASK) != 0) {
        b |= kButtonRight;
    }
    if ((state & SDL_BUTTON_MMASK) != 0) {
        b |= kButtonMiddle;
    }
    return b;
}

int16_t shiftState(uint16_t mod) {
    int16_t s = 0;
    if ((mod & KMOD_SHIFT) != 0) {
        s |= 1;
    }
    if ((mod & KMOD_CTRL) != 0) {
        s |= 2;
    }
    if ((mod & KMOD_ALT) != 0) {
        s |= 4;
    }
    return s;
}

constexpr float kTwips = kTwipsPerPixel;

// True when SDL chose OpenGL on its own and the driver behind it is a software rasteriser.
bool rendersThroughSoftwareGl(SDL_Renderer* renderer) {
    if (SDL_GetHint(SDL_HINT_RENDER_DRIVER) != nullptr) {
        return false; // the player asked for a renderer: keep it
    }
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strcmp(info.name, "opengl") != 0) {
        return false;
    }
    using GetString = const unsigned char* (*)(unsigned int);
    constexpr unsigned int kGlRenderer = 0x1F01;
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) {
        return false;
    }
    const auto* name = reinterpret_cast<const char*>(getString(kGlRenderer));
    return name != nullptr &&
           (std::strstr(name, "llvmpipe") != nullptr || std::strstr(name, "softpipe") != nullptr ||
            std::strstr(name, "Software") != nullptr);
}

bool isMouseEvent(const SDL_Event& e) {
    return e.type == SDL_MOUSEMOTION || e.type == SDL_MOUSEBUTTONDOWN ||
           e.type == SDL_MOUSEBUTTONUP;
}

// The frame texture in the format the window shows, when the renderer takes it, so the last copy
// of each frame is a plain one.
uint32_t frameFormat(SDL_Window* window, SDL_Renderer* renderer) {
    const uint32_t windowFormat = SDL_GetWindowPixelFormat(window);
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) == 0) {
        for (uint32_t i = 0; i < info.num_texture_formats; ++i) {
            if (info.texture_formats[i] == windowFormat) {
                return windowFormat;
            }
        }
    }
    return SDL_PIXELFORMAT_ARGB8888;
}

} // namespace

Shell::Shell(Options options)
    : options_(std::move(options)), game_(std::make_unique<Game>()),
      view_(static_cast<size_t>(kViewPixelsW) * kViewPixelsH, kWindowBackground) {}

Shell::~Shell() {
    beeper_.reset();
    if (imgui_) {
        ImGui_ImplSDLRenderer_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
    }
    if (frame_ != nullptr) {
        SDL_DestroyTexture(frame_);
    }
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
    SDL_Quit();
}

bool Shell::open() {
    if (!openSession()) {
        return false;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "wreckhaul: cannot open the game window: %s\n", SDL_GetError());
        return false;
    }
    if (fellBackToNoDisplay(SDL_GetCurrentVideoDriver(), SDL_GetHint(SDL_HINT_VIDEODRIVER))) {
        std::fprintf(stderr, "wreckhaul: no display to open the game window on "
                             "(is DISPLAY or WAYLAND_DISPLAY set?)\n");
        return false;
    }
    // A window as large as the desktop comfortably holds, at a whole factor of the view.
    int factor = options_.scale > 0 ? options_.scale : 1;
    if (SDL_Rect usable{}; SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        factor = openingFactor(usable.w, usable.h, options_.scale);
    }
    uint32_t flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    if (options_.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    window_ = SDL_CreateWindow(kWindowCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kViewPixelsW * factor, kViewPixelsH * factor, flags);
    if (window_ == nullptr) {
        std::fprintf(stderr, "wreckhaul: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetWindowMinimumSize(window_, kViewPixelsW, kViewPixelsH);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ != nullptr && rendersThroughSoftwareGl(renderer_)) {
        // OpenGL emulated on the processor costs three times what SDL's own software renderer
        // does for one full-window picture a pass; a machine without a GPU gets the latter.
        SDL_DestroyRenderer(renderer_);
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (renderer_ == nullptr) {
        std::fprintf(stderr, "wreckhaul: %s\n", SDL_GetError());
        return false;
    }
    // Colour values are r + 256 g + 65536 b: exactly SDL's XBGR8888 words.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING,
                                 kViewPixelsW, kViewPixelsH);
    if (texture_ == nullptr) {
        std::fprintf(stderr, "wreckhaul: %s\n", SDL_GetError());
        return false;
    }
    if (SDL_RendererInfo info{};
        SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_TARGETTEXTURE)) {
        frame_ = SDL_CreateTexture(renderer_, frameFormat(window_, renderer_),
                                   SDL_TEXTUREACCESS_TARGET, kViewPixelsW, kViewPixelsH);
    }
    if (frame_ != nullptr) {
        SDL_SetTextureScaleMode(frame_, SDL_ScaleModeNearest); // whole factors, crisp pixels
    }
    refreshPlacement();
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr; // nothing is saved
    ImGui_ImplSDL2_InitForSDLRenderer(window_);
    ImGui_ImplSDLRenderer_Init(renderer_);
    stylePanel();
    imgui_ = true;
    beeper_ = std::make_unique<Beeper>();
    SDL_StartTextInput();
    return true;
}

// The files of a recording or a replay are opened before the window, so a bad path costs nothing.
bool Shell::openSession() {
    if (!options_.recordPath.empty()) {
        recordFile_.open(options_.recordPath, std::ios::binary | std::ios::trunc);
        if (!recordFile_) {
            std::fprintf(stderr, "wreckhaul: cannot write the recording to %s: %s\n",
                         options_.recordPath.c_str(), std::strerror(errno));
            return false;
        }
    }
    if (!options_.replayPath.empty()) {
        std::ifstream in(options_.replayPath, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "wreckhaul: cannot read the recording %s: %s\n",
                         options_.replayPath.c_str(), std::strerror(errno));
            return false;
        }
        player_ = std::make_unique<sim::Player>(in, options_.replayPath);
    }
    return true;
}

void Shell::startUp(uint64_t seed) {
    overlays_.start(SDL_GetTicks());
    if (recordFile_.is_open() || player_ != nullptr) {
        game_->now = 0; // the script's clock, from the runner's start
        Form_Load(*game_, seed);
        runner_ = std::make_unique<sim::Runner>(*game_, std::cout);
        if (recordFile_.is_open()) {
            recorder_ = std::make_unique<sim::Recorder>(recordFile_, seed);
        }
    } else {
        game_->now = SDL_GetTicks();
        Form_Load(*game_, seed);
    }
    present();
}

void Shell::finishRecording() {
    if (recorder_ != nullptr) {
        recorder_->finish();
        recorder_.reset();
    }
}

bool Shell::runPass() {
    const uint32_t startMicros = steadyMicros();
    if (player_ != nullptr) {
        replayedPass();
    } else if (runner_ != nullptr) {
        scriptedPass();
    } else {
        game_->passstart = static_cast<int32_t>(SDL_GetTicks());
        mainpass(*game_);
        eventStep();
    }
    if (game_->ended || quit_) {
        finishRecording();
        return false;
    }
    const uint32_t workEnd = steadyMicros();
    passMeter_.add(workEnd, workEnd - startMicros);
    SystemClock clock;
    waitPassEnd(startMicros, clock);
    return true;
}

// The runner's pass split in two, with the window's events between its work and its tick.
void Shell::scriptedPass() {
    runner_->work();
    if (recorder_ != nullptr) {
        recorder_->passWorked();
    }
    present();
    deliverEvents();
    if (!game_->ended && !quit_) {
        runner_->tick();
        if (recorder_ != nullptr) {
            recorder_->passTicked();
        }
    }
    playBeeps();
}

// The recording drives the game; the player's own input waits until it is over, and only the
// front end's keys and leaving the program still work.
void Shell::replayedPass() {
    switch (player_->next(*runner_)) {
    case sim::Player::Step::pass:
    case sim::Player::Step::ended:
        break;
    case sim::Player::Step::finished:
        player_.reset();
        overlays_.showNote("Replay over: the game is yours", SDL_GetTicks());
        scriptedPass();
        return;
    case sim::Player::Step::failed:
        std::fprintf(stderr, "wreckhaul: %s\n", player_->error().c_str());
        overlays_.showNote("Replay stopped: " + player_->error(), SDL_GetTicks());
        player_.reset();
        scriptedPass();
        return;
    }
    present();
    SDL_Event e;
    while (!game_->ended && !quit_ && SDL_PollEvent(&e) != 0) {
        if (handleWindowKey(e)) {
            continue;
        }
        if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE) {
            quit_ = true; // leaving is the one thing the player still decides
        } else if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP && e.type != SDL_TEXTINPUT &&
                   !isMouseEvent(e)) {
            handle(e); // closing, resizing, exposing
        }
    }
    playBeeps();
}

void Shell::run() {
    while (runPass()) {
    }
}

void Shell::eventStep() {
    present();
    game_->now = SDL_GetTicks();
    deliverEvents();
    if (!game_->ended && !quit_) {
        eventstep(*game_);
    }
    playBeeps();
}

void Shell::deliverEvents() {
    SDL_Event e;
    while (!game_->ended && !quit_ && SDL_PollEvent(&e) != 0) {
        handle(e);
    }
}

void Shell::playBeeps() {
    while (beepsHeard_ != game_->beeps) {
        beepsHeard_ = game_->beeps;
        if (beeper_) {
            beeper_->beep();
        }
    }
}

// Keys reach the window's handlers first, whatever has the focus, and then go on to the focused
// panel control: a digit typed into a text box edits it and runs the digit's command.
void Shell::handle(const SDL_Event& event) {
    Game& g = *game_;
    if (handleWindowKey(event)) {
        return;
    }
    // The panel is redrawn for a few frames after any input, long enough for the panel to
    // show what the input did, and then left alone while nothing happens.
    panelFrames_ = kPanelSettleFrames;
    SDL_Event e = event;
    if (isMouseEvent(e)) {
        // From here on the mouse is where it is on the 800 x 600 view.
        int& x = e.type == SDL_MOUSEMOTION ? e.motion.x : e.button.x;
        int& y = e.type == SDL_MOUSEMOTION ? e.motion.y : e.button.y;
        const ViewPixel v = viewPixelOf(x, y);
        x = v.x;
        y = v.y;
        // The bars around the view hold nothing: the mouse there is as good as off the window,
        // unless a drag that began on the window is still going on.
        if (!v.inside && !formCapture_) {
            return;
        }
        // The help covers the view: a press only closes it.
        if (e.type == SDL_MOUSEBUTTONDOWN && overlays_.helpShown() && !formCapture_) {
            overlays_.toggleHelp();
            return;
        }
    } else if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        refreshPlacement();
        forcePresent_ = true;
    } else if (e.type == SDL_RENDER_TARGETS_RESET) {
        forcePresent_ = true; // the frame texture lost its picture; it is drawn whole again
    }
    handleGame(e);
    if (!g.ended && !quit_ && imgui_ && e.type != SDL_MOUSEBUTTONDOWN) {
        ImGui_ImplSDL2_ProcessEvent(&e);
    }
}

void Shell::handleGame(const SDL_Event& e) {
    Game& g = *game_;
    switch (e.type) {
    case SDL_QUIT:
        quit_ = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
            quit_ = true;
        } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
            forcePresent_ = true;
        }
        break;
    case SDL_KEYDOWN: {
        const int16_t shift = shiftState(e.key.keysym.mod);
        if (const int16_t vk = virtualKey(e.key.keysym.sym, e.key.keysym.mod); vk != 0) {
            inputs().keyDown(vk, shift);
        }
        if (const int16_t ch = controlCharacter(e.key.keysym.sym); ch >= 0 && !g.ended) {
            inputs().keyPress(ch);
        }
        break;
    }
    case SDL_KEYUP:
        if (const int16_t vk = virtualKey(e.key.keysym.sym, e.key.keysym.mod); vk != 0) {
            inputs().keyUp(vk, shiftState(e.key.keysym.mod));
        }
        break;
    case SDL_TEXTINPUT:
        for (const int16_t ch : textCharacters(e.text.text)) {
            if (g.ended) {
                break;
            }
            inputs().keyPress(ch);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
        handleMouse(e);
        break;
    default:
        break;
    }
}

void Shell::handleMouse(const SDL_Event& e) {
    Game& g = *game_;
    const int16_t shift = shiftState(static_cast<uint16_t>(SDL_GetModState()));
    if (e.type == SDL_MOUSEMOTION) {
        const float wx = static_cast<float>(e.motion.x) * kTwips;
        const float wy = static_cast<float>(e.motion.y) * kTwips;
        if (formCapture_ || !overPlayfield(g, e.motion.x, e.motion.y)) {
            inputs().windowMove(buttonsHeld(e.motion.state), shift, wx, wy);
        }
        return;
    }
    const int16_t button = buttonCode(e.button.button);
    if (button == 0) {
        return; // the side buttons mean nothing to the game
    }
    const float wx = static_cast<float>(e.button.x) * kTwips;
    const float wy = static_cast<float>(e.button.y) * kTwips;
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        // While the window holds the mouse every press is its own; otherwise the panel (or a
        // list it has opened) comes first, then the playfield.
        const PressTarget target =
            formCapture_
                ? PressTarget::window
                : pressTarget(g, e.button.x, e.button.y, panelHoldsMouse(e.button.x, e.button.y));
        if (!formCapture_ && imgui_) {
            ImGui_ImplSDL2_ProcessEvent(&e); // a press elsewhere takes the focus off the panel
        }
        if (target == PressTarget::panel) {
            return;
        }
        if (target == PressTarget::playfield) {
            inputs().playfieldDown(button, shift, wx - g.picground.Left, wy - g.picground.Top);
            return;
        }
        formCapture_ = true;
        SDL_CaptureMouse(SDL_TRUE);
        inputs().windowDown(button, shift, wx, wy);
        return;
    }
    if (formCapture_) {
        formCapture_ = false;
        SDL_CaptureMouse(SDL_FALSE);
        inputs().windowUp(button, shift, wx, wy);
    }
}

bool Shell::handleWindowKey(const SDL_Event& e) {
    if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) {
        return false;
    }
    const SDL_Keycode key = e.key.keysym.sym;
    if (key != SDLK_F1 && key != SDLK_F3 && key != SDLK_F11 && key != SDLK_F12) {
        return false;
    }
    if (e.type == SDL_KEYUP || e.key.repeat != 0) {
        return true; // a held key switches once
    }
    switch (key) {
    case SDLK_F1:
        overlays_.toggleHelp();
        break;
    case SDLK_F3:
        overlays_.toggleStats();
        break;
    case SDLK_F11:
        toggleFullscreen();
        break;
    default:
        screenshotDue_ = true; // taken from the next frame drawn
        break;
    }
    return true;
}

void Shell::toggleFullscreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
    if (SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        overlays_.showNote(std::string("Fullscreen failed: ") + SDL_GetError(), SDL_GetTicks());
    }
    refreshPlacement();
    forcePresent_ = true;
}

// An open list takes every press. Otherwise ImGui's word from the last frame counts only if the
// pointer is still where that frame saw it: a pointer that jumps and presses in one go (a tablet,
// a touch screen, a slow frame) would else be judged by where it was before.
bool Shell::panelHoldsMouse(int viewX, int viewY) const {
    if (!imgui_) {
        return false;
    }
    if (ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId | ImGuiPopupFlags_AnyPopupLevel)) {
        return true;
    }
    const ImGuiIO& io = ImGui::GetIO();
    return io.WantCaptureMouse && ImGui::IsMousePosValid(&io.MousePos) &&
           static_cast<int>(std::floor(io.MousePos.x)) == viewX &&
           static_cast<int>(std::floor(io.MousePos.y)) == viewY;
}

// Asked again at every frame: the renderer's output can change size without an event reaching
// us first (fullscreen, a display change).
void Shell::refreshPlacement() {
    if (renderer_ == nullptr || window_ == nullptr) {
        return;
    }
    int outW = 0;
    int outH = 0;
    int winW = 0;
    int winH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    SDL_GetWindowSize(window_, &winW, &winH);
    place_ = frame_ != nullptr ? placeView(outW, outH, options_.scale)
                               : ViewRect{0, 0, kViewPixelsW, kViewPixelsH};
    outputPerWindowX_ = winW > 0 && outW > 0 ? static_cast<float>(outW) / winW : 1;
    outputPerWindowY_ = winH > 0 && outH > 0 ? static_cast<float>(outH) / winH : 1;
}

ViewPixel Shell::viewPixelOf(int windowX, int windowY) const {
    return viewPixelAt(
        place_, static_cast<int>(std::floor(static_cast<float>(windowX) * outputPerWindowX_)),
        static_cast<int>(std::floor(static_cast<float>(windowY) * outputPerWindowY_)));
}

// The SDL backend sizes ImGui's display to the window and reads the pointer in window
// coordinates; the panel lives on the 800 x 600 frame, so both are put back into its terms.
void Shell::fitImGuiToView() {
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(kViewPixelsW), static_cast<float>(kViewPixelsH));
    io.DisplayFramebufferScale = ImVec2(1, 1);
    if (ImGui::IsMousePosValid(&io.MousePos)) {
        float vx = 0;
        float vy = 0;
        viewPositionAt(place_, io.MousePos.x * outputPerWindowX_, io.MousePos.y * outputPerWindowY_,
                       vx, vy);
        io.MousePos = ImVec2(vx, vy);
    }
    if (player_ != nullptr) {
        // A replay's panel shows what the recording typed; the player's mouse leaves it alone.
        io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
        for (bool& down : io.MouseDown) {
            down = false;
        }
    }
}

// The overlays live in the foreground list, drawn after a screenshot is taken, so a shot shows
// the game and its panel but not the front end's own notes.
void Shell::renderImGuiLists(bool foreground) {
    ImDrawData* all = ImGui::GetDrawData();
    if (all == nullptr || !all->Valid) {
        return;
    }
    const ImDrawList* overlay = ImGui::GetForegroundDrawList();
    drawLists_.clear();
    for (int i = 0; i < all->CmdListsCount; ++i) {
        if ((all->CmdLists[i] == overlay) == foreground) {
            drawLists_.push_back(all->CmdLists[i]);
        }
    }
    if (drawLists_.empty()) {
        return;
    }
    ImDrawData part = *all;
    part.CmdLists = drawLists_.data();
    part.CmdListsCount = static_cast<int>(drawLists_.size());
    ImGui_ImplSDLRenderer_RenderDrawData(&part);
}

void Shell::takeScreenshot() {
    const uint32_t now = SDL_GetTicks();
    std::vector<uint8_t> rgb(static_cast<size_t>(kViewPixelsW) * kViewPixelsH * 3);
    const SDL_Rect all{0, 0, kViewPixelsW, kViewPixelsH};
    if (SDL_RenderReadPixels(renderer_, &all, SDL_PIXELFORMAT_RGB24, rgb.data(),
                             kViewPixelsW * 3) != 0) {
        overlays_.showNote(std::string("Screenshot failed: ") + SDL_GetError(), now);
        return;
    }
    const std::optional<std::string> folder = picturesFolder(processEnvironment());
    if (!folder) {
        overlays_.showNote("Screenshot failed: no pictures folder (HOME is not set)", now);
        return;
    }
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    const SavedShot shot = saveScreenshot(*folder, local, rgb.data(), kViewPixelsW, kViewPixelsH);
    overlays_.showNote(
        shot.ok ? "Screenshot saved: " + shot.path : "Screenshot failed: " + shot.problem, now);
}

void Shell::present() {
    const Game& g = *game_;
    const OverlayFacts facts{passMeter_.last(), g.rocks.rockcount, g.stage};
    const bool overlaysChanged = overlays_.update(facts, SDL_GetTicks());
    // An unchanged picture is not sent again, so a still world costs almost nothing.
    const bool changed = forcePresent_ || panelFrames_ > 0 || overlaysChanged || screenshotDue_ ||
                         g.picground.revision() != shownRevision_ ||
                         g.picground.Left != shownLeft_ || g.picground.Top != shownTop_;
    if (!changed) {
        return;
    }
    forcePresent_ = false;
    if (panelFrames_ > 0) {
        --panelFrames_;
    }
    shownRevision_ = g.picground.revision();
    shownLeft_ = g.picground.Left;
    shownTop_ = g.picground.Top;
    refreshPlacement();
    composeView(*game_, view_.data());
    SDL_UpdateTexture(texture_, nullptr, view_.data(),
                      kViewPixelsW * static_cast<int>(sizeof(Colour)));
    const SDL_Rect frameRect{0, 0, kViewPixelsW, kViewPixelsH};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, SDL_ALPHA_OPAQUE);
    if (frame_ != nullptr) {
        SDL_SetRenderTarget(renderer_, frame_);
    } else {
        SDL_RenderClear(renderer_);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, &frameRect);
    if (imgui_) {
        ImGui_ImplSDLRenderer_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        fitImGuiToView();
        ImGui::NewFrame();
        drawPanel(*game_, recorder_.get());
        overlays_.draw();
        ImGui::Render();
        renderImGuiLists(false);
    }
    if (screenshotDue_) {
        screenshotDue_ = false;
        takeScreenshot();
    }
    if (imgui_) {
        renderImGuiLists(true);
    }
    if (frame_ != nullptr) {
        SDL_SetRenderTarget(renderer_, nullptr);
        int outW = 0;
        int outH = 0;
        SDL_GetRendererOutputSize(renderer_, &outW, &outH);
        if (place_.x > 0 || place_.y > 0 || place_.w < outW || place_.h < outH) {
            SDL_RenderClear(renderer_); // the bars
        }
        const SDL_Rect dst{place_.x, place_.y, place_.w, place_.h};
        SDL_RenderCopy(renderer_, frame_, nullptr, &dst);
    }
    SDL_RenderPresent(renderer_);
}

} // namespace wh::front
