// Explosions and the explosives that make them: the orange-then-black disc that blasts craters
// into the scenery, bullets, bombs that burst into other rocks, bombs that explode in place,
// the missile, the timebomb's countdown and the proxbomb's trigger.
#include "world/explosives.hpp"

#include "app/colour.hpp"
#include "app/numeric.hpp"
#include "app/playfield.hpp"
#include "level/colourclass.hpp"
#include "world/sense.hpp"

namespace wh {

namespace {

constexpr int16_t kBombGravity = 20; // twips per pass, bomb, bigbomb, bulletbomb, multibomb
constexpr int16_t kNukeGravity = 10; // a nuke falls slowly
constexpr int16_t kTimebombGravity = 10;
constexpr int16_t kProxbombGravity = 20;

constexpr int kBurstSize = 5;        // rocks a bomb, bulletbomb or multibomb bursts into
constexpr double kBurstSpread = 400; // twips per pass: displacements from -200 to 200
constexpr int kTimebombBurstSize = 10;
constexpr double kTimebombSpread = 200; // twips per pass: -100 to 100

// A settling bomb keeps a tenth of its sideways speed, hops back a little and is lifted clear.
constexpr double kSettleKeepX = 0.1;
constexpr double kSettleHopY = -0.1;
constexpr int32_t kSettleLift = 100; // twips

// A bullet is dropped this close to the playfield's right edge, in open air or not.
constexpr int32_t kBulletEdgeMargin = 200; // twips

// The orange disc's colour: full red, a random share of green, no blue.
constexpr int32_t kOrangeRed = 255;
constexpr double kOrangeGreenRange = 255;
constexpr int32_t kOrangeBlue = 0;
constexpr Colour kCraterColour = kBlack;

// The rock stops and becomes an explosion of the given size where it is.
void explodeInPlace(Game& g, Rock& r, ExplosionSize size) {
    g.sounds.add(SoundKind::explosion, size.fullcount, r.x, r.y);
    r.type = RockType::explosion;
    r.xdis = 0;
    r.ydis = 0;
    r.count = size.count;
    r.fullcount = size.fullcount;
    r.countstep = size.countstep;
}

// Timebomb and proxbomb come to rest in small hops instead of bursting.
void settle(Rock& r) {
    r.xdis = nearest16(r.xdis * kSettleKeepX);
    r.ydis = nearest16(r.ydis * kSettleHopY);
    r.y = sub32(r.y, kSettleLift);
}

// Falls; on contact the rock is gone and five rocks of burstType fly out of its position.
// Only the bomb's fires get a life of their own; every field not written here (count of
// bullets and bigbombs, fullcount, countstep, subtype, target) is what the slot last held.
void burst(Game& g, int i, int16_t burstType) {
    Rock& r = g.rocks[i];
    r.ydis = add16(r.ydis, kBombGravity);
    if (!contact(g, r)) {
        return;
    }
    r.type = RockType::none;
    const int32_t x = r.x;
    const int32_t y = r.y;
    g.sounds.add(SoundKind::burst, burstType, x, y);
    for (int k = 0; k < kBurstSize; ++k) {
        // A burst that finds the table full is cut short: the table holds 1500 rocks and not one
        // more, and the rocks that did fit fly as they would have.
        Rock* b = g.rocks.add();
        if (b == nullptr) {
            return;
        }
        b->type = burstType;
        if (burstType == RockType::fire) {
            b->count = kBombFireCount;
        }
        b->x = x;
        b->y = y;
        b->xdis = spreadDis(g, kBurstSpread);
        b->ydis = spreadDis(g, kBurstSpread);
    }
}

// Pen widths run from 1 to 32767 pixels. A well-formed explosion never leaves that range; one
// typed in with its count at or above its fullcount asks for an orange dot 0 or fewer pixels
// wide, and one with a very negative count for a black one wider than any pen: they get the
// nearest width there is, so a malformed explosion still draws and still ends as it should.
int32_t explosionPen(double width) {
    if (width < 1) {
        return 1;
    }
    if (width > kMaxPenWidth) {
        return kMaxPenWidth;
    }
    return static_cast<int32_t>(width);
}

} // namespace

void explosion(Game& g, int i) {
    Rock& r = g.rocks[i];
    if (r.count > 0) {
        r.count = sub16(r.count, r.countstep);
    }
    // Half of an odd fullcount keeps its half: the orange phase ends on the even side of it.
    const double half = r.fullcount / 2.0;
    const double x = r.x;
    const double y = r.y;
    if (r.count > half) {
        g.picground.setDrawWidth(explosionPen(sub16(r.fullcount, r.count)));
        const int32_t green = nearest32(rnd(g) * kOrangeGreenRange);
        g.picground.PSet(x, y, RGB(kOrangeRed, green, kOrangeBlue));
    } else {
        // The black disc starts a pixel across and ends one step wider than the orange one,
        // so no orange is left around the crater.
        g.picground.setDrawWidth(explosionPen(roundHalfEven(half - r.count + 1)));
        g.picground.PSet(x, y, kCraterColour);
    }
    if (r.count <= 0) {
        r.type = RockType::none;
    }
}

void bullet(Game& g, int i) {
    Rock& r = g.rocks[i];
    if (r.x >= g.picground.Width - kBulletEdgeMargin) {
        r.type = RockType::none;
    }
    if (contact(g, r)) {
        r.type = RockType::none;
        g.sounds.add(SoundKind::hit, 0, r.x, r.y);
    }
}

void bomb(Game& g, int i) {
    burst(g, i, RockType::fire);
}

void bulletbomb(Game& g, int i) {
    burst(g, i, RockType::bullet);
}

void multibomb(Game& g, int i) {
    burst(g, i, RockType::bigbomb);
}

void bigbomb(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.ydis = add16(r.ydis, kBombGravity);
    if (contact(g, r)) {
        explodeInPlace(g, r, kBigbombBlast);
    }
}

void nuke(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.ydis = add16(r.ydis, kNukeGravity);
    if (contact(g, r)) {
        explodeInPlace(g, r, kNukeBlast);
    }
}

// A homer flies straight, untouched by gravity, and goes off small.
void homer(Game& g, int i) {
    Rock& r = g.rocks[i];
    if (contact(g, r)) {
        explodeInPlace(g, r, kHomerBlast);
    }
}

// The missile does not become its explosion: it leaves one behind at the top of the table and
// is gone itself.
void missle(Game& g, int i) {
    Rock& r = g.rocks[i];
    if (!contact(g, r)) {
        return;
    }
    // With the table full the missile still ends where it hit, without its blast.
    if (Rock* e = g.rocks.add()) {
        e->type = RockType::explosion;
        e->xdis = 0;
        e->ydis = 0;
        e->x = r.x;
        e->y = r.y;
        e->count = kMissleBlast.count;
        e->fullcount = kMissleBlast.fullcount;
        e->countstep = kMissleBlast.countstep;
        g.sounds.add(SoundKind::explosion, kMissleBlast.fullcount, r.x, r.y);
    }
    r.type = RockType::none;
}

// count runs down by countstep; each time it lands exactly on 0 a cycle ends, fullcount drops
// by one and reloads count, so the cycles get shorter until fullcount reaches 0 and it bursts.
// A count that steps past 0 without touching it runs on and wraps round.
void timebomb(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.count = sub16(r.count, r.countstep);
    r.ydis = add16(r.ydis, kTimebombGravity);
    if (contact(g, r)) {
        settle(r);
    }
    if (r.count == 0) {
        r.fullcount = sub16(r.fullcount, 1);
        r.count = r.fullcount;
    }
    if (r.fullcount != 0) {
        return;
    }
    r.type = RockType::none;
    const int32_t x = r.x;
    const int32_t y = r.y;
    g.sounds.add(SoundKind::burst, RockType::multibomb, x, y);
    for (int k = 0; k < kTimebombBurstSize; ++k) {
        Rock* b = g.rocks.add(); // cut short when the table is full, as any burst
        if (b == nullptr) {
            return;
        }
        b->type = RockType::multibomb;
        b->x = x;
        b->y = y;
        b->xdis = spreadDis(g, kTimebombSpread);
        b->ydis = spreadDis(g, kTimebombSpread);
    }
}

// Holding the trigger sets off every proxbomb at once, resting or still in flight.
void proxbomb(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.ydis = add16(r.ydis, kProxbombGravity);
    if (contact(g, r)) {
        settle(r);
    }
    if (g.keys.trigger == kTrue) {
        explodeInPlace(g, r, kProxbombBlast);
    }
}

} // namespace wh
