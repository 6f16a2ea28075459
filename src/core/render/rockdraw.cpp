// drawrocks and eraserocks: each rock painted in the look of its type, and painted over again
// with the very same shapes, in open air, or for ice in its own colour.
#include "render/rockdraw.hpp"

#include "app/numeric.hpp"
#include "render/looks.hpp"

#include <algorithm>

namespace wh {

namespace {

using namespace look;

// Type code 22 has no name of its own (as an enemy's subtype it is the plane); as a type it
// moves by its displacement alone and looks like a bare white streak.
constexpr int16_t kType22 = RockType::plane;

// A point on the playfield, twips.
struct Spot {
    int32_t x = 0;
    int32_t y = 0;
};

Spot position(const Rock& r) {
    return {r.x, r.y};
}

// Where the rock was before its last move, one displacement back; the subtraction wraps in
// 32 bits like the position itself.
Spot farEnd(const Rock& r) {
    return {sub32(r.x, r.xdis), sub32(r.y, r.ydis)};
}

void dot(Playfield& pf, int16_t pen, Spot at, Colour c) {
    pf.setDrawWidth(pen);
    pf.PSet(at.x, at.y, c);
}

void line(Playfield& pf, int16_t pen, Spot from, Spot to, Colour c) {
    pf.setDrawWidth(pen);
    pf.Line(from.x, from.y, to.x, to.y, c);
}

// A trace as long as the rock's last step, pointing back along its motion.
void streak(Playfield& pf, int16_t pen, const Rock& r, Colour c) {
    line(pf, pen, position(r), farEnd(r), c);
}

// A streak with a flame at its far end.
void missle(Playfield& pf, const Rock& r, Colour trail, Colour flame) {
    streak(pf, kDotPen, r, trail);
    dot(pf, kBigDotPen, farEnd(r), flame);
}

// A dot with two short wings rising to either side: a V opening upward.
void skeet(Playfield& pf, const Rock& r, Colour c) {
    const Spot p = position(r);
    dot(pf, kDotPen, p, c);
    const int32_t wingTop = sub32(r.y, kWingReach);
    line(pf, kFinePen, p, {sub32(r.x, kWingReach), wingTop}, c);
    line(pf, kFinePen, p, {add32(r.x, kWingReach), wingTop}, c);
}

// A streak with a short fin rising up and to the left from its far end.
void plane(Playfield& pf, const Rock& r, Colour c) {
    streak(pf, kDotPen, r, c);
    const Spot t = farEnd(r);
    line(pf, kFinePen, {sub32(t.x, kWingReach), sub32(t.y, kWingReach)}, t, c);
}

// Ten dots stretching back along the comet's motion, the farthest one pixel wide, the nearest
// ten; nothing at the comet itself. colourOfDot is asked once per dot, farthest first, after
// that dot's pen width is set.
template <typename ColourOfDot>
void cometTrail(Playfield& pf, const Rock& r, ColourOfDot colourOfDot) {
    for (int16_t i = kCometDots; i >= 1; --i) {
        pf.setDrawWidth(kCometDots + 1 - i);
        const Colour c = colourOfDot();
        // The offsets are 16-bit products like the displacements they scale, so a fast comet's
        // far dots wrap round; only the subtraction from the position is 32-bit.
        pf.PSet(sub32(r.x, mul16(r.xdis, i)), sub32(r.y, mul16(r.ydis, i)), c);
    }
}

// A boulder is a disc count pixels across. The playfield knows no pen narrower than one pixel,
// so a boulder counted below 1 draws, and erases, one pixel wide.
int16_t boulderPen(const Rock& r) {
    return std::max(r.count, kThinnestBoulderPen);
}

// nearest(scale x r + base) for a fresh random r.
int32_t randomShade(Rng& rng, double scale, double base) {
    const double r = rng.nextSingle();
    return nearest32(scale * r + base);
}

// One component of the timebomb's countdown colour: bright / ((f + 1) / rounds). Typed-in
// fullcounts can make it divide by zero, counted as the brightest, or go negative; either way
// the component is capped to 0..255.
int32_t countdownShade(int16_t fPlusOne, double rounds) {
    if (fPlusOne == 0) {
        return static_cast<int32_t>(kCountdownBright);
    }
    const double v = kCountdownBright / (fPlusOne / rounds);
    return nearest32(std::clamp(v, 0.0, kCountdownBright));
}

Colour countdownColour(const Rock& r) {
    const int16_t fPlusOne = add16(r.fullcount, 1);
    return RGB(countdownShade(fPlusOne, kCountdownRedRounds),
               countdownShade(fPlusOne, kCountdownGreenRounds), kCountdownBlue);
}

} // namespace

void drawrocks(Game& g, int i) {
    if (i < 0 || i > kLastRockIndex) {
        return; // no such slot: nothing to draw
    }
    const Rock& r = g.rocks[i];
    Playfield& pf = g.picground;
    Rng& rng = g.rng;
    // Where a look takes two random numbers, each is drawn in its own statement: the first
    // always goes to the first component named.
    switch (r.type) {
    case RockType::gas:
        dot(pf, kDotPen, position(r), kGas);
        break;
    case RockType::liquid: {
        const int32_t blue = randomShade(rng, kLiquidBlueScale, kLiquidBlueBase);
        dot(pf, kDotPen, position(r), RGB(0, 0, blue));
        break;
    }
    case RockType::solid:
        dot(pf, kDotPen, position(r), kSolid);
        break;
    case RockType::fire: {
        const int32_t red = randomShade(rng, kFlameScale, 0);
        const int32_t green = randomShade(rng, kFlameScale, 0);
        dot(pf, kDotPen, position(r), RGB(red, green, 0));
        break;
    }
    case RockType::plasma: {
        const int32_t blue = randomShade(rng, kPlasmaBlueScale, kPlasmaBlueBase);
        dot(pf, kDotPen, position(r), RGB(0, kPlasmaGreen, blue));
        break;
    }
    case RockType::alive:
        streak(pf, kDotPen, r, kAlive);
        break;
    case RockType::ice:
        dot(pf, kDotPen, position(r), kIce);
        break;
    case RockType::bullet:
        streak(pf, kFinePen, r, kBullet);
        break;
    case RockType::bomb:
        dot(pf, kDotPen, position(r), kBomb);
        break;
    case RockType::bigbomb:
        dot(pf, kBigDotPen, position(r), kBomb);
        break;
    case RockType::bulletbomb:
        dot(pf, kDotPen, position(r), kBulletbomb);
        break;
    case RockType::missle:
        missle(pf, r, kMissleTrail, kMissleFlame);
        break;
    case RockType::multibomb: {
        const int32_t red = randomShade(rng, kFlameScale, 0);
        const int32_t green = randomShade(rng, kFlameScale, 0);
        streak(pf, kDotPen, r, RGB(red, green, 0));
        break;
    }
    case RockType::nuke: {
        const int32_t red = randomShade(rng, kFlameScale, 0);
        const int32_t blue = randomShade(rng, kFlameScale, 0);
        streak(pf, kDotPen, r, RGB(red, 0, blue));
        break;
    }
    case RockType::timebomb:
        // Drawn at the far end, not at the rock: a body that brightens as its rounds run
        // out, with a red pixel in its centre.
        dot(pf, kBigDotPen, farEnd(r), countdownColour(r));
        dot(pf, kFinePen, farEnd(r), kTimebombCentre);
        break;
    case RockType::proxbomb:
        dot(pf, kDotPen, position(r), kProxbomb);
        break;
    case RockType::homer:
        streak(pf, kDotPen, r, kHomer);
        break;
    case RockType::enemy:
        if (r.subtype == RockType::skeet) {
            skeet(pf, r, kEnemy);
        } else if (r.subtype == RockType::plane) {
            plane(pf, r, kEnemy);
        }
        break; // an enemy of any other subtype is invisible
    case kType22:
        streak(pf, kDotPen, r, kType22Streak);
        break;
    case RockType::boulder:
        dot(pf, boulderPen(r), position(r), kBoulder);
        break;
    case RockType::comet:
        cometTrail(pf, r, [&rng] { return RGB(randomShade(rng, kFlameScale, 0), 0, 0); });
        break;
    default:
        break; // explosions, makers, 21, reactors, none and unknown codes have no look
    }
}

void eraserocks(Game& g, int i) {
    if (i < 0 || i > kLastRockIndex) {
        return; // no such slot: nothing to erase
    }
    const Rock& r = g.rocks[i];
    Playfield& pf = g.picground;
    // The same shapes and pen widths as the look, so whatever drawing painted becomes open air
    // again, terrain and other rocks under it included.
    switch (r.type) {
    case RockType::gas:
    case RockType::liquid:
    case RockType::solid:
    case RockType::fire:
    case RockType::plasma:
    case RockType::bomb:
    case RockType::bulletbomb:
    case RockType::proxbomb:
        dot(pf, kDotPen, position(r), kOpenAir);
        break;
    case RockType::bigbomb:
        dot(pf, kBigDotPen, position(r), kOpenAir);
        break;
    case RockType::boulder:
        dot(pf, boulderPen(r), position(r), kOpenAir);
        break;
    case RockType::alive:
    case RockType::multibomb:
    case RockType::nuke:
    case RockType::homer:
        streak(pf, kDotPen, r, kOpenAir);
        break;
    case kType22:
        // Erased like the plane's streak, so a type-22 rock does not litter the terrain with
        // white trails as it moves.
        streak(pf, kDotPen, r, kOpenAir);
        break;
    case RockType::bullet:
        streak(pf, kFinePen, r, kOpenAir);
        break;
    case RockType::ice:
        // A moved or removed ice rock leaves its colour behind as terrain.
        dot(pf, kDotPen, position(r), kIce);
        break;
    case RockType::missle:
        missle(pf, r, kOpenAir, kOpenAir);
        break;
    case RockType::timebomb:
        // The red centre lies inside the body, so one dot removes both.
        dot(pf, kBigDotPen, farEnd(r), kOpenAir);
        break;
    case RockType::enemy:
        if (r.subtype == RockType::skeet) {
            skeet(pf, r, kOpenAir);
        } else if (r.subtype == RockType::plane) {
            plane(pf, r, kOpenAir);
        }
        break;
    case RockType::comet:
        cometTrail(pf, r, [] { return kOpenAir; });
        break;
    default:
        break; // nothing was drawn, so nothing to erase
    }
}

} // namespace wh
