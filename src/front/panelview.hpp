// The "Rocks" panel drawn with Dear ImGui from the core's panel model. It is a child of the
// playfield: it sits at playfield (0, 660) twips and scrolls away with it.
#pragma once

#include "app/game.hpp"
#include "session/session.hpp"

#include <string_view>

namespace wh::front {

struct PanelRect {
    float x, y, w, h; // window pixels
    bool contains(float px, float py) const {
        return px >= x && py >= y && px < x + w && py < y + h;
    }
};

// Where a caption of the panel stands, in pixels from the panel's left edge: the text's extent,
// where the designed layout puts it, and where the control to its right begins.
struct PanelCaption {
    float left = 0, right = 0;
    float designed = 0;
    float nextControl = 0;
};
PanelCaption panelCaption(std::string_view label, std::string_view text);

// Where the panel lies in the window now, from the playfield's Left and Top.
PanelRect panelRect(const Game& g);

// Applies the classic look: grey face, white boxes, black text.
void stylePanel();

// Builds the panel's widgets for this frame from the game's panel; what the player changes (a
// list selection, a text box's text, a check box) reaches the game as the session's input.
void drawPanel(session::Session& s);

} // namespace wh::front
