// Everything the platform can hand the game, as plain values, and the one function that delivers
// each to its handler. A new kind of input is added here, in its delivery and in its line.
#pragma once

#include "app/game.hpp"

#include <cstdint>
#include <string>
#include <variant>

namespace wh::session {

struct KeyDown {
    int16_t vk; // virtual-key code
};
struct KeyUp {
    int16_t vk;
};
// A character typed (the window's key-press event), Esc and Enter included.
struct Character {
    int16_t code;
};
// A press on the playfield picture: it spawns the panel's batch.
struct PlayfieldPress {
    float x, y;     // playfield twips
    int16_t button; // 1, 2 or 4
};

enum class MousePhase : uint8_t { down, move, up };

// The window's own mouse events, on its uncovered surface: they drop and paint.
struct WindowMouse {
    MousePhase phase;
    int16_t buttons; // the button pressed or released (1, 2 or 4); for a move, those held (0 to 7)
    float x, y;      // window twips
};

// A stroke of the brush (brush mode, off unless the player turns it on): a line of the brush's
// width from the last place the pointer was seen to where it is now.
struct BrushStroke {
    float x1, y1, x2, y2; // playfield twips
    int16_t button;       // 1 paints, 2 digs
};

enum class ListId : uint8_t { typelist, subtypelist };

// An entry of a panel list chosen (-1: none), raising the list's click.
struct ListSelect {
    ListId list;
    int position;
};
// A panel text box now holds `text`; `field` names it as the panel's field table does.
struct TextEdit {
    std::string field;
    std::string text;
};
struct CheckBoxSet {
    std::string field;
    bool ticked;
};

using Input = std::variant<KeyDown, KeyUp, Character, PlayfieldPress, WindowMouse, BrushStroke,
                           ListSelect, TextEdit, CheckBoxSet>;

// Hands the input to its handler. The modifier keys mean nothing to any handler, so none are
// passed. An input that names no field of the panel or a list position out of its range changes
// nothing (the line readers refuse such inputs before they get here).
void deliver(Game& g, const Input& input);

const char* listName(ListId list);

} // namespace wh::session
