// Particles that sense the world by single pixels: gas drifts and reverses, liquid falls and
// runs off walls until its life ends or the pond takes it, solid falls and bounces, alive wraps
// around the playfield, ice stands still.
#include "world/materials.hpp"

#include "app/colour.hpp"
#include "app/numeric.hpp"
#include "level/colourclass.hpp"
#include "world/sense.hpp"

namespace wh {

namespace {

// The strip inside the bottom edge (and for a solid the right edge) where particles turn back,
// twips.
constexpr int32_t kEdgeBand = 200;
// How far to each side a particle feels for a wall (and for open air), twips.
constexpr int32_t kWallProbe = 50;

constexpr int16_t kLiquidGravity = 20;      // twips per pass, added to ydis
constexpr double kLiquidBandBounceY = -0.1; // at the top and bottom bands
constexpr double kLiquidBandBounceX = 0.1;
constexpr double kLiquidSplashX = -0.1; // on the ground: a tenth of its sideways speed, reversed
constexpr int16_t kLiquidWallPushX = 50;
constexpr int16_t kLiquidWallLift = 10;
constexpr int32_t kPondProbe = 100; // twips below a liquid rock
constexpr WallPush kLiquidWalls{kWallProbe, kWallProbe, kLiquidWallPushX, kLiquidWallLift};

constexpr int16_t kSolidGravity = 20;
constexpr double kSolidBounce = -0.8; // a bounce keeps four fifths of the speed
constexpr int16_t kSolidWallPushX = 80;
constexpr int16_t kSolidWallLift = 20;
constexpr WallPush kSolidWalls{kWallProbe, kWallProbe, kSolidWallPushX, kSolidWallLift};

bool inBands(const Game& g, int32_t y) {
    return y < 0 || y > g.picground.Height - kEdgeBand;
}

} // namespace

void gas(Game& g, int i) {
    Rock& r = g.rocks[i];
    if (inBands(g, r.y)) {
        r.ydis = sub16(0, r.ydis);
        return;
    }
    if (g.passthrough == kFalse) {
        const int32_t px = add32(r.x, r.xdis);
        const int32_t py = add32(r.y, r.ydis);
        // A gas rock about to leave the playfield does not feel for terrain at all.
        if (px > 0 && py > 0 && px < g.picground.Width && py < g.picground.Height &&
            isSolid(pointAt(g, px, py))) {
            r.xdis = sub16(0, r.xdis);
            r.ydis = sub16(0, r.ydis);
        }
    }
    // No random re-kick off bullet-purple pixels: that test reads the window's own background,
    // on which nothing is ever drawn, so it could never fire.
}

void liquid(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.count = sub16(r.count, 1);
    if (r.count == 0) {
        r.type = RockType::none; // its life is over, yet it still takes the rest of this step
    }
    r.ydis = add16(r.ydis, kLiquidGravity);
    if (inBands(g, r.y)) {
        r.y = sub32(r.y, r.ydis);
        r.ydis = nearest16(r.ydis * kLiquidBandBounceY);
        r.xdis = nearest16(r.xdis * kLiquidBandBounceX);
        return;
    }
    if (g.passthrough == kFalse && contact(g, r)) {
        r.xdis = nearest16(r.xdis * kLiquidSplashX);
        r.ydis = 0;
    }
    // The pond drinks liquid even while particles pass through terrain.
    if (isPureBlue(pointAt(g, r.x, add32(r.y, kPondProbe)))) {
        r.type = RockType::none;
    }
    pushOffWalls(g, r, kLiquidWalls);
}

void solid(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.ydis = add16(r.ydis, kSolidGravity);
    // The vertical band looks at where the rock is going, the horizontal one at where it is.
    if (inBands(g, add32(r.y, r.ydis))) {
        r.y = sub32(r.y, r.ydis);
        r.ydis = nearest16(r.ydis * kSolidBounce);
        return;
    }
    if (r.x < 0 || r.x > g.picground.Width - kEdgeBand) {
        r.x = sub32(r.x, r.xdis);
        r.xdis = nearest16(r.xdis * kSolidBounce);
        return;
    }
    if (g.passthrough == kFalse && contact(g, r)) {
        r.xdis = nearest16(r.xdis * kSolidBounce);
        r.ydis = nearest16(r.ydis * kSolidBounce);
    }
    // Walls push a solid off whether or not it passes through terrain.
    pushOffWalls(g, r, kSolidWalls);
}

void alive(Game& g, int i) {
    Rock& r = g.rocks[i];
    if (r.y < 0) {
        r.y = nearest32(g.picground.Height);
    }
    if (r.y > g.picground.Height) {
        r.y = 0;
    }
    if (r.x < 0) {
        r.x = nearest32(g.picground.Width);
    }
    if (r.x > g.picground.Width) {
        r.x = 0;
    }
}

void ice(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.xdis = 0;
    r.ydis = 0;
}

} // namespace wh
