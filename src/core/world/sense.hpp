// How rocks sense the world and draw their chances: the colour at a point or where a rock's next
// move takes it, the walls beside it and their push, and fresh numbers from the game's generator.
#pragma once

#include "app/game.hpp"
#include "app/numeric.hpp"
#include "level/colourclass.hpp"

#include <cstdint>

namespace wh {

// The colour at a point, in twips; -1 off the surface.
inline Colour pointAt(const Game& g, int32_t x, int32_t y) {
    return g.picground.Point(static_cast<double>(x), static_cast<double>(y));
}

// The colour where the rock's next move takes it: x + xdis, y + ydis, each sum wrapping.
inline Colour pointAhead(const Game& g, const Rock& r) {
    return pointAt(g, add32(r.x, r.xdis), add32(r.y, r.ydis));
}

// True when the point the rock reaches at its next move is not open air.
inline bool contact(const Game& g, const Rock& r) {
    return isSolid(pointAhead(g, r));
}

// How a type feels for walls to its sides and how hard a wall pushes it off.
struct WallPush {
    int32_t freeReach; // twips to the side that must be open air
    int32_t wallReach; // twips to the side where the wall is felt
    int16_t push;      // twips per pass added away from the wall
    int16_t lift;      // twips per pass added upward
};

// Open air on one side and something on the other: the rock leans on a wall there and is pushed
// off it, away and upward. The left wall is felt first; where both are felt, both push.
inline void pushOffWalls(const Game& g, Rock& r, const WallPush& w) {
    if (isOpenAir(pointAt(g, add32(r.x, w.freeReach), r.y)) &&
        isSolid(pointAt(g, sub32(r.x, w.wallReach), r.y))) {
        r.xdis = add16(r.xdis, w.push);
        r.ydis = sub16(r.ydis, w.lift);
    }
    if (isOpenAir(pointAt(g, sub32(r.x, w.freeReach), r.y)) &&
        isSolid(pointAt(g, add32(r.x, w.wallReach), r.y))) {
        r.xdis = sub16(r.xdis, w.push);
        r.ydis = sub16(r.ydis, w.lift);
    }
}

// A fresh r in [0, 1) from the game's one generator.
inline double rnd(Game& g) {
    return static_cast<double>(g.rng.nextSingle());
}

// A random displacement of up to half the spread either way, twips per pass.
inline int16_t spreadDis(Game& g, double spread) {
    return nearest16(rnd(g) * spread - spread / 2);
}

} // namespace wh
