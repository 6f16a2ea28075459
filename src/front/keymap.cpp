// The translation table from SDL keys to Windows virtual-key codes. Keypad digits are digits
// only with Num Lock on; keypad 5 without it is the Clear key, as Windows reports it.
#include "front/keymap.hpp"

#include "vehicle/keys.hpp"

namespace wh::front {

namespace {

struct KeyRow {
    SDL_Keycode sym;
    int16_t vk;
};

constexpr KeyRow kKeys[] = {
    {SDLK_BACKSPACE, 8},      {SDLK_TAB, 9},
    {SDLK_RETURN, 13},        {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},        {SDLK_RSHIFT, 16},
    {SDLK_LCTRL, 17},         {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},          {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},         {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},        {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},        {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},           {SDLK_HOME, 36},
    {SDLK_LEFT, 37},          {SDLK_UP, 38},
    {SDLK_RIGHT, 39},         {SDLK_DOWN, 40},
    {SDLK_INSERT, 45},        {SDLK_DELETE, 46},
    {SDLK_KP_MULTIPLY, 106},  {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},     {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186},    {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},        {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},       {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},    {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
};

// Keypad keys with Num Lock off act as the navigation keys printed on them.
constexpr KeyRow kKeypadNavigation[] = {
    {SDLK_KP_0, 45}, {SDLK_KP_1, 35},      {SDLK_KP_2, 40},
    {SDLK_KP_3, 34}, {SDLK_KP_4, 37},      {SDLK_KP_5, VirtualKey::clear},
    {SDLK_KP_6, 39}, {SDLK_KP_7, 36},      {SDLK_KP_8, 38},
    {SDLK_KP_9, 33}, {SDLK_KP_PERIOD, 46},
};

constexpr int16_t kVkA = 65;
constexpr int16_t kVkZero = 48;
constexpr int16_t kVkF1 = VirtualKey::f1;
constexpr int16_t kVkDecimal = 110;

int keypadDigit(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_KP_0:
        return 0;
    case SDLK_KP_1:
        return 1;
    case SDLK_KP_2:
        return 2;
    case SDLK_KP_3:
        return 3;
    case SDLK_KP_4:
        return 4;
    case SDLK_KP_5:
        return 5;
    case SDLK_KP_6:
        return 6;
    case SDLK_KP_7:
        return 7;
    case SDLK_KP_8:
        return 8;
    case SDLK_KP_9:
        return 9;
    default:
        return -1;
    }
}

} // namespace

int16_t virtualKey(SDL_Keycode sym, uint16_t mod) {
    if (sym >= SDLK_a && sym <= SDLK_z) {
        return static_cast<int16_t>(kVkA + (sym - SDLK_a));
    }
    if (sym >= SDLK_0 && sym <= SDLK_9) {
        return static_cast<int16_t>(kVkZero + (sym - SDLK_0));
    }
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        return static_cast<int16_t>(kVkF1 + (sym - SDLK_F1));
    }
    const bool numLock = (mod & KMOD_NUM) != 0;
    if (const int digit = keypadDigit(sym); digit >= 0 || sym == SDLK_KP_PERIOD) {
        if (numLock) {
            return digit >= 0 ? static_cast<int16_t>(VirtualKey::numpad0 + digit) : kVkDecimal;
        }
        for (const KeyRow& row : kKeypadNavigation) {
            if (row.sym == sym) {
                return row.vk;
            }
        }
    }
    for (const KeyRow& row : kKeys) {
        if (row.sym == sym) {
            return row.vk;
        }
    }
    return 0;
}

int16_t controlCharacter(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_ESCAPE:
        return 27;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return 13;
    case SDLK_BACKSPACE:
        return 8;
    case SDLK_TAB:
        return 9;
    default:
        return -1;
    }
}

std::vector<int16_t> textCharacters(std::string_view utf8) {
    std::vector<int16_t> codes;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = 1;
        uint32_t cp = lead;
        if (lead >= 0xF0) {
            length = 4;
            cp = lead & 0x07u;
        } else if (lead >= 0xE0) {
            length = 3;
            cp = lead & 0x0Fu;
        } else if (lead >= 0xC0) {
            length = 2;
            cp = lead & 0x1Fu;
        } else if (lead >= 0x80) {
            ++i; // a stray continuation byte types nothing
            continue;
        }
        if (i + static_cast<size_t>(length) > utf8.size()) {
            break;
        }
        for (int k = 1; k < length; ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]) & 0x3Fu);
        }
        i += static_cast<size_t>(length);
        if (cp <= 0xFF) {
            codes.push_back(static_cast<int16_t>(cp));
        }
    }
    return codes;
}

} // namespace wh::front
