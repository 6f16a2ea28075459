// The window's picture: the view and the panel drawn at 800 x 600, taken to the window at a whole
// factor or filling it, over bars that cannot be taken for the sky, with the overlays drawn at
// the window's own resolution last, and only when something in it changed; the fullscreen and
// scaling switches and the screenshot of the 800 x 600 picture.
#include "front/shell.hpp"

#include "app/numeric.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "front/keymap.hpp"
#include "front/panelview.hpp"
#include "front/routing.hpp"
#include "front/screenshot.hpp"
#include "front/status.hpp"

#include <imgui.h>

#include <algorithm>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

namespace wh::front {

namespace {

// The bars around the view: a dark grey-blue that no one takes for the black sky, and a thin
// lighter edge where they meet the view.
constexpr SDL_Color kBarColour{30, 34, 46, SDL_ALPHA_OPAQUE};
constexpr SDL_Color kBarEdgeColour{74, 82, 106, SDL_ALPHA_OPAQUE};

void setDrawColour(SDL_Renderer* renderer, SDL_Color c) {
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
}

} // namespace

bool Shell::fullscreen() const {
    return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

Scaling Shell::scaling() const {
    return window_ != nullptr && fullscreen() ? fullscreenScaling_ : windowedScaling_;
}

// Switches the way the view grows for the window as it is, windowed or fullscreen; each keeps
// its own.
void Shell::toggleScaling() {
    Scaling& s = fullscreen() ? fullscreenScaling_ : windowedScaling_;
    s = s == Scaling::fit ? Scaling::whole : Scaling::fit;
    if (!fullscreen()) {
        settings_.fit = s == Scaling::fit; // the window's choice is the one kept
        keepSettings();
    }
    overlays_.showNote(s == Scaling::fit ? "View: filling the window"
                                         : "View: whole factors, every pixel square",
                       SDL_GetTicks());
    refreshPlacement();
    forcePresent_ = true;
}

void Shell::toggleFullscreen() {
    const bool full = fullscreen();
    if (SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        overlays_.showNote(std::string("Fullscreen failed: ") + SDL_GetError(), SDL_GetTicks());
    } else {
        settings_.fullscreen = !full;
        keepSettings();
    }
    refreshPlacement();
    forcePresent_ = true;
}

void Shell::keepSettings() {
    std::string error;
    if (!options_.settingsPath.empty() && !saveSettings(options_.settingsPath, settings_, error)) {
        std::fprintf(stderr, "wreckhaul: the settings were not kept: %s\n", error.c_str());
        overlays_.showNote("Settings not kept: " + error, SDL_GetTicks());
    }
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
    place_ = frame_ != nullptr ? placeView(outW, outH, scaling(), options_.scale)
                               : ViewRect{0, 0, kViewPixelsW, kViewPixelsH};
    outputPerWindowX_ = winW > 0 && outW > 0 ? static_cast<float>(outW) / winW : 1;
    outputPerWindowY_ = winH > 0 && outH > 0 ? static_cast<float>(outH) / winH : 1;
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
    if (player_) {
        // A replay's panel shows what the recording typed; the player's mouse leaves it alone.
        io.MousePos = ImVec2(-FLT_MAX, -FLT_MAX);
        for (bool& down : io.MouseDown) {
            down = false;
        }
    }
}

// While the brush is on, a circle of its width under the pointer shows what a stroke will cover.
// It is drawn into the frame after a screenshot is taken, so shots leave it out.
void Shell::drawBrushOutline() {
    const ImGuiIO& io = ImGui::GetIO();
    if (!brushMode_ || player_ || !ImGui::IsMousePosValid(&io.MousePos) || io.WantCaptureMouse) {
        return;
    }
    constexpr int kSegments = 32;
    const float radius = std::max(1.0f, static_cast<float>(game_->brushwidth) / 2);
    std::array<SDL_FPoint, kSegments + 1> ring{};
    for (const auto& [r, shade] : {std::pair{radius + 1, 0}, std::pair{radius, 255}}) {
        for (int i = 0; i <= kSegments; ++i) {
            const float a = 2 * static_cast<float>(M_PI) * static_cast<float>(i) / kSegments;
            ring[static_cast<size_t>(i)] = {io.MousePos.x + r * std::cos(a),
                                            io.MousePos.y + r * std::sin(a)};
        }
        SDL_SetRenderDrawColor(renderer_, static_cast<uint8_t>(shade), static_cast<uint8_t>(shade),
                               static_cast<uint8_t>(shade), SDL_ALPHA_OPAQUE);
        SDL_RenderDrawLinesF(renderer_, ring.data(), static_cast<int>(ring.size()));
    }
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

// The frame goes to its place in one sharp copy when that is a whole factor; otherwise it is
// first enlarged to the next whole factor above the place, nearest pixel, and that is shrunk to
// the place smoothly, so each view pixel keeps a crisp edge however odd the window's size.
void Shell::showFrame() {
    SDL_SetRenderTarget(renderer_, nullptr);
    int outW = 0;
    int outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    const SDL_Rect dst{place_.x, place_.y, place_.w, place_.h};
    if (place_.x > 0 || place_.y > 0 || place_.w < outW || place_.h < outH) {
        setDrawColour(renderer_, kBarColour);
        SDL_RenderClear(renderer_);
        setDrawColour(renderer_, kBarEdgeColour);
        const SDL_Rect edge{dst.x - 1, dst.y - 1, dst.w + 2, dst.h + 2};
        SDL_RenderDrawRect(renderer_, &edge);
    }
    if (isWholeFactor(place_)) {
        SDL_RenderCopy(renderer_, frame_, nullptr, &dst);
        return;
    }
    const int factor = sharpFactor(place_, maxTextureW_, maxTextureH_);
    if (factor != sharpFactor_ && sharp_ != nullptr) {
        SDL_DestroyTexture(sharp_);
        sharp_ = nullptr;
    }
    if (sharp_ == nullptr && factor > 1) {
        uint32_t format = 0;
        SDL_QueryTexture(frame_, &format, nullptr, nullptr, nullptr);
        sharp_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_TARGET,
                                   kViewPixelsW * factor, kViewPixelsH * factor);
        if (sharp_ != nullptr) {
            SDL_SetTextureScaleMode(sharp_, SDL_ScaleModeLinear);
        }
    }
    sharpFactor_ = factor;
    if (factor > 1 && sharp_ != nullptr && SDL_SetRenderTarget(renderer_, sharp_) == 0) {
        SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
        SDL_SetRenderTarget(renderer_, nullptr);
        SDL_RenderCopy(renderer_, sharp_, nullptr, &dst);
        return;
    }
    // Smaller than the view, or no room for an enlarged copy: the one smooth step alone.
    SDL_SetTextureScaleMode(frame_, SDL_ScaleModeLinear);
    SDL_RenderCopy(renderer_, frame_, nullptr, &dst);
    SDL_SetTextureScaleMode(frame_, SDL_ScaleModeNearest);
}

void Shell::present() {
    const Game& g = *game_;
    OverlayFacts facts{passMeter_.last(), g.rocks.rockcount, g.stage, {}};
    if (overlays_.statusShown()) {
        facts.status =
            statusItems(g, player_ ? std::optional<uint64_t>(session_.passes()) : std::nullopt);
    }
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
    if (frame_ != nullptr) {
        SDL_SetRenderTarget(renderer_, frame_);
    } else {
        setDrawColour(renderer_, kBarColour);
        SDL_RenderClear(renderer_);
    }
    SDL_RenderCopy(renderer_, texture_, nullptr, &frameRect);
    if (imgui_) {
        ImGui_ImplSDLRenderer_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        fitImGuiToView();
        ImGui::NewFrame();
        drawPanel(session_);
        ImGui::Render();
        ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
    }
    if (screenshotDue_) {
        screenshotDue_ = false;
        takeScreenshot(); // the game and its panel, before anything of the window's own
    }
    drawBrushOutline();
    if (frame_ != nullptr) {
        showFrame();
    }
    if (painter_) {
        int outW = 0;
        int outH = 0;
        SDL_GetRendererOutputSize(renderer_, &outW, &outH);
        painter_->paint(layoutOverlays(overlays_.scene(), helpSections(), place_, {outW, outH},
                                       painter_->unit()),
                        outW, outH);
    }
    SDL_RenderPresent(renderer_);
}

} // namespace wh::front
