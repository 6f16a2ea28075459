// Painting the overlays' boxes and lines: light text on dark, slightly see-through boxes, so the
// game still shows beneath them, each text scale with the font baked at its size.
#include "front/overlaypainter.hpp"

#include <imgui.h>
#include <imgui_impl_sdlrenderer.h>

#include <cmath>

namespace wh::front {

namespace {

constexpr float kFontPixels = 13;          // the built-in font's own size
constexpr float kFrameSeconds = 1.0f / 60; // ImGui wants some time to pass between frames

constexpr ImU32 kBoxColour = IM_COL32(12, 14, 24, 228);
constexpr ImU32 kStatusColour = IM_COL32(12, 14, 24, 200);
constexpr ImU32 kEdgeColour = IM_COL32(150, 150, 170, 255);
constexpr ImU32 kTextColour = IM_COL32(235, 235, 235, 255);
constexpr ImU32 kKeyColour = IM_COL32(255, 214, 110, 255);
constexpr ImU32 kTitleColour = IM_COL32(140, 200, 255, 255);

// Makes `context` current for as long as it lives.
class ContextScope {
public:
    explicit ContextScope(ImGuiContext* context) : previous_(ImGui::GetCurrentContext()) {
        ImGui::SetCurrentContext(context);
    }
    ~ContextScope() { ImGui::SetCurrentContext(previous_); }
    ContextScope(const ContextScope&) = delete;
    ContextScope& operator=(const ContextScope&) = delete;

private:
    ImGuiContext* previous_;
};

ImU32 inkColour(Ink ink) {
    switch (ink) {
    case Ink::key:
        return kKeyColour;
    case Ink::title:
        return kTitleColour;
    default:
        return kTextColour;
    }
}

} // namespace

OverlayPainter::OverlayPainter(SDL_Renderer* renderer) {
    context_ = ImGui::CreateContext();
    ContextScope scope(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr; // nothing is saved
    auto bake = [&io](float scale, bool whole) {
        ImFontConfig config;
        config.SizePixels = kFontPixels * scale;
        if (whole) {
            // Every pixel of the font on one of the window's: no smoothing, no sub-pixel places.
            config.OversampleH = 1;
            config.OversampleV = 1;
            config.PixelSnapH = true;
        }
        return BakedFont{scale, io.Fonts->AddFontDefault(&config)};
    };
    for (int s = 1; s <= kMaxTextScale; ++s) {
        fonts_.push_back(bake(static_cast<float>(s), true));
    }
    for (const float scale : kShrunkTextScales) {
        fonts_.push_back(bake(scale, false));
    }
    io.Fonts->Build();
    const ImFont* smallest = fonts_.front().font;
    unit_ = {smallest->FindGlyph('M')->AdvanceX, smallest->FontSize};
    ImGui_ImplSDLRenderer_Init(renderer);
}

OverlayPainter::~OverlayPainter() {
    {
        ContextScope scope(context_);
        ImGui_ImplSDLRenderer_Shutdown();
    }
    ImGuiContext* previous = ImGui::GetCurrentContext();
    ImGui::DestroyContext(context_);
    if (previous != context_) {
        ImGui::SetCurrentContext(previous);
    }
}

// The font baked at `scale`, else the nearest one drawn at that size.
ImFont* OverlayPainter::fontAt(float scale) const {
    const BakedFont* best = &fonts_.front();
    for (const BakedFont& f : fonts_) {
        if (std::abs(f.scale - scale) < std::abs(best->scale - scale)) {
            best = &f;
        }
    }
    return best->font;
}

void OverlayPainter::paint(const OverlayLayout& layout, int outW, int outH) {
    ContextScope scope(context_);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(outW), static_cast<float>(outH));
    io.DisplayFramebufferScale = ImVec2(1, 1);
    io.DeltaTime = kFrameSeconds;
    ImGui_ImplSDLRenderer_NewFrame();
    ImGui::NewFrame();
    ImDrawList* d = ImGui::GetForegroundDrawList();
    for (const auto* overlay : layout.all()) {
        if (!overlay->has_value()) {
            continue;
        }
        const OverlayBox& o = **overlay;
        const ImVec2 min = ImVec2(o.box.x, o.box.y);
        const ImVec2 max = ImVec2(o.box.right(), o.box.bottom());
        if (overlay == &layout.status) {
            d->AddRectFilled(min, max, kStatusColour);
        } else {
            d->AddRectFilled(min, max, kBoxColour);
            d->AddRect(min, max, kEdgeColour);
        }
        ImFont* font = fontAt(o.scale);
        for (const TextRun& run : o.runs) {
            d->AddText(font, kFontPixels * o.scale, ImVec2(run.x, run.y), inkColour(run.ink),
                       run.text.c_str());
        }
    }
    ImGui::Render();
    ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
}

} // namespace wh::front
