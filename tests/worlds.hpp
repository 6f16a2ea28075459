// The tests' small worlds: a game started from a seed, alone or with the session that drives it, a
// bare world of an empty table on an all-black playfield, rocks placed by hand, and terrain
// painted pixel by pixel or all at once.
#pragma once

#include "app/game.hpp"
#include "app/mainloop.hpp"
#include "session/session.hpp"

#include <cstdint>
#include <memory>
#include <stdexcept>

namespace wh {

// Grass green: solid to every contact test, and an earthtone that kills actors.
inline constexpr Colour kGround = RGB(0, 82, 0);

// A game through the program's start-up, from its seed. Games live on the heap: the rocks table
// alone is tens of kilobytes, too much for a test's stack.
inline std::unique_ptr<Game> startedGame(uint64_t seed) {
    auto g = std::make_unique<Game>();
    Form_Load(*g, seed);
    return g;
}

// A started game and the session that drives it, on the runner's clock of 16 ms a pass.
struct Scene {
    Game game;
    session::Session session{game};
};

inline std::unique_ptr<Scene> startedScene(uint64_t seed) {
    auto s = std::make_unique<Scene>();
    s->session.start(seed);
    return s;
}

// Nothing in the world: an empty rocks table on an all-black playfield, no level, no vehicle.
inline std::unique_ptr<Game> bareWorld() {
    auto g = std::make_unique<Game>();
    g->picground.Cls();
    return g;
}

// Sets a rock's type, position and displacement, leaving its other fields as they are.
inline Rock& setRock(Rock& r, int16_t type, int32_t x, int32_t y, int16_t xdis, int16_t ydis) {
    r.type = type;
    r.x = x;
    r.y = y;
    r.xdis = xdis;
    r.ydis = ydis;
    return r;
}

// A rock record of the type at (x, y) twips, moving by (xdis, ydis); every other field 0.
inline Rock rockOf(int16_t type, int32_t x, int32_t y, int16_t xdis = 0, int16_t ydis = 0) {
    Rock r;
    return setRock(r, type, x, y, xdis, ydis);
}

// The next free slot; a fixture that finds the table full is itself broken.
inline Rock& nextSlot(Game& g) {
    Rock* slot = g.rocks.add();
    if (slot == nullptr) {
        throw std::length_error("the fixture found the rocks table full");
    }
    return *slot;
}

// A rock added at the table's end with its type, position and displacement; every other field
// is what the slot last held, as with the game's own adders.
inline Rock& placeRock(Game& g, int16_t type, int32_t x, int32_t y, int16_t xdis = 0,
                       int16_t ydis = 0) {
    return setRock(nextSlot(g), type, x, y, xdis, ydis);
}

// A whole rock record added at the table's end.
inline Rock& addRock(Game& g, const Rock& record) {
    return nextSlot(g) = record;
}

// One pixel of the colour under the point (x, y) twips.
inline void paintPixel(Game& g, int32_t x, int32_t y, Colour colour) {
    g.picground.setDrawWidth(1);
    g.picground.PSet(x, y, colour);
}

// The whole playfield in one colour: a single dot wider than the playfield, from its middle.
inline void paintAll(Playfield& p, Colour colour) {
    p.setDrawWidth(kMaxPenWidth);
    p.PSet(Playfield::Width / 2, Playfield::Height / 2, colour);
}

// The colour of pixel (column, row).
inline Colour pixelAt(const Game& g, int column, int row) {
    return g.picground.Point(column * kTwipsPerPixel, row * kTwipsPerPixel);
}

// A bare world held by a test, with shorthands for placing rocks, painting single pixels and
// reading both back.
struct BareWorld {
    std::unique_ptr<Game> g = bareWorld();

    Rock& put(int16_t type, int32_t x, int32_t y, int16_t xdis = 0, int16_t ydis = 0) const {
        return placeRock(*g, type, x, y, xdis, ydis);
    }
    void paint(int32_t x, int32_t y, Colour colour) const { paintPixel(*g, x, y, colour); }
    Rock& rock(int i = 1) const { return g->rocks[i]; }
    Colour pixel(int column, int row) const { return pixelAt(*g, column, row); }
};

} // namespace wh
