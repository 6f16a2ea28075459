// The only place outside the rules' own tests that calls the game's event handlers.
#include "session/input.hpp"

#include "tools/brush.hpp"
#include "tools/keyboard.hpp"
#include "tools/lists.hpp"
#include "tools/mouse.hpp"
#include "tools/panelfields.hpp"
#include "vehicle/keys.hpp"

namespace wh::session {

namespace {

constexpr int16_t kNoModifiers = 0;

struct Deliver {
    Game& g;

    void operator()(const KeyDown& k) const { Form_KeyDown(g, k.vk, kNoModifiers); }
    void operator()(const KeyUp& k) const { Form_KeyUp(g, k.vk, kNoModifiers); }
    void operator()(const Character& c) const { Form_KeyPress(g, c.code); }
    void operator()(const PlayfieldPress& p) const {
        picground_MouseDown(g, p.button, kNoModifiers, p.x, p.y);
    }
    void operator()(const WindowMouse& m) const {
        switch (m.phase) {
        case MousePhase::down:
            Form_MouseDown(g, m.buttons, kNoModifiers, m.x, m.y);
            break;
        case MousePhase::move:
            Form_MouseMove(g, m.buttons, kNoModifiers, m.x, m.y);
            break;
        case MousePhase::up:
            Form_MouseUp(g, m.buttons, kNoModifiers, m.x, m.y);
            break;
        }
    }
    void operator()(const BrushStroke& b) const {
        brushStroke(g, b.x1, b.y1, b.x2, b.y2, b.button);
    }
    void operator()(const ListSelect& s) const {
        ListBox& box = s.list == ListId::typelist ? g.panel.typelist : g.panel.subtypelist;
        if (s.position < -1 || s.position >= static_cast<int>(box.entries.size())) {
            return;
        }
        box.selected = s.position;
        if (s.list == ListId::typelist) {
            typelist_Click(g);
        } else {
            subtypelist_Click(g);
        }
    }
    void operator()(const TextEdit& t) const {
        if (const PanelTextField* f = findPanelTextField(t.field)) {
            g.panel.*(f->text) = t.text;
        }
    }
    void operator()(const CheckBoxSet& c) const {
        if (const PanelCheckField* f = findPanelCheckField(c.field)) {
            g.panel.*(f->ticked) = c.ticked;
        }
    }
};

} // namespace

void deliver(Game& g, const Input& input) {
    std::visit(Deliver{g}, input);
}

const char* listName(ListId list) {
    return list == ListId::typelist ? "typelist" : "subtypelist";
}

} // namespace wh::session
