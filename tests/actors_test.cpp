// Makers, enemies and hazards on small fixtures: one actor on an empty playfield with a few
// single pixels drawn around it. Random draws are foreseen with a copy of the game's generator,
// taken in the order the rules draw them.
#include "app/game.hpp"
#include "app/numeric.hpp"
#include "app/window.hpp"
#include "world/actors.hpp"
#include "world/behaviour.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace wh {
namespace {

constexpr Colour kGrey = RGB(127, 127, 127);
constexpr Colour kYellow = RGB(255, 255, 0);

// Every actor sits at (3000, 3000): pixel column 200, row 200.
constexpr int32_t kX = 3000;
constexpr int32_t kY = 3000;

// Actors stand at (kX, kY) unless placed elsewhere.
struct World : BareWorld {
    Rock& put(int16_t type, int32_t x = kX, int32_t y = kY, int16_t xdis = 0,
              int16_t ydis = 0) const {
        return BareWorld::put(type, x, y, xdis, ydis);
    }
    // The numbers the next rule will draw, without moving the game's own generator.
    Rng foresee() const { return g->rng; }
};

// What a slot left behind by an earlier rock still holds: xt 7, yt 8, at (1, 2) moving (3, 4),
// a solid of subtype 21 with count 99, fullcount 11, countstep 12.
Rock staleRock() {
    return Rock{7, 8, 1, 2, 3, 4, RockType::solid, 21, 99, 11, 12};
}

void expectInherited(const Rock& r) {
    EXPECT_EQ(r.xt, 7);
    EXPECT_EQ(r.yt, 8);
    EXPECT_EQ(r.subtype, 21);
    EXPECT_EQ(r.fullcount, 11);
    EXPECT_EQ(r.countstep, 12);
}

// The raw memory of a value, padding included.
template <typename T> std::vector<unsigned char> bytesOf(const T& v) {
    const auto* p = reinterpret_cast<const unsigned char*>(&v);
    return {p, p + sizeof v};
}

// The skeet's nudge: 1 left, 2 right, 3 up, 4 down.
int nudgeOf(float r) {
    return static_cast<int>(std::floor(static_cast<double>(r) * 4 + 1));
}

// A seed whose first draw gives the skeet nudge k.
uint64_t seedForNudge(int k) {
    for (uint64_t s = 1;; ++s) {
        Rng probe;
        probe.seed(s);
        if (nudgeOf(probe.nextSingle()) == k) {
            return s;
        }
    }
}

// ---- maker ----

TEST(Maker, EmitsItsSubtypeFromWhereItStandsIntoAStaleSlot) {
    World w;
    Rock& m = w.put(RockType::maker, kX, kY, 40, -200);
    m.subtype = RockType::gas;
    m.count = 1;
    m.countstep = 1;
    m.fullcount = 3;
    w.g->rocks[2] = staleRock();

    Rng probe = w.foresee();
    const double r = probe.nextSingle();
    stepRock(*w.g, 1);

    EXPECT_EQ(w.rock(1).x, kX); // the motion is undone
    EXPECT_EQ(w.rock(1).y, kY);
    EXPECT_EQ(w.rock(1).count, 3); // reloaded from fullcount
    EXPECT_EQ(w.rock(1).type, RockType::maker);
    ASSERT_EQ(w.g->rocks.rockcount, 2);
    const Rock& made = w.rock(2);
    EXPECT_EQ(made.type, RockType::gas);
    EXPECT_EQ(made.x, kX);
    EXPECT_EQ(made.y, kY);
    EXPECT_EQ(made.xdis, 40);
    EXPECT_EQ(made.ydis, nearest16(r * -200));
    EXPECT_GE(made.ydis, -200);
    EXPECT_LE(made.ydis, 0);
    EXPECT_EQ(made.count, kMadeRockCount);
    expectInherited(made);
}

TEST(Maker, EmitsWhenItsCountLandsOnZero) {
    struct Case {
        int16_t count, fullcount, countstep;
        int steps;
        std::vector<int> emitsAt; // step numbers, from 1
    };
    const Case cases[] = {
        {1, 1, 1, 5, {1, 2, 3, 4, 5}},
        {100, 10, 1, 120, {100, 110, 120}}, // the panel's defaults
        {6, 4, 2, 10, {3, 5, 7, 9}},
        {5, 4, 2, 10, {}},  // steps past 0: waits for the 16-bit wrap
        {0, 10, 0, 5, {1}}, // a step of 0 from 0 emits at once, then never from 10
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.fullcount << " " << c.countstep);
        World w;
        Rock& m = w.put(RockType::maker);
        m.subtype = RockType::ice;
        m.count = c.count;
        m.fullcount = c.fullcount;
        m.countstep = c.countstep;
        std::vector<int> emits;
        for (int step = 1; step <= c.steps; ++step) {
            const int16_t before = w.g->rocks.rockcount;
            stepRock(*w.g, 1);
            if (w.g->rocks.rockcount != before) {
                emits.push_back(step);
            }
        }
        EXPECT_EQ(emits, c.emitsAt);
    }
}

TEST(Maker, MakesExplosionsWithWhateverTheSlotHeld) {
    World w;
    Rock& m = w.put(RockType::maker);
    m.subtype = RockType::explosion;
    m.count = 1;
    m.countstep = 1;
    maker(*w.g, 1); // slot 2 has never been used: it holds zeros
    ASSERT_EQ(w.g->rocks.rockcount, 2);
    EXPECT_EQ(w.rock(2).type, RockType::explosion);
    EXPECT_EQ(w.rock(2).count, kMadeRockCount);
    EXPECT_EQ(w.rock(2).fullcount, 0);
    EXPECT_EQ(w.rock(2).countstep, 0);
}

// A full table refuses the new rock: nothing is written past the last slot and rockcount stays,
// but the actor's count is reloaded as if it had made the rock.
TEST(Actors, AFullTableRefusesWhatTheyMakeOrDrop) {
    struct Case {
        int16_t type, subtype;
    };
    const Case cases[] = {
        {RockType::maker, RockType::gas},
        {RockType::enemy, RockType::skeet},
        {RockType::enemy, RockType::plane},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subtype);
        World w;
        Rock& a = w.put(c.type);
        a.subtype = c.subtype;
        a.count = 1;
        a.countstep = 1;
        a.fullcount = 4;
        w.g->rocks.rockcount = kLastRockIndex;
        w.g->rocks[kLastRockIndex] = staleRock();
        const std::vector<unsigned char> vehicle = bytesOf(w.g->vehicle);
        rockBehaviour(*w.g, 1);
        EXPECT_EQ(w.g->rocks.rockcount, kLastRockIndex);
        EXPECT_EQ(w.rock(kLastRockIndex), staleRock());
        EXPECT_EQ(w.rock(1).count, 4);
        EXPECT_EQ(bytesOf(w.g->vehicle), vehicle); // what lies beyond the table's end
    }
}

// ---- kill tests ----

// Where each actor feels for the colours that end it, relative to its own point.
struct Probe {
    int16_t type, subtype;
    int32_t dx, dy;
};
const Probe kKillProbes[] = {
    {RockType::maker, RockType::gas, -100, 0},
    {RockType::enemy, RockType::skeet, -100, 0},
    {RockType::enemy, RockType::plane, 0, -100},
    {RockType::boulder, 0, -500, 0},
};

// Set up so that nothing but the probe can end it this step: no emission, no drop, no contact.
Rock& putActor(World& w, const Probe& p, int32_t x = kX, int32_t y = kY) {
    Rock& a = w.put(p.type, x, y);
    a.subtype = p.subtype;
    a.count = 100;
    a.countstep = 1;
    a.fullcount = 100;
    if (p.type == RockType::boulder) {
        a.ydis = -20; // gravity brings it to 0: its next position is its own open pixel
    }
    return a;
}

TEST(Actors, EndWhenTheProbeReadsAColourStrictlyBetweenBlackAndYellow) {
    struct Case {
        Colour colour;
        bool kills;
    };
    const Case cases[] = {
        {kGround, true},          {RGB(255, 0, 0), true}, // the red scenery
        {RGB(1, 0, 0), true},                             // 1, just above black
        {RGB(254, 255, 0), true},                         // 65534, just below yellow
        {RGB(255, 128, 0), true},                         // an explosion's orange
        {kYellow, false},                                 // 65535 itself
        {RGB(0, 0, 1), false},                            // 65536: any blue is too much
        {kGrey, false},           {kWhite, false},        // the vehicle
        {kBlack, false},
    };
    for (const Probe& p : kKillProbes) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << p.type << "/" << p.subtype << " " << c.colour);
            World w;
            putActor(w, p);
            w.paint(kX + p.dx, kY + p.dy, c.colour);
            rockBehaviour(*w.g, 1);
            EXPECT_EQ(w.rock(1).type, c.kills ? int16_t{RockType::none} : p.type);
        }
    }
}

TEST(Actors, AProbeOffThePlayfieldReadsMinusOneAndDoesNotKill) {
    for (const Probe& p : kKillProbes) {
        SCOPED_TRACE(testing::Message() << p.type << "/" << p.subtype);
        World w;
        // The probe lands 50 twips beyond the left or the top edge.
        const int32_t x = p.dx < 0 ? -p.dx - 50 : kX;
        const int32_t y = p.dy < 0 ? -p.dy - 50 : kY;
        putActor(w, p, x, y);
        rockBehaviour(*w.g, 1);
        EXPECT_EQ(w.rock(1).type, p.type);
    }
}

// Green at the probe's distance but turned a quarter round does not kill: above the maker, the
// skeet and the boulder, to the right of the plane.
TEST(Actors, OnlyTheirOwnProbePointKills) {
    for (const Probe& p : kKillProbes) {
        SCOPED_TRACE(testing::Message() << p.type << "/" << p.subtype);
        World w;
        putActor(w, p);
        w.paint(kX - p.dy, kY + p.dx, kGround); // the probe turned a quarter round
        rockBehaviour(*w.g, 1);
        EXPECT_EQ(w.rock(1).type, p.type);
    }
}

// ---- skeet ----

TEST(Skeet, IsNudgedTenOnTheAxisItsDrawPicks) {
    struct Case {
        int k;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {1, 10, -30},
        {2, 30, -30},
        {3, 20, -40},
        {4, 20, -20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.k);
        World w;
        w.g->rng.seed(seedForNudge(c.k));
        Rock& s = putActor(w, kKillProbes[1]);
        s.xdis = 20;
        s.ydis = -30;
        skeet(*w.g, 1);
        EXPECT_EQ(w.rock(1).xdis, c.exdis);
        EXPECT_EQ(w.rock(1).ydis, c.eydis);
        EXPECT_EQ(w.rock(1).count, 99);
        EXPECT_EQ(w.rock(1).x, kX); // the skeet's step does not move it
        EXPECT_EQ(w.rock(1).y, kY);
    }
}

TEST(Skeet, AnAxisFasterThanFiftyStopsDead) {
    struct Case {
        int k;
        int16_t xdis, ydis;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {2, 50, 0, 0, 0},                        // 60
        {1, -50, 0, 0, 0},                       // -60
        {2, 40, 0, 50, 0},                       // exactly 50 stays
        {3, 0, -40, 0, -50}, {1, 0, 51, -10, 0}, // the cap looks at both axes, nudged or not
        {4, 60, 45, 0, 0},   {2, -32768, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.k << " " << c.xdis << " " << c.ydis);
        World w;
        w.g->rng.seed(seedForNudge(c.k));
        Rock& s = putActor(w, kKillProbes[1]);
        s.xdis = c.xdis;
        s.ydis = c.ydis;
        skeet(*w.g, 1);
        EXPECT_EQ(w.rock(1).xdis, c.exdis);
        EXPECT_EQ(w.rock(1).ydis, c.eydis);
    }
}

TEST(Skeet, IsPushedDownFiftyWhileAboveTheSkyFloor) {
    struct Case {
        int32_t yAfterMotion;
        int32_t ey;
    };
    const Case cases[] = {
        {480, 530},
        {499, 549},
        {500, 500},
        {-20, 30}, // pushed back onto the playfield before the bounds look
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.yAfterMotion);
        World w;
        Rock& s = putActor(w, kKillProbes[1], kX, c.yAfterMotion + 10);
        s.ydis = -10;
        stepRock(*w.g, 1);
        EXPECT_EQ(w.rock(1).y, c.ey);
        EXPECT_EQ(w.rock(1).type, RockType::enemy);
    }
}

TEST(Skeet, DropsAFireBelowItselfWhenItsCountLandsOnZero) {
    World w;
    Rock& s = putActor(w, kKillProbes[1]);
    s.count = 1;
    s.fullcount = 7;
    s.xdis = 20;
    w.g->rocks[2] = staleRock();

    Rng probe = w.foresee();
    const int k = nudgeOf(probe.nextSingle());
    const double r = probe.nextSingle();
    const int16_t xdis = k == 1 ? 10 : k == 2 ? 30 : 20;
    skeet(*w.g, 1);

    EXPECT_EQ(w.rock(1).count, 7);
    ASSERT_EQ(w.g->rocks.rockcount, 2);
    const Rock& f = w.rock(2);
    EXPECT_EQ(f.type, RockType::fire);
    EXPECT_EQ(f.x, kX);
    EXPECT_EQ(f.y, nearest32(kY + r * 1000));
    EXPECT_GE(f.y, kY);
    EXPECT_LE(f.y, kY + 1000);
    EXPECT_EQ(f.count, kDroppedRockCount);
    EXPECT_EQ(f.xdis, xdis);
    EXPECT_EQ(f.ydis, 0);
    expectInherited(f);
}

// count 5 with countstep 3: 2, -1, -4, ... lands on 0 only after wrapping, when 3k = 65536 + 5,
// at k = 21847. The plane with the same numbers drops at -1, in its second step.
TEST(Enemies, TheSkeetWaitsForAnExactZeroThePlaneDropsAtZeroOrBelow) {
    struct Case {
        int16_t subtype;
        std::vector<int> dropsAt;
        int steps;
    };
    const Case cases[] = {
        {RockType::skeet, {21847}, 21848},
        {RockType::plane, {2, 4}, 4}, // reloaded with 5: 2 again, then -1
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subtype);
        World w;
        Rock& e = w.put(RockType::enemy);
        e.subtype = c.subtype;
        e.count = 5;
        e.countstep = 3;
        e.fullcount = 5;
        std::vector<int> drops;
        for (int step = 1; step <= c.steps; ++step) {
            const int16_t before = w.g->rocks.rockcount;
            enemy(*w.g, 1);
            if (w.g->rocks.rockcount != before) {
                drops.push_back(step);
            }
        }
        EXPECT_EQ(drops, c.dropsAt);
    }
}

TEST(Skeet, TurnsRoundAtAnythingAheadOnItsLeft) {
    struct Case {
        Colour colour;
        int16_t etype;
        bool turns;
    };
    const Case cases[] = {
        {kGrey, RockType::enemy, true},
        {kGround, RockType::none, true}, // killed and turned
        {kBlack, RockType::enemy, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colour);
        World w;
        Rock& s = putActor(w, kKillProbes[1]);
        s.xdis = 20;
        s.ydis = 30;
        w.paint(kX - 100, kY, c.colour);
        Rng probe = w.foresee();
        const int k = nudgeOf(probe.nextSingle());
        int16_t xdis = k == 1 ? 10 : k == 2 ? 30 : 20;
        int16_t ydis = k == 3 ? 20 : k == 4 ? 40 : 30;
        if (c.turns) {
            xdis = static_cast<int16_t>(-xdis);
            ydis = static_cast<int16_t>(-ydis);
        }
        skeet(*w.g, 1);
        EXPECT_EQ(w.rock(1).type, c.etype);
        EXPECT_EQ(w.rock(1).xdis, xdis);
        EXPECT_EQ(w.rock(1).ydis, ydis);
    }
}

// ---- plane ----

TEST(Plane, PastTheViewsRightSideComesBackOneWindowWidthLeft) {
    constexpr int32_t fw = kWindowWidthTwips;
    struct Case {
        float left;
        int32_t x;
        int32_t ex;
    };
    const Case cases[] = {
        {0, fw + 1, 1},
        {0, fw, fw}, // on the edge: stays
        {-6000, fw + 6001, 6001},
        {-6000, fw + 6000, fw + 6000},
        {-0.5f, fw + 1, 1}, // fw + 0.5 is the edge: fw + 1 is past it
        {0.5f, fw, 0},      // fw - 0.5 is the edge: fw is past it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.x);
        World w;
        w.g->picground.Left = c.left;
        putActor(w, kKillProbes[2], c.x, kY);
        plane(*w.g, 1);
        EXPECT_EQ(w.rock(1).x, c.ex);
    }
}

TEST(Plane, DropsABombFromWhereItIsAfterTheWrap) {
    World w;
    Rock& p = putActor(w, kKillProbes[2], kWindowWidthTwips + 1, kY);
    p.count = 3;
    p.countstep = 3;
    p.fullcount = 9;
    p.xdis = 120;
    p.ydis = 15;
    w.g->rocks[2] = staleRock();
    Rng probe = w.foresee();
    const double r = probe.nextSingle();
    plane(*w.g, 1);

    EXPECT_EQ(w.rock(1).count, 9);
    ASSERT_EQ(w.g->rocks.rockcount, 2);
    const Rock& b = w.rock(2);
    EXPECT_EQ(b.type, RockType::bomb);
    EXPECT_EQ(b.x, 1);
    EXPECT_EQ(b.y, nearest32(kY + r * 100));
    EXPECT_GE(b.y, kY);
    EXPECT_LE(b.y, kY + 100);
    EXPECT_EQ(b.count, kDroppedRockCount);
    EXPECT_EQ(b.xdis, 120);
    EXPECT_EQ(b.ydis, 0);
    expectInherited(b);
}

TEST(Enemy, OtherSubtypesDoNothing) {
    World w;
    Rock& e = putActor(w, {RockType::enemy, RockType::fire, 0, 0});
    e.count = 1;
    const Rock before = e;
    const Rng rng = w.g->rng;
    w.paint(kX - 100, kY, kGround);
    w.paint(kX, kY - 100, kGround);
    enemy(*w.g, 1);
    EXPECT_EQ(w.rock(1), before);
    EXPECT_EQ(w.g->rng.state, rng.state);
    EXPECT_EQ(w.g->rocks.rockcount, 1);
}

// ---- boulder ----

// Touching ground it keeps a tenth of its roll, turns back a tenth of its fall and is lifted 500.
TEST(Boulder, IsLiftedWhereItsNextPositionTouchesGround) {
    struct Case {
        int16_t xdis, ydis;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {35, 80, 4, -10},  // 3.5 and -10
        {25, 130, 2, -15}, // 2.5 to even, -15
        {-15, 5, -2, -2},  // -1.5 and -2.5 to even
        {0, -20, 0, 0},    // its next position is its own pixel
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xdis << " " << c.ydis);
        World w;
        w.put(RockType::boulder, kX, kY, c.xdis, c.ydis);
        w.paint(kX + c.xdis, kY + c.ydis + 20, kGrey);
        boulder(*w.g, 1);
        EXPECT_EQ(w.rock(1).xdis, c.exdis);
        EXPECT_EQ(w.rock(1).ydis, c.eydis);
        EXPECT_EQ(w.rock(1).y, kY - 500);
        EXPECT_EQ(w.rock(1).type, RockType::boulder);
    }
}

// Far probes 500 twips out find the wall, near ones 50 twips out on the other side must be open.
TEST(Boulder, RollsOffWallsFarToEitherSide) {
    struct Pixel {
        int32_t dx;
        Colour colour;
    };
    struct Case {
        std::vector<Pixel> pixels;
        int16_t exdis, eydis;
        int16_t etype;
    };
    const Case cases[] = {
        {{{-500, kGrey}}, 50, -10, RockType::boulder},
        {{{500, kGrey}}, -50, -10, RockType::boulder},
        {{{-500, kGrey}, {500, kGrey}}, 0, -20, RockType::boulder}, // both push
        {{{-500, kGrey}, {50, kGrey}}, 0, 0, RockType::boulder},    // no room to the right
        {{{500, kGrey}, {-50, kGrey}}, 0, 0, RockType::boulder},
        {{{-500, kGround}}, 50, -10, RockType::none}, // killed, yet still pushed
        {{{-500, kYellow}}, 50, -10, RockType::boulder},
        {{{-400, kGrey}, {400, kGrey}}, 0, 0, RockType::boulder}, // too near for the far probes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pixels.size());
        World w;
        w.put(RockType::boulder, kX, kY, 0, -20);
        for (const Pixel& p : c.pixels) {
            w.paint(kX + p.dx, kY, p.colour);
        }
        boulder(*w.g, 1);
        EXPECT_EQ(w.rock(1).xdis, c.exdis);
        EXPECT_EQ(w.rock(1).ydis, c.eydis);
        EXPECT_EQ(w.rock(1).type, c.etype);
        EXPECT_EQ(w.rock(1).y, kY);
    }
}

// ---- comet and reactor ----

TEST(Comet, OnlyFalls) {
    World w;
    w.put(RockType::comet, kX, kY, 5, 10);
    w.paint(kX + 5, kY + 10 + 20, kGround); // ground ahead means nothing to it
    w.paint(kX - 100, kY, kGround);
    stepRock(*w.g, 1);
    EXPECT_EQ(w.rock(1).x, kX + 5);
    EXPECT_EQ(w.rock(1).y, kY + 10);
    EXPECT_EQ(w.rock(1).xdis, 5);
    EXPECT_EQ(w.rock(1).ydis, 30);
    EXPECT_EQ(w.rock(1).type, RockType::comet);

    w.rock(1).ydis = 32760;
    comet(*w.g, 1);
    EXPECT_EQ(w.rock(1).ydis, -32756); // 16 bits wrap
}

TEST(Reactor, OnlyMovesByItsDisplacement) {
    World w;
    Rock& r = w.put(RockType::reactor, kX, kY, 7, -9);
    r.count = 1;
    r.countstep = 1;
    w.paint(kX - 100, kY, kGround);
    Rock expected = r;
    expected.x = kX + 7;
    expected.y = kY - 9;
    const Rng rng = w.g->rng;
    stepRock(*w.g, 1);
    EXPECT_EQ(w.rock(1), expected);
    EXPECT_EQ(w.g->rng.state, rng.state);
    EXPECT_EQ(w.g->rocks.rockcount, 1);
}

} // namespace
} // namespace wh
