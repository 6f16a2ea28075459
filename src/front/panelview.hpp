// The "Rocks" panel drawn with Dear ImGui from the core's panel model. It is a child of the
// playfield: it sits at playfield (0, 660) twips and scrolls away with it.
#pragma once

#include "app/game.hpp"
#include "recorder.hpp"

namespace wh::front {

struct PanelRect {
    float x, y, w, h; // window pixels
    bool contains(float px, float py) const {
        return px >= x && py >= y && px < x + w && py < y + h;
    }
};

// Where the panel lies in the window now, from the playfield's Left and Top.
PanelRect panelRect(const Game& g);

// Applies the classic look: grey face, white boxes, black text.
void stylePanel();

// Builds the panel's widgets for this frame; a changed list selection raises its click handler.
// What the player changes is told to the recorder, when there is one.
void drawPanel(Game& g, sim::Recorder* rec = nullptr);

} // namespace wh::front
