// The explosives on small fixtures: a few ground pixels or a floor drawn on an empty playfield,
// one explosive over it, and the rocks and counters each step leaves.
#include "app/game.hpp"
#include "app/numeric.hpp"
#include "world/behaviour.hpp"
#include "world/explosives.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace wh {
namespace {

// A rock well inside open air, away from every edge.
constexpr int32_t kX = 3000;
constexpr int32_t kY = 3000;

// What a slot held before: the fields an adder leaves alone show through.
Rock leftover() {
    Rock r;
    r.xt = 11;
    r.yt = 12;
    r.x = 1;
    r.y = 2;
    r.xdis = 3;
    r.ydis = 4;
    r.type = RockType::gas;
    r.subtype = 9;
    r.count = 99;
    r.fullcount = 77;
    r.countstep = 3;
    return r;
}

// A ground floor from pixel row 300 (y 4500 twips) down to row 349, right across the playfield.
void floorAt300(Game& g) {
    for (int row = 300; row < 350; ++row) {
        g.picground.setDrawWidth(1);
        g.picground.Line(0, row * 15, Playfield::Width - 1, row * 15, kGround);
    }
}

// ---- bullet ----

TEST(Bullet, RemovedNearTheRightEdgeOrOnContact) {
    struct Case {
        int32_t x;
        bool ground; // at the next position
        bool removed;
    };
    const Case cases[] = {
        {Playfield::Width - 200, false, true}, // 63805, in open air
        {Playfield::Width - 201, false, false},
        {kX, true, true},
        {kX, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << " " << c.ground);
        auto g = bareWorld();
        placeRock(*g, RockType::bullet, c.x, kY, 10, 20);
        if (c.ground) {
            paintPixel(*g, c.x + 10, kY + 20, kGround);
        }
        bullet(*g, 1);
        EXPECT_EQ(g->rocks[1].type, c.removed ? RockType::none : RockType::bullet);
        EXPECT_EQ(g->rocks[1].xdis, 10); // no gravity
        EXPECT_EQ(g->rocks[1].ydis, 20);
    }
}

// ---- bursting types ----

struct BurstCase {
    int16_t type;
    int16_t burstType;
    int16_t count; // of each new rock: the bomb's fires get 35, the rest keep the slot's
};
const BurstCase kBursts[] = {
    {RockType::bomb, RockType::fire, kBombFireCount},
    {RockType::bulletbomb, RockType::bullet, 99},
    {RockType::multibomb, RockType::bigbomb, 99},
};

TEST(Burst, OnContactFiveRocksFlyFromTheBurstPoint) {
    for (const BurstCase& c : kBursts) {
        SCOPED_TRACE(c.type);
        auto g = bareWorld();
        for (int k = 2; k <= 6; ++k) {
            g->rocks[k] = leftover();
        }
        placeRock(*g, c.type, kX, kY, 30, 40);
        paintPixel(*g, kX + 30, kY + 60, kGround); // 40 plus gravity 20
        Rng expect = g->rng;
        rockBehaviour(*g, 1);
        EXPECT_EQ(g->rocks[1].type, RockType::none);
        EXPECT_EQ(g->rocks[1].ydis, 60);
        ASSERT_EQ(g->rocks.rockcount, 6);
        for (int k = 2; k <= 6; ++k) {
            SCOPED_TRACE(k);
            const Rock& b = g->rocks[k];
            const int16_t xdis = nearest16(static_cast<double>(expect.nextSingle()) * 400 - 200);
            const int16_t ydis = nearest16(static_cast<double>(expect.nextSingle()) * 400 - 200);
            EXPECT_EQ(b.type, c.burstType);
            EXPECT_EQ(b.x, kX);
            EXPECT_EQ(b.y, kY);
            EXPECT_EQ(b.xdis, xdis);
            EXPECT_EQ(b.ydis, ydis);
            EXPECT_GE(b.xdis, -200);
            EXPECT_LE(b.xdis, 200);
            EXPECT_EQ(b.count, c.count);
            EXPECT_EQ(b.fullcount, 77);
            EXPECT_EQ(b.countstep, 3);
            EXPECT_EQ(b.subtype, 9);
            EXPECT_EQ(b.xt, 11);
            EXPECT_EQ(b.yt, 12);
        }
        EXPECT_EQ(g->rng.state, expect.state);
    }
}

TEST(Burst, InOpenAirOnlyFalls) {
    for (const BurstCase& c : kBursts) {
        SCOPED_TRACE(c.type);
        auto g = bareWorld();
        placeRock(*g, c.type, kX, kY, 30, 40);
        paintPixel(*g, kX + 30, kY + 40,
                   kGround); // where it would be without gravity: pixel row 202
        const Rng before = g->rng;
        rockBehaviour(*g, 1);
        EXPECT_EQ(g->rocks[1].type, c.type);
        EXPECT_EQ(g->rocks[1].ydis, 60); // next point in pixel row 204, open air
        EXPECT_EQ(g->rocks.rockcount, 1);
        EXPECT_EQ(g->rng.state, before.state);
    }
}

TEST(Burst, IsCutShortAtTheEndOfTheTable) {
    auto g = bareWorld();
    placeRock(*g, RockType::bomb, kX, kY);
    paintPixel(*g, kX, kY + 20, kGround);
    g->rocks.rockcount = kLastRockIndex - 2;
    Rng expect = g->rng;
    bomb(*g, 1);
    EXPECT_EQ(g->rocks.rockcount, kLastRockIndex);
    EXPECT_EQ(g->rocks[kLastRockIndex - 1].type, RockType::fire);
    EXPECT_EQ(g->rocks[kLastRockIndex].type, RockType::fire);
    for (int k = 0; k < 4; ++k) { // two rocks' displacements drawn, no more
        expect.nextSingle();
    }
    EXPECT_EQ(g->rng.state, expect.state);
}

TEST(Burst, BombFallingOntoAFloorBurstsInItsTwelfthPass) {
    // Pass k leaves the bomb at 3000 + 10 k (k - 1) with ydis 20 k, so its next point is
    // 3000 + 10 k (k + 1): 4320 after pass 11, 4560 (inside the floor from 4500) after pass 12.
    auto g = bareWorld();
    floorAt300(*g);
    placeRock(*g, RockType::bomb, kX, kY);
    for (int pass = 1; pass <= 11; ++pass) {
        rockpass(*g);
    }
    EXPECT_EQ(g->rocks[1].type, RockType::bomb);
    EXPECT_EQ(g->rocks[1].y, 4100);
    EXPECT_EQ(g->rocks.rockcount, 1);
    rockpass(*g);
    EXPECT_EQ(g->rocks[1].type, RockType::none);
    ASSERT_EQ(g->rocks.rockcount, 6);
    for (int k = 2; k <= 6; ++k) {
        EXPECT_EQ(g->rocks[k].type, RockType::fire);
        EXPECT_EQ(g->rocks[k].count, kBombFireCount);
        EXPECT_EQ(g->rocks[k].x, kX);
        EXPECT_EQ(g->rocks[k].y, 4320);
    }
}

// ---- in-place explosives ----

TEST(InPlace, ContactTurnsTheRockIntoAnExplosionWhereItIs) {
    struct Case {
        int16_t type;
        int16_t gravity;
        ExplosionSize size;
    };
    const Case cases[] = {
        {RockType::bigbomb, 20, {100, 100, 10}},
        {RockType::nuke, 10, {500, 500, 50}},
        {RockType::homer, 0, {50, 50, 5}},
    };
    for (const Case& c : cases) {
        for (bool ground : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.type << " " << ground);
            auto g = bareWorld();
            Rock& r = placeRock(*g, c.type, kX, kY, 30, 40);
            r.count = 7;
            r.fullcount = 8;
            r.countstep = 9;
            if (ground) {
                paintPixel(*g, kX + 30, kY + 40 + c.gravity, kGround);
            }
            rockBehaviour(*g, 1);
            const Rock& e = g->rocks[1];
            EXPECT_EQ(e.x, kX);
            EXPECT_EQ(e.y, kY);
            if (ground) {
                EXPECT_EQ(e.type, RockType::explosion);
                EXPECT_EQ(e.xdis, 0);
                EXPECT_EQ(e.ydis, 0);
                EXPECT_EQ(e.count, c.size.count);
                EXPECT_EQ(e.fullcount, c.size.fullcount);
                EXPECT_EQ(e.countstep, c.size.countstep);
            } else {
                EXPECT_EQ(e.type, c.type);
                EXPECT_EQ(e.xdis, 30);
                EXPECT_EQ(e.ydis, 40 + c.gravity);
                EXPECT_EQ(e.count, 7);
            }
            EXPECT_EQ(g->rocks.rockcount, 1);
        }
    }
}

// ---- missle ----

TEST(Missle, ContactLeavesAnExplosionOnTopOfTheTable) {
    auto g = bareWorld();
    g->rocks[2] = leftover();
    placeRock(*g, RockType::missle, kX, kY, 300, 0);
    paintPixel(*g, kX + 300, kY, kGround);
    missle(*g, 1);
    EXPECT_EQ(g->rocks[1].type, RockType::none);
    ASSERT_EQ(g->rocks.rockcount, 2);
    const Rock& e = g->rocks[2];
    EXPECT_EQ(e.type, RockType::explosion);
    EXPECT_EQ(e.x, kX);
    EXPECT_EQ(e.y, kY);
    EXPECT_EQ(e.xdis, 0);
    EXPECT_EQ(e.ydis, 0);
    EXPECT_EQ(e.count, 200);
    EXPECT_EQ(e.fullcount, 200);
    EXPECT_EQ(e.countstep, 20);
    EXPECT_EQ(e.subtype, 9);
    EXPECT_EQ(e.xt, 11);
    EXPECT_EQ(e.yt, 12);
}

TEST(Missle, FullTableTakesTheMissileWithoutItsBlast) {
    auto g = bareWorld();
    placeRock(*g, RockType::missle, kX, kY, 300, 0);
    paintPixel(*g, kX + 300, kY, kGround);
    g->rocks.rockcount = kLastRockIndex;
    const Rock top = g->rocks[kLastRockIndex];
    missle(*g, 1);
    EXPECT_EQ(g->rocks[1].type, RockType::none);
    EXPECT_EQ(g->rocks.rockcount, kLastRockIndex);
    EXPECT_EQ(g->rocks[kLastRockIndex], top);
}

TEST(Missle, MissleAndHomerFlyStraightIntoAWall) {
    // From x 3000 at 300 a pass the next point reaches the wall at 4500 in pass 4, at x 4200.
    for (int16_t type : {RockType::missle, RockType::homer}) {
        SCOPED_TRACE(type);
        auto g = bareWorld();
        g->picground.setDrawWidth(1);
        g->picground.Line(4500, 0, 4500, Playfield::Height - 1, kGround);
        placeRock(*g, type, kX, kY, 300, 0);
        for (int pass = 1; pass <= 3; ++pass) {
            rockpass(*g);
            EXPECT_EQ(g->rocks[1].type, type);
            EXPECT_EQ(g->rocks[1].y, kY);
            EXPECT_EQ(g->rocks[1].ydis, 0);
        }
        rockpass(*g);
        const int at = type == RockType::missle ? 2 : 1;
        if (type == RockType::missle) {
            EXPECT_EQ(g->rocks[1].type, RockType::none);
            EXPECT_EQ(g->rocks.rockcount, 2);
        }
        EXPECT_EQ(g->rocks[at].type, RockType::explosion);
        EXPECT_EQ(g->rocks[at].x, 4200);
        EXPECT_EQ(g->rocks[at].y, kY);
    }
}

// ---- timebomb ----

TEST(Timebomb, CyclesStepByStepThenTenMultibombs) {
    auto g = bareWorld();
    for (int k = 2; k <= 11; ++k) {
        g->rocks[k] = leftover();
    }
    Rock& t = placeRock(*g, RockType::timebomb, kX, kY);
    t.count = 3;
    t.fullcount = 2;
    t.countstep = 1;
    struct After {
        int16_t count, fullcount;
    };
    // The third step lands on 0: the cycle ends, fullcount 1 reloads count. The fourth ends the
    // last cycle.
    const After steps[] = {{2, 2}, {1, 2}, {1, 1}};
    for (const After& a : steps) {
        timebomb(*g, 1);
        EXPECT_EQ(g->rocks[1].type, RockType::timebomb);
        EXPECT_EQ(g->rocks[1].count, a.count);
        EXPECT_EQ(g->rocks[1].fullcount, a.fullcount);
    }
    EXPECT_EQ(g->rocks[1].ydis, 30); // 10 a pass
    Rng expect = g->rng;
    timebomb(*g, 1);
    EXPECT_EQ(g->rocks[1].type, RockType::none);
    EXPECT_EQ(g->rocks[1].fullcount, 0);
    ASSERT_EQ(g->rocks.rockcount, 11);
    for (int k = 2; k <= 11; ++k) {
        SCOPED_TRACE(k);
        const Rock& m = g->rocks[k];
        EXPECT_EQ(m.type, RockType::multibomb);
        EXPECT_EQ(m.x, kX);
        EXPECT_EQ(m.y, kY);
        EXPECT_EQ(m.xdis, nearest16(static_cast<double>(expect.nextSingle()) * 200 - 100));
        EXPECT_EQ(m.ydis, nearest16(static_cast<double>(expect.nextSingle()) * 200 - 100));
        EXPECT_GE(m.ydis, -100);
        EXPECT_LE(m.ydis, 100);
        EXPECT_EQ(m.count, 99);
        EXPECT_EQ(m.fullcount, 77);
        EXPECT_EQ(m.countstep, 3);
    }
}

TEST(Timebomb, BurstsAfterItsCycles) {
    struct Case {
        int16_t count, fullcount, countstep;
        int steps;
    };
    const Case cases[] = {
        {3, 2, 1, 4},
        {15, 15, 1, 120}, // 15 + 14 + 13 + ... + 1
        {5, 1, 1, 5},
        // Steps of 3 from 10 miss 0 and wrap round: count lands on 0 after k steps with
        // 3 k = 10 mod 65536 (k = 43694), then 2 (k = 21846), then 1 (k = 43691).
        {10, 3, 3, 43694 + 21846 + 43691},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.fullcount << " " << c.countstep);
        auto g = bareWorld();
        Rock& t = placeRock(*g, RockType::timebomb, kX, kY);
        t.count = c.count;
        t.fullcount = c.fullcount;
        t.countstep = c.countstep;
        int steps = 0;
        while (g->rocks[1].type == RockType::timebomb && steps < 200000) {
            timebomb(*g, 1);
            ++steps;
        }
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(g->rocks.rockcount, 11);
    }
}

// ---- settling and the proxbomb's trigger ----

TEST(Settle, TimebombAndProxbombHopOffTheGround) {
    struct Case {
        int16_t type;
        int16_t gravity;
    };
    const Case cases[] = {{RockType::timebomb, 10}, {RockType::proxbomb, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto g = bareWorld();
        Rock& r = placeRock(*g, c.type, kX, kY, 45, static_cast<int16_t>(25 - c.gravity));
        r.count = 100;
        r.fullcount = 5;
        r.countstep = 1;
        paintPixel(*g, kX + 45, kY + 25, kGround);
        rockBehaviour(*g, 1);
        EXPECT_EQ(g->rocks[1].type, c.type);
        EXPECT_EQ(g->rocks[1].xdis, 4);  // nearest(4.5)
        EXPECT_EQ(g->rocks[1].ydis, -2); // nearest(-2.5)
        EXPECT_EQ(g->rocks[1].x, kX);
        EXPECT_EQ(g->rocks[1].y, kY - 100);
    }
}

TEST(Proxbomb, HoversOverAFloorUntilTheTrigger) {
    auto g = bareWorld();
    floorAt300(*g);
    placeRock(*g, RockType::proxbomb, kX, 4400);
    struct After {
        int32_t y;
        int16_t ydis;
    };
    // Falls from 4400 until its next point is in the floor, then hops: lifted 100 with a tenth
    // of its speed turned up.
    const After passes[] = {{4400, 20}, {4420, 40}, {4360, -6}, {4354, 14},
                            {4368, 34}, {4402, 54}, {4356, -7}};
    for (const After& a : passes) {
        rockpass(*g);
        EXPECT_EQ(g->rocks[1].type, RockType::proxbomb);
        EXPECT_EQ(g->rocks[1].y, a.y);
        EXPECT_EQ(g->rocks[1].ydis, a.ydis);
    }
    // The hops never reached into the floor: its top row is whole.
    for (int px = 0; px < kPlayfieldPixelsW; ++px) {
        ASSERT_EQ(g->picground.Point(px * 15, 4500), kGround) << px;
    }
    g->keys.trigger = kTrue;
    rockpass(*g);
    const Rock& e = g->rocks[1];
    EXPECT_EQ(e.type, RockType::explosion);
    EXPECT_EQ(e.x, kX);
    EXPECT_EQ(e.y, 4349);
    EXPECT_EQ(e.xdis, 0);
    EXPECT_EQ(e.ydis, 0);
    EXPECT_EQ(e.count, 120);
    EXPECT_EQ(e.fullcount, 120);
    EXPECT_EQ(e.countstep, 10);
}

TEST(Proxbomb, TriggerSetsOffEveryProxbombInFlight) {
    for (int16_t trigger : {kTrue, kFalse}) {
        SCOPED_TRACE(trigger);
        auto g = bareWorld();
        placeRock(*g, RockType::proxbomb, kX, kY, 50, 100);
        placeRock(*g, RockType::proxbomb, 2 * kX, kY, -50, -100);
        g->keys.trigger = trigger;
        rockpass(*g);
        for (int k = 1; k <= 2; ++k) {
            const Rock& r = g->rocks[k];
            if (trigger == kTrue) {
                EXPECT_EQ(r.type, RockType::explosion);
                EXPECT_EQ(r.xdis, 0);
                EXPECT_EQ(r.ydis, 0);
                EXPECT_EQ(r.count, 120);
            } else {
                EXPECT_EQ(r.type, RockType::proxbomb);
            }
        }
    }
}

} // namespace
} // namespace wh
