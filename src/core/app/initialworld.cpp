// Start-up values. The random draws happen in a fixed order (rock 1's x, y and fullcount, then
// x and count of rocks 3 to 9), each product formed in floating point before rounding.
#include "app/initialworld.hpp"

#include "app/numeric.hpp"
#include "app/window.hpp"
#include "level/levelpicture.hpp"
#include "vehicle/geometry.hpp"

namespace wh {

namespace {

constexpr int16_t kStartPaintMode = 1;
constexpr int16_t kStartBrushWidth = 60;
constexpr double kPi = 3.1415; // the game's pi is truncated, so 360 degrees falls short of a turn
constexpr double kDegreesPerHalfTurn = 180;
constexpr int16_t kSpeedDiv = 10;
constexpr int16_t kBodyLength = 500;
constexpr int16_t kStartGunAngle = 35;
constexpr int16_t kStartAimAngle = 35;

constexpr int16_t kInitialRockCount = 9;
constexpr int32_t kTimebombTopMargin = 1200; // twips kept clear of the bottom by rock 1's y
constexpr int32_t kTimebombYOffset = 60;
constexpr double kTimebombMaxCycles = 30;
constexpr int32_t kEnemyRange = 24000; // twips: the initial enemies start in the level's left half
constexpr double kEnemyCountSpread = 15;
constexpr double kEnemyCountBase = 10;

} // namespace

void loadLevel(Game& g) {
    g.picground.setBackdrop(levelBackdrop());
    g.picground.Cls();
}

void setPaintTool(Game& g) {
    g.paintmode = kStartPaintMode;
    g.brushwidth = kStartBrushWidth;
}

void setAngleConstants(Game& g) {
    g.pi = kPi;
    g.degtorad = g.pi / kDegreesPerHalfTurn;
}

void setUpVehicle(Game& g) {
    Vehicle& v = g.vehicle;
    v.speeddiv = kSpeedDiv;
    v.bodylength = kBodyLength;
    v.bodyx1 = nearest32(kWindowWidthTwips / 2.0);
    v.bodyy1 = nearest16(kWindowHeightTwips / 2.0);
    changeanglesub(g);
    v.gunlength = nearest16(v.bodylength / 2.0);
    v.gunangle = kStartGunAngle;
    g.aimangle = kStartAimAngle;
    v.gunx = v.bodyx1;
    v.guny = v.bodyy1;
    changeanglegun(g);
}

void placePlayfield(Game& g) {
    g.picground.Left = 0;
    g.picground.Top = 0;
}

void createInitialRocks(Game& g) {
    const double width = Playfield::Width;
    const double height = Playfield::Height;
    auto r = [&g] { return static_cast<double>(g.rng.nextSingle()); };

    Rock& bomb = g.rocks[1];
    bomb.type = RockType::timebomb;
    bomb.x = nearest32(r() * width);
    bomb.y = nearest32(r() * (height - kTimebombTopMargin) + kTimebombYOffset);
    bomb.count = 0;
    bomb.fullcount = nearest16(r() * kTimebombMaxCycles);
    bomb.countstep = 1;

    Rock& maker = g.rocks[2];
    maker.type = RockType::maker;
    maker.subtype = RockType::liquid;
    maker.x = 1850;
    maker.y = 2100;
    maker.xdis = 15;
    maker.ydis = 100;
    maker.count = 1;
    maker.fullcount = 1;
    maker.countstep = 1;

    auto enemy = [&](int i, int16_t subtype, int32_t y, int16_t xdis) {
        Rock& e = g.rocks[i];
        e.type = RockType::enemy;
        e.subtype = subtype;
        e.x = nearest32(r() * kEnemyRange);
        e.y = y;
        e.xdis = xdis;
        e.count = nearest16(r() * kEnemyCountSpread + kEnemyCountBase);
        e.fullcount = 10;
        e.countstep = 1;
    };
    for (int i = 3; i <= 8; ++i) {
        enemy(i, RockType::skeet, 2500, 0);
    }
    enemy(9, RockType::plane, 1500, 100);

    g.rocks.rockcount = kInitialRockCount;
}

} // namespace wh
