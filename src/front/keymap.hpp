// SDL input as the window's events see it: Windows virtual-key codes for key-down and key-up,
// character codes for the keys that type no text (Esc, Enter, Backspace), and which events are
// the mouse's.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace wh::front {

// Virtual-key code of a key, 0 for a key the window does not report.
int16_t virtualKey(SDL_Keycode sym, uint16_t mod);

// Character code a key press types without a text event (27, 13, 8, 9), or -1.
int16_t controlCharacter(SDL_Keycode sym);

// Character codes of typed text: one per character whose code point fits in a byte.
std::vector<int16_t> textCharacters(std::string_view utf8);

// The function keys that belong to the window, never to the game: help, sound, stats, fullscreen
// and screenshot.
inline bool isWindowKey(SDL_Keycode sym) {
    return sym == SDLK_F1 || sym == SDLK_F2 || sym == SDLK_F3 || sym == SDLK_F11 || sym == SDLK_F12;
}

inline bool isMouseEvent(const SDL_Event& e) {
    return e.type == SDL_MOUSEMOTION || e.type == SDL_MOUSEBUTTONDOWN ||
           e.type == SDL_MOUSEBUTTONUP;
}

} // namespace wh::front
