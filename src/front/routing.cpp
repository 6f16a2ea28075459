// The panel lies over the playfield, so it is asked first; the playfield covers the rest of the
// window unless the camera has moved it off an edge.
#include "front/routing.hpp"

#include "front/panelview.hpp"

#include <string_view>

namespace wh::front {

bool overPlayfield(const Game& g, int px, int py) {
    const float x = static_cast<float>(px) * kTwipsPerPixel - g.picground.Left;
    const float y = static_cast<float>(py) * kTwipsPerPixel - g.picground.Top;
    return x >= 0 && y >= 0 && x < static_cast<float>(Playfield::Width) &&
           y < static_cast<float>(Playfield::Height);
}

PressTarget pressTarget(const Game& g, int px, int py, bool panelHasMouse) {
    if (g.panel.visible &&
        (panelHasMouse || panelRect(g).contains(static_cast<float>(px), static_cast<float>(py)))) {
        return PressTarget::panel;
    }
    return overPlayfield(g, px, py) ? PressTarget::playfield : PressTarget::window;
}

bool fellBackToNoDisplay(const char* driver, const char* requested) {
    if (requested != nullptr && requested[0] != '\0') {
        return false;
    }
    const std::string_view d = driver == nullptr ? "" : driver;
    return d.empty() || d == "offscreen" || d == "dummy";
}

} // namespace wh::front
