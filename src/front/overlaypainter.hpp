// The overlays drawn at the window's own resolution, after the frame is in place: a Dear ImGui
// context of their own over the whole renderer output, beside the panel's 800 x 600 one, with
// the built-in font baked at every text scale, so that no text is ever stretched.
#pragma once

#include "front/overlaylayout.hpp"

#include <SDL.h>

#include <vector>

struct ImGuiContext;
struct ImFont;

namespace wh::front {

class OverlayPainter {
public:
    // Leaves whichever ImGui context was current as it was.
    explicit OverlayPainter(SDL_Renderer* renderer);
    ~OverlayPainter();
    OverlayPainter(const OverlayPainter&) = delete;
    OverlayPainter& operator=(const OverlayPainter&) = delete;

    // The font's measures at text scale 1, window pixels.
    TextMetrics unit() const { return unit_; }
    // Draws `layout` over the renderer's current target, outW x outH pixels.
    void paint(const OverlayLayout& layout, int outW, int outH);

private:
    struct BakedFont {
        float scale;
        ImFont* font;
    };

    ImFont* fontAt(float scale) const;

    ImGuiContext* context_ = nullptr;
    std::vector<BakedFont> fonts_; // the whole scales from 1 up, then the shrunk ones
    TextMetrics unit_;
};

} // namespace wh::front
