// SDL events pushed as a player's keyboard and mouse would send them, for the front-end tests
// that run the real shell under SDL's dummy drivers.
#pragma once

#include <SDL.h>

#include <cstdlib>

namespace wh::front::testing {

// Set before any window opens: no window ever shows, whatever display the machine has, when the
// tests are run by hand as well as by ctest.
inline const bool kDummyVideo =
    setenv("SDL_VIDEODRIVER", "dummy", 0) == 0 && setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;

inline void pushKey(SDL_Keycode sym, uint32_t type = SDL_KEYDOWN) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    SDL_PushEvent(&e);
}

// A key pressed and let go.
inline void pushPress(SDL_Keycode sym) {
    pushKey(sym, SDL_KEYDOWN);
    pushKey(sym, SDL_KEYUP);
}

inline void pushText(const char* text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text, sizeof(e.text.text));
    SDL_PushEvent(&e);
}

inline void pushButton(uint32_t type, int x, int y, uint8_t button) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

// A button pressed and let go at one place.
inline void pushClick(int x, int y, uint8_t button) {
    pushButton(SDL_MOUSEBUTTONDOWN, x, y, button);
    pushButton(SDL_MOUSEBUTTONUP, x, y, button);
}

inline void pushMove(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

} // namespace wh::front::testing
