// The rock pass and the common step: motion, the off-view cull, removal with the table closing
// up, the crowd limit and the bounds, on small tables over an empty playfield.
#include "app/game.hpp"
#include "app/numeric.hpp"
#include "level/colourclass.hpp"
#include "render/rockdraw.hpp"
#include "world/behaviour.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace wh {
namespace {

// A reactor has no behaviour and no look: it only moves and obeys the common rules.
constexpr int16_t kInert = RockType::reactor;

Rock moved(Rock r) {
    r.x += r.xdis;
    r.y += r.ydis;
    return r;
}

TEST(RockPass, EmptyTableTouchesNothing) {
    auto g = bareWorld();
    // A slot above rockcount holds a rock that would move and draw if it were visited.
    g->rocks[1] = rockOf(RockType::gas, 1500, 1500, 10, 10);
    g->rocks.rockcount = 0;
    rockpass(*g);
    EXPECT_EQ(g->rocks.rockcount, 0);
    EXPECT_EQ(g->rocks[1], rockOf(RockType::gas, 1500, 1500, 10, 10));
    for (Colour c : g->picground.pixels()) {
        ASSERT_EQ(c, kBlack);
    }
}

TEST(RockPass, MotionAddsTheDisplacementsAsThirtyTwoBitSums) {
    struct Case {
        int32_t x, y;
        int16_t xdis, ydis;
        int32_t ex, ey;
    };
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const Case cases[] = {
        {1000, 2000, -30, 45, 970, 2045},
        {40000, 5000, -32768, 32767, 7232, 37767}, // full 16-bit range, sign-extended
        {kMax, 100, 1, 0, kMin, 100},              // wraps instead of overflowing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        auto g = bareWorld();
        addRock(*g, rockOf(kInert, c.x, c.y, c.xdis, c.ydis));
        stepRock(*g, 1);
        EXPECT_EQ(g->rocks[1].x, c.ex);
        EXPECT_EQ(g->rocks[1].y, c.ey);
    }
}

// An ice rock shows whether its behaviour ran: it clears its displacement. A culled rock is a
// none entry before the behaviour step, so it leaves the table in the same step; a rock dropped
// by the bounds stays until the next visit.
TEST(RockPass, OffViewCullDropsRocksMoreThanAHundredTwipsLeftOfTheView) {
    struct Case {
        float left;
        int32_t xAfter;
        bool culled;
    };
    const Case cases[] = {
        {-500, 300, true},    // -200
        {-350, 300, false},   // -50
        {-400, 300, false},   // exactly -100 stays
        {-400, 299, true},    // -101
        {-400.5f, 300, true}, // -100.5: the sum is not taken in whole twips
        {0, -100, false},     // left of the picture but within the margin: the bounds drop it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.xAfter);
        auto g = bareWorld();
        g->picground.Left = c.left;
        addRock(*g, rockOf(RockType::ice, c.xAfter - 20, 3000, 20, 0));
        stepRock(*g, 1);
        if (c.culled) {
            EXPECT_EQ(g->rocks.rockcount, 0);
            EXPECT_EQ(g->rocks[1].xdis, 20); // the behaviour never ran
        } else {
            EXPECT_EQ(g->rocks.rockcount, 1);
            EXPECT_EQ(g->rocks[1].xdis, 0);
            EXPECT_EQ(g->rocks[1].type, c.xAfter < 0 ? RockType::none : RockType::ice);
        }
        EXPECT_EQ(g->rocks[1].x, c.xAfter);
    }
}

TEST(RockPass, BoundsKeepTheEdgesAndDropWhatLiesBeyond) {
    struct Case {
        int32_t x, y;
        bool stays;
    };
    const Case cases[] = {
        {64005, 4000, true}, {64006, 4000, false}, {0, 4000, true}, {-1, 4000, false},
        {3000, 9015, true},  {3000, 9016, false},  {3000, 0, true}, {3000, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        auto g = bareWorld();
        addRock(*g, rockOf(RockType::comet, c.x - 100, c.y, 100, 0));
        rockpass(*g);
        ASSERT_EQ(g->rocks.rockcount, 1);
        EXPECT_EQ(g->rocks[1].x, c.x);
        EXPECT_EQ(g->rocks[1].type, c.stays ? RockType::comet : RockType::none);
        if (!c.stays) {
            rockpass(*g);
            EXPECT_EQ(g->rocks.rockcount, 0);
        }
    }
}

TEST(RockPass, RemovingIndexThreeOfFiveClosesTheTable) {
    auto g = bareWorld();
    for (int k = 1; k <= 5; ++k) {
        addRock(*g, rockOf(kInert, 1000 * k, 3000, 10, 5));
    }
    g->rocks[3].type = RockType::none;
    std::vector<Rock> before(g->rocks.rocks.begin(), g->rocks.rocks.begin() + 6);

    rockpass(*g);

    EXPECT_EQ(g->rocks.rockcount, 4);
    EXPECT_EQ(g->rocks[1], moved(before[1]));
    EXPECT_EQ(g->rocks[2], moved(before[2]));
    EXPECT_EQ(g->rocks[3], before[4]);        // moved down, not stepped this pass
    EXPECT_EQ(g->rocks[4], moved(before[5])); // moved down, then stepped at index 4
    EXPECT_EQ(g->rocks[5], before[5]);        // the vacated slot is never visited
}

TEST(RockPass, RemovingTheLastRockMovesNothing) {
    auto g = bareWorld();
    for (int k = 1; k <= 3; ++k) {
        addRock(*g, rockOf(kInert, 1000 * k, 3000, 10, 5));
    }
    g->rocks[3].type = RockType::none;
    std::vector<Rock> before(g->rocks.rocks.begin(), g->rocks.rocks.begin() + 4);

    rockpass(*g);

    EXPECT_EQ(g->rocks.rockcount, 2);
    EXPECT_EQ(g->rocks[1], moved(before[1]));
    EXPECT_EQ(g->rocks[2], moved(before[2]));
    // Motion comes before the behaviour step, so even the removed entry moved once; its slot
    // keeps that.
    EXPECT_EQ(g->rocks[3], moved(before[3]));
}

// The vacated top slot still holds a copy of the last rock, so erasing it wipes that rock's
// picture; the pass draws it again when it reaches it.
TEST(RockPass, RemovalErasesTheVacatedSlot) {
    auto g = bareWorld();
    addRock(*g, rockOf(RockType::none, 1000, 3000));
    addRock(*g, rockOf(RockType::solid, 6000, 3000));
    drawrocks(*g, 2);
    ASSERT_NE(g->picground.Point(6000, 3000), kBlack);
    removeRock(*g, 1);
    EXPECT_EQ(g->rocks.rockcount, 1);
    EXPECT_EQ(g->rocks[1].type, RockType::solid);
    EXPECT_EQ(g->rocks[1].x, 6000);
    EXPECT_EQ(g->picground.Point(6000, 3000), kBlack);
}

// The bounds look at whatever sits at i after the removal: the rock that moved down.
TEST(RockPass, TheRockMovedDownIsBoundedThoughNotStepped) {
    auto g = bareWorld();
    addRock(*g, rockOf(RockType::none, 1000, 3000));
    addRock(*g, rockOf(kInert, 70000, 3000, 10, 0));
    rockpass(*g);
    EXPECT_EQ(g->rocks.rockcount, 1);
    EXPECT_EQ(g->rocks[1].x, 70000);
    EXPECT_EQ(g->rocks[1].type, RockType::none);
}

TEST(RockPass, TwoAdjacentNoneEntriesGoOnePerPass) {
    auto g = bareWorld();
    for (int k = 1; k <= 4; ++k) {
        addRock(*g, rockOf(kInert, 1000 * k, 3000, 10, 0));
    }
    g->rocks[2].type = RockType::none;
    g->rocks[3].type = RockType::none;

    rockpass(*g);
    EXPECT_EQ(g->rocks.rockcount, 3);
    EXPECT_EQ(g->rocks[1].x, 1010);
    EXPECT_EQ(g->rocks[2].type, RockType::none); // the second none moved down into 2
    EXPECT_EQ(g->rocks[3].type, kInert);
    EXPECT_EQ(g->rocks[3].x, 4010);

    rockpass(*g);
    EXPECT_EQ(g->rocks.rockcount, 2);
    EXPECT_EQ(g->rocks[1].x, 1020);
    EXPECT_EQ(g->rocks[2].type, kInert);
    EXPECT_EQ(g->rocks[2].x, 4010); // moved down into 2 this pass: not stepped

    rockpass(*g);
    EXPECT_EQ(g->rocks.rockcount, 2);
    EXPECT_EQ(g->rocks[2].x, 4020);
}

// A step that adds an inert rock moving 7 twips per pass when it steps the rock at kSpawner.
constexpr int kSpawner = 2;
void stepAndSpawn(Game& g, int i) {
    stepRock(g, i);
    if (i == kSpawner) {
        addRock(g, rockOf(kInert, 20000, 3000, 7, 0));
    }
}

TEST(RockPass, RocksAddedAboveTheLimitWaitForTheNextPass) {
    auto g = bareWorld();
    addRock(*g, rockOf(kInert, 1000, 3000, 10, 0));
    addRock(*g, rockOf(kInert, 2000, 3000, 10, 0));

    rockpass(*g, stepAndSpawn);
    EXPECT_EQ(g->rocks.rockcount, 3);
    EXPECT_EQ(g->rocks[2].x, 2010);
    EXPECT_EQ(g->rocks[3].x, 20000);

    rockpass(*g, stepAndSpawn);
    EXPECT_EQ(g->rocks.rockcount, 4);
    EXPECT_EQ(g->rocks[3].x, 20007);
    EXPECT_EQ(g->rocks[4].x, 20000);
}

TEST(RockPass, RocksAddedBelowTheLimitAfterARemovalAreSteppedThisPass) {
    auto g = bareWorld();
    addRock(*g, rockOf(RockType::none, 1000, 3000, 10, 0));
    addRock(*g, rockOf(kInert, 2000, 3000, 10, 0));
    addRock(*g, rockOf(kInert, 3000, 3000, 10, 0));

    // i = 1 removes the none entry (rockcount 2), i = 2 steps the old rock 3 and adds at 3,
    // which is not above the limit 3.
    rockpass(*g, stepAndSpawn);
    EXPECT_EQ(g->rocks.rockcount, 3);
    EXPECT_EQ(g->rocks[1].x, 2000);
    EXPECT_EQ(g->rocks[2].x, 3010);
    EXPECT_EQ(g->rocks[3].x, 20007);
}

// Rocks on a grid of 40-pixel cells, so no two looks touch.
Rock gridRock(int16_t type, int j) {
    return rockOf(type, 300 + (j % 100) * 600, 300 + (j / 100) * 600);
}

TEST(CrowdLimit, AtRockcount1005TheFirstStepClearsAndErasesEverythingFrom999) {
    auto g = bareWorld();
    for (int j = 1; j <= 1005; ++j) {
        addRock(*g, gridRock(RockType::solid, j));
        drawrocks(*g, j);
    }
    for (int j = 990; j <= 1005; ++j) {
        ASSERT_NE(g->picground.Point(g->rocks[j].x, g->rocks[j].y), kBlack) << j;
    }

    eraserocks(*g, 1);
    stepRock(*g, 1);

    EXPECT_EQ(g->rocks.rockcount, 1005); // cleared entries leave when the pass reaches them
    for (int j = 2; j <= 1005; ++j) {
        const Rock& r = g->rocks[j];
        const bool cleared = j >= kCrowdLimit;
        ASSERT_EQ(r.type, cleared ? RockType::none : RockType::solid) << j;
        ASSERT_EQ(g->picground.Point(r.x, r.y) == kBlack, cleared) << j;
    }
}

TEST(CrowdLimit, ExplosionsAreSparedAndNothingIsClearedAtTheLimit) {
    auto g = bareWorld();
    for (int j = 1; j <= 1200; ++j) {
        addRock(*g, gridRock(kInert, j));
    }
    g->rocks[999].type = RockType::gas;
    g->rocks[1100].type = RockType::explosion;
    g->rocks[1200].type = RockType::explosion;
    stepRock(*g, 1);
    EXPECT_EQ(g->rocks[998].type, kInert);
    EXPECT_EQ(g->rocks[999].type, RockType::none);
    EXPECT_EQ(g->rocks[1000].type, RockType::none);
    EXPECT_EQ(g->rocks[1099].type, RockType::none);
    EXPECT_EQ(g->rocks[1100].type, RockType::explosion);
    EXPECT_EQ(g->rocks[1199].type, RockType::none);
    EXPECT_EQ(g->rocks[1200].type, RockType::explosion);

    auto atLimit = bareWorld();
    for (int j = 1; j <= kCrowdLimit; ++j) {
        addRock(*atLimit, gridRock(kInert, j));
    }
    stepRock(*atLimit, 1);
    EXPECT_EQ(atLimit->rocks[999].type, kInert);
}

// Passes over 1005 still rocks. Pass 1: the first step clears 999 to 1005; from i = 999 each
// removal pulls the next none into i unvisited, so every other one goes: 1005 -> 1001. Pass 2:
// 1001 -> 999. Pass 3: at 999 nothing is cleared, and the last none goes: 998.
TEST(CrowdLimit, ATableOf1005ShrinksBackUnderTheLimitOverThreePasses) {
    auto g = bareWorld();
    for (int j = 1; j <= 1005; ++j) {
        addRock(*g, gridRock(kInert, j));
    }
    const int16_t expected[] = {1001, 999, 998, 998};
    for (int16_t count : expected) {
        rockpass(*g);
        EXPECT_EQ(g->rocks.rockcount, count);
    }
    EXPECT_EQ(g->rocks[998].type, kInert);
}

// The rule as it reads, rescanning and erasing every non-explosion entry after every step.
void crowdLimitAsWritten(Game& g) {
    if (g.rocks.rockcount > kCrowdLimit) {
        const int top = g.rocks.rockcount;
        for (int j = kCrowdLimit; j <= top; ++j) {
            if (g.rocks[j].type != RockType::explosion) {
                eraserocks(g, j);
                g.rocks[j].type = RockType::none;
            }
        }
    }
}

void stepAsWritten(Game& g, int i) {
    Rock& r = g.rocks[i];
    r.x = add32(r.x, r.xdis);
    r.y = add32(r.y, r.ydis);
    if (r.x + static_cast<double>(g.picground.Left) < -100) {
        r.type = RockType::none;
    }
    if (r.type == RockType::none) {
        removeRock(g, i);
    } else {
        rockBehaviour(g, i);
    }
    crowdLimitAsWritten(g);
    Rock& now = g.rocks[i];
    if (now.y < 0 || now.x < 0 || now.x > Playfield::Width || now.y > Playfield::Height) {
        now.type = RockType::none;
    }
}

void expectSameWorld(const Game& a, const Game& b) {
    ASSERT_EQ(a.rocks.rockcount, b.rocks.rockcount);
    for (int j = 0; j <= kLastRockIndex; ++j) {
        ASSERT_EQ(a.rocks[j], b.rocks[j]) << j;
    }
    ASSERT_TRUE(a.picground.pixels() == b.picground.pixels());
    ASSERT_EQ(a.rng.state, b.rng.state);
}

// Random tables of 990 to 1500 rocks, among them kinds that burst, burn craters and emit (so
// rocks are added and removed in the middle of a pass), over ground with pure red in it: the crowd
// limit as the game runs it leaves the same world as the rule written out, step after step.
TEST(CrowdLimit, ClearsTheSameEntriesAsTheRuleWrittenOutOnRandomTables) {
    const int16_t palette[] = {
        RockType::none,      RockType::gas,  RockType::liquid,    RockType::solid,
        RockType::alive,     RockType::ice,  RockType::explosion, RockType::explosion,
        RockType::explosion, kInert,         RockType::fire,      RockType::bomb,
        RockType::multibomb, RockType::nuke, RockType::maker,     RockType::bigbomb,
    };
    constexpr int kPalette = sizeof(palette) / sizeof(palette[0]);
    Rng pick;
    pick.seed(2024);
    auto below = [&pick](uint32_t n) { return static_cast<int>(pick.next32() % n); };

    for (int trial = 0; trial < 12; ++trial) {
        SCOPED_TRACE(trial);
        auto a = bareWorld();
        // Ground across the bottom, with blocks of pure red in it for fires to burn.
        a->picground.setDrawWidth(1);
        for (int y = 6000; y < 9000; y += 15) {
            a->picground.Line(0, y, 60000, y, RGB(0, 128, 0));
        }
        for (int x = 0; x < 60000; x += 9000) {
            for (int y = 5000; y < 6500; y += 15) {
                a->picground.Line(x, y, x + 3000, y, kPureRed);
            }
        }
        const int count = 990 + below(511); // 990 to 1500
        for (int j = 1; j <= count; ++j) {
            Rock r =
                rockOf(palette[below(kPalette)], below(60000), below(8500),
                       static_cast<int16_t>(below(61) - 30), static_cast<int16_t>(below(61) - 30));
            r.count = static_cast<int16_t>(below(50));
            r.fullcount = static_cast<int16_t>(below(60));
            r.countstep = static_cast<int16_t>(below(4));
            r.subtype = palette[below(kPalette)];
            addRock(*a, r);
            drawrocks(*a, j);
        }
        auto b = std::make_unique<Game>(*a);

        crowdLimit(*a);
        crowdLimitAsWritten(*b);
        expectSameWorld(*a, *b);

        for (int pass = 0; pass < 6; ++pass) {
            SCOPED_TRACE(pass);
            rockpass(*a);
            rockpass(*b, stepAsWritten);
            expectSameWorld(*a, *b);
        }
    }
}

} // namespace
} // namespace wh
