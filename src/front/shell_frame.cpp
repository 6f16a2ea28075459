// The window's picture: the view, the panel and the overlays drawn at 800 x 600, copied to the
// window at the largest whole factor that fits, and only when something in it changed; the
// fullscreen switch and the screenshot of that picture.
#include "front/shell.hpp"

#include "app/numeric.hpp"
#include "app/view.hpp"
#include "app/window.hpp"
#include "front/keymap.hpp"
#include "front/panelview.hpp"
#include "front/routing.hpp"
#include "front/screenshot.hpp"

#include <imgui.h>

#include <algorithm>
#include <imgui_impl_sdl.h>
#include <imgui_impl_sdlrenderer.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

namespace wh::front {

void Shell::toggleFullscreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
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
    place_ = frame_ != nullptr ? placeView(outW, outH, options_.scale)
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
// It is drawn with the overlays, so screenshots leave it out.
void Shell::drawBrushOutline() {
    const ImGuiIO& io = ImGui::GetIO();
    if (!brushMode_ || player_ || !ImGui::IsMousePosValid(&io.MousePos) || io.WantCaptureMouse) {
        return;
    }
    const float radius = std::max(1.0f, static_cast<float>(game_->brushwidth) / 2);
    ImDrawList* d = ImGui::GetForegroundDrawList();
    d->AddCircle(io.MousePos, radius + 1, IM_COL32(0, 0, 0, 200), 0, 1.0f);
    d->AddCircle(io.MousePos, radius, IM_COL32(255, 255, 255, 230), 0, 1.0f);
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
        drawPanel(session_);
        drawBrushOutline();
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
