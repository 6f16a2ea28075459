// Fire and plasma. A fire that is about to touch pure red blasts a crater where it is, fills it
// with explosions and jumps to any pure red one crater-width away, so a red trail burns as a
// chain within one step. Plasma spends a budget, steers at the reactor and drops multibombs.
#include "world/fireplasma.hpp"

#include "app/colour.hpp"
#include "app/numeric.hpp"
#include "level/colourclass.hpp"
#include "world/sense.hpp"

#include <algorithm>

namespace wh {

namespace {

constexpr int16_t kFireGravity = 20;        // twips per pass, added to ydis
constexpr int32_t kFireCeiling = 200;       // twips; above it the fire is pushed back down
constexpr double kFireCeilingBounce = -0.5; // on ydis at the ceiling
constexpr int32_t kFireFloorBand = 600;     // twips inside the bottom edge where fire stops dead
constexpr double kFireContact = -0.1;       // on both displacements when the way ahead is solid
constexpr int16_t kBurnLookahead = 2;       // the burn test looks this many displacements ahead

constexpr int32_t kCraterPen = 75; // pixels across the black dot of a crater
constexpr Colour kCraterColour = kBlack;
constexpr int kExplosionsPerCrater = 10;
constexpr int16_t kCraterExplosionCount = 200;
constexpr int16_t kCraterExplosionFullcount = 200;
constexpr int16_t kCraterExplosionStep = 20;
constexpr int32_t kChainReach = 1500; // twips from a crater to each of its eight neighbour probes

constexpr int16_t kPlasmaBudgetStep = 2;    // taken from a non-zero count each pass
constexpr int32_t kPlasmaProbeHeight = 100; // twips above the plasma: the drop probe
constexpr int16_t kPlasmaSpeedUp = 2;       // factor on both displacements when it drops a bomb
constexpr double kPlasmaContact = -0.8;     // on both displacements when the way ahead is solid
constexpr int16_t kPlasmaSteering = 10;     // twips per pass toward the target, on each axis

// A black dot where the fire is, and ten explosions on top of it. The ten dots the burn draws
// are identical, so one covers the same pixels. An explosion that finds the table full is not
// added and neither are the rest of its crater's: the crater stays black without them, and the
// chain burns on, so the terrain comes out as it would with room to spare.
void blastCrater(Game& g, int32_t x, int32_t y) {
    g.picground.setDrawWidth(kCraterPen);
    g.picground.PSet(static_cast<double>(x), static_cast<double>(y), kCraterColour);
    g.sounds.add(SoundKind::crater, 0, x, y);
    for (int k = 0; k < kExplosionsPerCrater; ++k) {
        Rock* e = g.rocks.add();
        if (e == nullptr) {
            return;
        }
        // The crater's explosions start as one, and are heard as one.
        if (k == 0) {
            g.sounds.add(SoundKind::explosion, kCraterExplosionFullcount, x, y);
        }
        // xt, yt and subtype are whatever the slot last held.
        e->x = x;
        e->y = y;
        e->xdis = 0;
        e->ydis = 0;
        e->type = RockType::explosion;
        e->count = kCraterExplosionCount;
        e->fullcount = kCraterExplosionFullcount;
        e->countstep = kCraterExplosionStep;
    }
}

// Probes one crater-width away, left column top to bottom, then the middle (the crater itself
// included, black by now), then the right; moves the fire to the first pure red found.
bool jumpToRed(const Game& g, Rock& r) {
    for (int a = -1; a <= 1; ++a) {
        for (int b = -1; b <= 1; ++b) {
            const int32_t px = add32(r.x, int64_t{kChainReach} * a);
            const int32_t py = add32(r.y, int64_t{kChainReach} * b);
            if (isPureRed(pointAt(g, px, py))) {
                r.x = px;
                r.y = py;
                return true;
            }
        }
    }
    return false;
}

// Burns while pure red lies two displacements ahead. Every crater blackens the red the fire
// jumped onto, so the chain ends once the red within reach is used up.
void burn(Game& g, Rock& r) {
    for (;;) {
        const int16_t dx = mul16(r.xdis, kBurnLookahead);
        const int16_t dy = mul16(r.ydis, kBurnLookahead);
        if (!isPureRed(pointAt(g, add32(r.x, dx), add32(r.y, dy)))) {
            return;
        }
        blastCrater(g, r.x, r.y);
        if (!jumpToRed(g, r)) {
            return;
        }
    }
}

// The target is the highest-index reactor: the search runs to the end of the table.
void findReactor(const Game& g, Rock& r) {
    const int last = std::min<int>(g.rocks.rockcount, kLastRockIndex);
    for (int j = 1; j <= last; ++j) {
        const Rock& other = g.rocks[j];
        if (other.type == RockType::reactor) {
            r.xt = other.x;
            r.yt = wrap16(other.y); // the target's y field holds the low 16 bits
        }
    }
}

bool hasTarget(const Rock& r) {
    return r.xt != 0 || r.yt != 0;
}

int16_t steer(int16_t dis, int32_t pos, int32_t target) {
    if (pos > target) {
        return sub16(dis, kPlasmaSteering);
    }
    if (pos < target) {
        return add16(dis, kPlasmaSteering);
    }
    return dis;
}

} // namespace

void fire(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.count = sub16(r.count, 1);
    if (r.count <= 0) {
        r.type = RockType::none; // burnt out, yet it still falls and burns this step
    }
    r.ydis = add16(r.ydis, kFireGravity);
    if (r.y < kFireCeiling) {
        r.y = sub32(r.y, r.ydis);
        r.ydis = nearest16(r.ydis * kFireCeilingBounce);
    }
    if (r.y > g.picground.Height - kFireFloorBand) {
        r.ydis = 0;
        r.xdis = 0;
    }
    if (g.passthrough != kFalse) {
        return; // passing through terrain it neither bounces nor burns
    }
    if (contact(g, r)) {
        r.xdis = nearest16(r.xdis * kFireContact);
        r.ydis = nearest16(r.ydis * kFireContact);
    }
    burn(g, r);
}

void plasma(Game& g, int i) {
    Rock& r = g.rocks[i];
    // An even budget stops at 0 and then lasts for ever; an odd one reaches -1 and ends.
    if (r.count != 0) {
        r.count = sub16(r.count, kPlasmaBudgetStep);
    }
    if (r.count < 0) {
        r.type = RockType::none;
    }

    // A reactor at (0, 0) reads as no target at all, so the search runs again next pass.
    if (!hasTarget(r)) {
        findReactor(g, r);
        if (!hasTarget(r)) {
            ++g.beeps;
            g.sounds.add(SoundKind::beep, 0, r.x, r.y);
        }
    }

    // Under green, brown or red it speeds up and bombs what lies above it.
    if (isBelowPlasmaLimit(pointAt(g, r.x, sub32(r.y, kPlasmaProbeHeight)))) {
        r.xdis = mul16(r.xdis, kPlasmaSpeedUp);
        r.ydis = mul16(r.ydis, kPlasmaSpeedUp);
        // A full table refuses the bomb; the speed-up stands.
        if (Rock* b = g.rocks.add()) {
            b->type = RockType::multibomb;
            b->xdis = r.xdis;
            b->ydis = r.ydis;
            b->x = r.x;
            b->y = r.y;
        }
    }

    if (g.passthrough == kFalse && contact(g, r)) {
        r.xdis = nearest16(r.xdis * kPlasmaContact);
        r.ydis = nearest16(r.ydis * kPlasmaContact);
    }

    // No gravity: steering is its only pull, so it overshoots and swings about the target.
    r.xdis = steer(r.xdis, r.x, r.xt);
    r.ydis = steer(r.ydis, r.y, r.yt);
}

} // namespace wh
