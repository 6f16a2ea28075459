// The window's life and its one loop, for play, recording and replay alike: note the time, run the
// pass, deliver events (present, pump SDL into the handlers, tick the timer), then wait out the
// rest of the 16 ms; while the help is open only the events run. The game reads the real clock; a
// recording keeps what it read, so a replay plays the same game here and in wreckhaul-sim.
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
#include "tools/keyboard.hpp"

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
#include <filesystem>
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

// True when the kernel offers a GPU to render with: a DRM render node.
bool hasGpuRenderNode() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
        if (entry.path().filename().string().starts_with("renderD")) {
            return true;
        }
    }
    return false;
}

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
      view_(static_cast<size_t>(kViewPixelsW) * kViewPixelsH, kWindowBackground), session_(*game_) {
    if (options_.fit) {
        windowedScaling_ = Scaling::fit;
    }
}

Shell::~Shell() {
    audio_.reset();
    painter_.reset();
    for (SDL_GameController* c : controllers_) {
        SDL_GameControllerClose(c);
    }
    if (imgui_) {
        ImGui_ImplSDLRenderer_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
    }
    if (sharp_ != nullptr) {
        SDL_DestroyTexture(sharp_);
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
    if (!options_.settingsPath.empty()) {
        std::string warning;
        settings_ = loadSettings(options_.settingsPath, warning);
        if (!warning.empty()) {
            std::fprintf(stderr, "wreckhaul: %s\n", warning.c_str());
        }
    }
    // What the command line asks for wins over what was kept.
    settings_.fullscreen = settings_.fullscreen || options_.fullscreen;
    if (settings_.fit) {
        windowedScaling_ = Scaling::fit;
    }
    if (!settings_.statusLine && overlays_.statusShown()) {
        overlays_.toggleStatus();
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
    // A window as large as the desktop comfortably holds, at a whole factor of the view, and
    // never larger than the desktop, whatever --scale asks.
    const int factor = options_.scale > 0 ? options_.scale : 1;
    WindowSize size{kViewPixelsW * factor, kViewPixelsH * factor};
    if (SDL_Rect usable{}; SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        size = openingSize(usable.w, usable.h, options_.scale);
        if (const std::string refusal = scaleRefusal(options_.scale, usable.w, usable.h);
            !refusal.empty()) {
            std::fprintf(stderr, "wreckhaul: %s\n", refusal.c_str());
        }
    }
    uint32_t flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    if (settings_.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    window_ = SDL_CreateWindow(kWindowCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               size.w, size.h, flags);
    if (window_ == nullptr) {
        std::fprintf(stderr, "wreckhaul: %s\n", SDL_GetError());
        return false;
    }
    SDL_SetWindowMinimumSize(window_, std::min(kMinWindowW, size.w), std::min(kMinWindowH, size.h));
    if (SDL_GetHint(SDL_HINT_RENDER_DRIVER) == nullptr && !hasGpuRenderNode()) {
        // No GPU at all: SDL's own software renderer from the start. Trying OpenGL first would
        // load Mesa's emulation (LLVM alone is about 55 MB) and keep it resident for nothing.
        if (SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION) == nullptr) {
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        }
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    } else {
        renderer_ = SDL_CreateRenderer(window_, -1, 0);
    }
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
        maxTextureW_ = info.max_texture_width;
        maxTextureH_ = info.max_texture_height;
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
    painter_ = std::make_unique<OverlayPainter>(renderer_);
    // The command line's --mute and --volume win over what was kept.
    audio_ = std::make_unique<Audio>(options_.volume != kDefaultVolume ? options_.volume
                                                                       : settings_.volume,
                                     options_.mute || settings_.muted);
    // Controllers are a comfort: without the subsystem the game plays on the keyboard alone.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    SDL_StartTextInput();
    return true;
}

// The files of a recording or a replay are opened before the window, so a bad path costs nothing;
// a replay is read and checked whole, so one that holds anything but play never starts.
bool Shell::openSession() {
    if (!options_.replayPath.empty()) {
        std::ifstream in(options_.replayPath, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "wreckhaul: cannot read the recording %s: %s\n",
                         options_.replayPath.c_str(), std::strerror(errno));
            return false;
        }
        std::string error;
        player_ = session::Player::read(in, options_.replayPath, error);
        if (!player_) {
            std::fprintf(stderr, "wreckhaul: %s\n", error.c_str());
            return false;
        }
    }
    if (!options_.recordPath.empty()) {
        recordFile_.open(options_.recordPath, std::ios::binary | std::ios::trunc);
        if (!recordFile_) {
            std::fprintf(stderr, "wreckhaul: cannot write the recording to %s: %s\n",
                         options_.recordPath.c_str(), std::strerror(errno));
            return false;
        }
    }
    return true;
}

void Shell::startUp(uint64_t seed) {
    overlays_.start(SDL_GetTicks());
    if (recordFile_.is_open()) {
        recorder_ = std::make_unique<session::Recorder>(session_, recordFile_);
    }
    if (player_) {
        if (const auto step = player_->begin(session_); step != session::Player::Step::pass) {
            endReplay(step);
        }
    } else {
        session_.start(seed);
        session_.readClock(SDL_GetTicks());
    }
    present();
}

bool Shell::finishRecording() {
    if (recorder_ != nullptr) {
        recorder_->finish();
        recorder_.reset();
        recordFile_.close();
        if (recordFile_.fail()) {
            // A full disk or a lost device: the player must not believe the game was kept.
            std::fprintf(stderr, "wreckhaul: the recording %s could not be written in full\n",
                         options_.recordPath.c_str());
            recordLost_ = true;
        }
    }
    return !recordLost_;
}

bool Shell::runPass() {
    const uint32_t startMicros = steadyMicros();
    // The world waits while the player reads the help: no work and no tick, so a recording or a
    // replay simply has no passes for that time. A pass begun before it opened still ticks.
    const bool waiting = overlays_.helpShown();
    if (!waiting && !replayWork()) {
        session_.readClock(SDL_GetTicks());
        session_.work();
    }
    present();
    if (!waiting && !player_) {
        session_.readClock(SDL_GetTicks());
    }
    deliverEvents();
    if (!waiting && !game_->ended && !quit_) {
        if (player_) {
            replayTick();
        } else {
            session_.tick();
        }
    }
    hearSounds();
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

bool Shell::replayWork() {
    if (!player_) {
        return false;
    }
    const session::Player::Step step = player_->work(session_);
    if (step == session::Player::Step::pass || step == session::Player::Step::ended) {
        return true;
    }
    endReplay(step);
    return false;
}

void Shell::replayTick() {
    if (const auto step = player_->tick(session_);
        step != session::Player::Step::pass && step != session::Player::Step::ended) {
        endReplay(step);
    }
}

void Shell::endReplay(session::Player::Step step) {
    if (step == session::Player::Step::diverged) {
        std::fprintf(stderr, "wreckhaul: %s\n", player_->error().c_str());
        overlays_.showNote("Replay stopped: " + player_->error(), SDL_GetTicks());
    } else {
        overlays_.showNote("Replay over: the game is yours", SDL_GetTicks());
    }
    player_.reset();
}

void Shell::run() {
    while (runPass()) {
    }
}

bool Shell::replayLetsThrough(const SDL_Event& e) const {
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
        return isWindowKey(e.key.keysym.sym);
    }
    return e.type != SDL_TEXTINPUT && e.type != SDL_CONTROLLERBUTTONDOWN &&
           e.type != SDL_CONTROLLERBUTTONUP && e.type != SDL_CONTROLLERAXISMOTION &&
           !isMouseEvent(e);
}

void Shell::deliverEvents() {
    SDL_Event e;
    while (!game_->ended && !quit_ && SDL_PollEvent(&e) != 0) {
        if (player_ && (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) &&
            e.key.keysym.sym == SDLK_ESCAPE) {
            quit_ = quit_ || e.type == SDL_KEYDOWN; // leaving is the one thing the player decides
            continue;
        }
        if (player_ && !replayLetsThrough(e)) {
            continue;
        }
        handle(e);
    }
}

void Shell::hearSounds() {
    Game& g = *game_;
    if (audio_) {
        audio_->hear(g.sounds, g.picground.Left, g.picground.Top);
    }
    g.sounds.clear();
}

} // namespace wh::front
