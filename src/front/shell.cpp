// The loop as the game runs it: note the time, run the pass, deliver events (present, pump SDL
// into the handlers, tick the timer), then wait out the rest of the 16 ms.
#include "front/shell.hpp"

#include "app/mainloop.hpp"
#include "app/numeric.hpp"
#include "app/pacing.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "front/keymap.hpp"
#include "front/panelview.hpp"
#include "front/routing.hpp"
#include "tools/keyboard.hpp"
#include "tools/mouse.hpp"
#include "vehicle/keys.hpp"

#include <imgui.h>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

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

} // namespace

Shell::Shell()
    : game_(std::make_unique<Game>()),
      view_(static_cast<size_t>(kViewPixelsW) * kViewPixelsH, kWindowBackground) {}

Shell::~Shell() {
    beeper_.reset();
    if (imgui_) {
        ImGui_ImplSDLRenderer_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
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
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "wreckhaul: cannot open the game window: %s\n", SDL_GetError());
        return false;
    }
    if (fellBackToNoDisplay(SDL_GetCurrentVideoDriver(), SDL_GetHint(SDL_HINT_VIDEODRIVER))) {
        std::fprintf(stderr, "wreckhaul: no display to open the game window on "
                             "(is DISPLAY or WAYLAND_DISPLAY set?)\n");
        return false;
    }
    window_ = SDL_CreateWindow(kWindowCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               kViewPixelsW, kViewPixelsH, SDL_WINDOW_SHOWN);
    if (window_ == nullptr) {
        std::fprintf(stderr, "wreckhaul: %s\n", SDL_GetError());
        return false;
    }
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

void Shell::startUp(uint64_t seed) {
    game_->now = SDL_GetTicks();
    Form_Load(*game_, seed);
    present();
}

bool Shell::runPass() {
    const uint32_t startMicros = steadyMicros();
    game_->passstart = static_cast<int32_t>(SDL_GetTicks());
    mainpass(*game_);
    eventStep();
    if (game_->ended || quit_) {
        return false;
    }
    SystemClock clock;
    waitPassEnd(startMicros, clock);
    return true;
}

void Shell::run() {
    while (runPass()) {
    }
}

void Shell::eventStep() {
    present();
    game_->now = SDL_GetTicks();
    SDL_Event e;
    while (!game_->ended && !quit_ && SDL_PollEvent(&e) != 0) {
        handle(e);
    }
    if (!game_->ended && !quit_) {
        eventstep(*game_);
    }
    while (beepsHeard_ != game_->beeps) {
        beepsHeard_ = game_->beeps;
        if (beeper_) {
            beeper_->beep();
        }
    }
}

// Keys reach the window's handlers first, whatever has the focus, and then go on to the focused
// panel control: a digit typed into a text box edits it and runs the digit's command.
void Shell::handle(const SDL_Event& e) {
    Game& g = *game_;
    // The panel is redrawn for a few frames after any input, long enough for the panel to
    // show what the input did, and then left alone while nothing happens.
    panelFrames_ = kPanelSettleFrames;
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
            Form_KeyDown(g, vk, shift);
        }
        if (const int16_t ch = controlCharacter(e.key.keysym.sym); ch >= 0 && !g.ended) {
            Form_KeyPress(g, ch);
        }
        break;
    }
    case SDL_KEYUP:
        if (const int16_t vk = virtualKey(e.key.keysym.sym, e.key.keysym.mod); vk != 0) {
            Form_KeyUp(g, vk, shiftState(e.key.keysym.mod));
        }
        break;
    case SDL_TEXTINPUT:
        for (const int16_t ch : textCharacters(e.text.text)) {
            if (g.ended) {
                break;
            }
            Form_KeyPress(g, ch);
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
            Form_MouseMove(g, buttonsHeld(e.motion.state), shift, wx, wy);
        }
        return;
    }
    const int16_t button = buttonCode(e.button.button);
    const float wx = static_cast<float>(e.button.x) * kTwips;
    const float wy = static_cast<float>(e.button.y) * kTwips;
    if (e.type == SDL_MOUSEBUTTONDOWN) {
        // While the window holds the mouse every press is its own; otherwise the panel (or a
        // list it has opened) comes first, then the playfield.
        const PressTarget target =
            formCapture_
                ? PressTarget::window
                : pressTarget(g, e.button.x, e.button.y, imgui_ && ImGui::GetIO().WantCaptureMouse);
        if (!formCapture_ && imgui_) {
            ImGui_ImplSDL2_ProcessEvent(&e); // a press elsewhere takes the focus off the panel
        }
        if (target == PressTarget::panel) {
            return;
        }
        if (target == PressTarget::playfield) {
            picground_MouseDown(g, button, shift, wx - g.picground.Left, wy - g.picground.Top);
            return;
        }
        formCapture_ = true;
        SDL_CaptureMouse(SDL_TRUE);
        Form_MouseDown(g, button, shift, wx, wy);
        return;
    }
    if (formCapture_) {
        formCapture_ = false;
        SDL_CaptureMouse(SDL_FALSE);
        Form_MouseUp(g, button, shift, wx, wy);
    }
}

void Shell::present() {
    const Game& g = *game_;
    // An unchanged picture is not sent again, so a still world costs almost nothing.
    const bool changed = forcePresent_ || panelFrames_ > 0 ||
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
    composeView(*game_, view_.data());
    SDL_UpdateTexture(texture_, nullptr, view_.data(),
                      kViewPixelsW * static_cast<int>(sizeof(Colour)));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    if (imgui_) {
        ImGui_ImplSDLRenderer_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        ImGui::NewFrame();
        drawPanel(*game_);
        ImGui::Render();
        ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    }
    SDL_RenderPresent(renderer_);
}

} // namespace wh::front
