// Makers, enemies and hazards. None of them looks at passthrough; the makers and the enemies end
// when the scenery's earth tones (or an explosion's orange) appear at their probe point.
#include "world/actors.hpp"

#include "app/colour.hpp"
#include "app/numeric.hpp"
#include "app/window.hpp"
#include "level/colourclass.hpp"
#include "world/sense.hpp"

#include <cmath>
#include <cstdlib>

namespace wh {

namespace {

// Where the maker, the skeet and the plane feel for scenery, twips from their point.
constexpr int32_t kActorProbe = 100;

constexpr int16_t kSkeetNudge = 10;       // twips per pass on one random axis
constexpr int32_t kSkeetNudgeChoices = 4; // left, right, up, down
constexpr int16_t kSkeetSpeedCap = 50;    // an axis faster than this stops dead
constexpr int32_t kSkyFloor = 500;        // a skeet above this y is pushed down
constexpr int32_t kSkyPush = 50;          // twips per pass
constexpr double kSkeetFireSpread = 1000; // a fire falls from 0 to this far below the skeet
constexpr double kPlaneBombSpread = 100;  // a bomb falls from 0 to this far below the plane

constexpr int16_t kBoulderGravity = 20;
constexpr int32_t kBoulderProbe = 500;    // the wall and kill probes, twips to each side
constexpr int32_t kBoulderFreeSide = 50;  // the probe that must find open air
constexpr double kBoulderRollX = 0.1;     // on touching ground it keeps a tenth of its roll
constexpr double kBoulderBounceY = -0.1;  // and turns back a tenth of its fall
constexpr int32_t kBoulderLift = 500;     // and is lifted this far, twips
constexpr int16_t kBoulderWallPushX = 50; // pushed off a wall this much sideways
constexpr int16_t kBoulderWallLift = 10;  // and this much upward
// The wall probes reach far out, the free-side probes stay close: both walls can push at once.
constexpr WallPush kBoulderWalls{kBoulderFreeSide, kBoulderProbe, kBoulderWallPushX,
                                 kBoulderWallLift};

constexpr int16_t kCometGravity = 20;

// Grass, earth, red scenery or a growing explosion's orange at the probe point kills an actor;
// grey, white (the vehicle), blue, yellow and the space off the playfield do not.
bool killedAt(const Game& g, int32_t x, int32_t y) {
    return isEarthtone(pointAt(g, x, y));
}

// An enemy's drop: a rock of the type at a random depth of up to `spread` twips below the enemy,
// keeping its sideways speed. A drop that finds the table full is not made.
void dropBelow(Game& g, const Rock& enemy, int16_t type, double spread) {
    if (Rock* drop = g.rocks.add()) {
        drop->type = type;
        drop->x = enemy.x;
        drop->y = nearest32(enemy.y + rnd(g) * spread);
        drop->count = kDroppedRockCount;
        drop->xdis = enemy.xdis;
        drop->ydis = 0;
    }
}

} // namespace

void maker(Game& g, int i) {
    Rock& m = g.rocks[i];
    // A maker stands where it was placed: its displacement is what it gives its rocks.
    m.x = sub32(m.x, m.xdis);
    m.y = sub32(m.y, m.ydis);
    m.count = sub16(m.count, m.countstep);
    if (m.count == 0) {
        // A full table has no room for the new rock: it is not made, but the maker's period
        // goes on as if it had been.
        if (Rock* made = g.rocks.add()) {
            made->type = m.subtype;
            made->xdis = m.xdis;
            made->ydis = nearest16(rnd(g) * m.ydis);
            made->x = m.x;
            made->y = m.y;
            made->count = kMadeRockCount;
            // Target, subtype, fullcount and countstep are whatever the slot last held.
        }
        m.count = m.fullcount;
    }
    if (killedAt(g, sub32(m.x, kActorProbe), m.y)) {
        m.type = RockType::none;
    }
}

void enemy(Game& g, int i) {
    switch (g.rocks[i].subtype) {
    case RockType::skeet:
        skeet(g, i);
        break;
    case RockType::plane:
        plane(g, i);
        break;
    default:
        break; // an enemy of any other subtype only drifts by its displacement
    }
}

void skeet(Game& g, int i) {
    Rock& s = g.rocks[i];
    s.count = sub16(s.count, s.countstep);

    // One nudge a pass on a random axis and direction.
    const auto k = static_cast<int>(std::floor(rnd(g) * kSkeetNudgeChoices + 1));
    switch (k) {
    case 1:
        s.xdis = sub16(s.xdis, kSkeetNudge);
        break;
    case 2:
        s.xdis = add16(s.xdis, kSkeetNudge);
        break;
    case 3:
        s.ydis = sub16(s.ydis, kSkeetNudge);
        break;
    default:
        s.ydis = add16(s.ydis, kSkeetNudge);
        break;
    }
    if (std::abs(int32_t{s.xdis}) > kSkeetSpeedCap) {
        s.xdis = 0;
    }
    if (std::abs(int32_t{s.ydis}) > kSkeetSpeedCap) {
        s.ydis = 0;
    }

    if (s.y < kSkyFloor) {
        s.y = add32(s.y, kSkyPush);
    }

    // Only a count that lands exactly on 0 drops: one that steps past waits for the wrap.
    if (s.count == 0) {
        s.count = s.fullcount;
        dropBelow(g, s, RockType::fire, kSkeetFireSpread);
    }

    const int32_t probeX = sub32(s.x, kActorProbe);
    if (killedAt(g, probeX, s.y)) {
        s.type = RockType::none;
    }
    // Anything ahead on the left turns it round, whatever the colour.
    if (isSolid(pointAt(g, probeX, s.y))) {
        s.xdis = sub16(0, s.xdis);
        s.ydis = sub16(0, s.ydis);
    }
}

void plane(Game& g, int i) {
    Rock& p = g.rocks[i];
    p.count = sub16(p.count, p.countstep);

    // Past the right-hand side of the view it comes back one window width further left; the
    // comparison is the window's, in floating point, as Left is.
    const double rightOfView =
        static_cast<double>(kWindowWidthTwips) - static_cast<double>(g.picground.Left);
    if (static_cast<double>(p.x) > rightOfView) {
        p.x = nearest32(static_cast<double>(p.x) - kWindowWidthTwips);
    }

    // Unlike the skeet, any count at or below 0 drops.
    if (p.count <= 0) {
        p.count = p.fullcount;
        dropBelow(g, p, RockType::bomb, kPlaneBombSpread);
    }

    // The plane feels above itself, not ahead.
    if (killedAt(g, p.x, sub32(p.y, kActorProbe))) {
        p.type = RockType::none;
    }
}

void boulder(Game& g, int i) {
    Rock& b = g.rocks[i];
    b.ydis = add16(b.ydis, kBoulderGravity);
    // Earth far to its left ends it, but it still takes the rest of this step.
    if (killedAt(g, sub32(b.x, kBoulderProbe), b.y)) {
        b.type = RockType::none;
    }
    // Touching ground it almost stops and hops up, so a boulder on the ground climbs onto it.
    if (contact(g, b)) {
        b.xdis = nearest16(b.xdis * kBoulderRollX);
        b.ydis = nearest16(b.ydis * kBoulderBounceY);
        b.y = sub32(b.y, kBoulderLift);
    }
    pushOffWalls(g, b, kBoulderWalls);
}

void comet(Game& g, int i) {
    Rock& c = g.rocks[i];
    c.ydis = add16(c.ydis, kCometGravity);
}

} // namespace wh
