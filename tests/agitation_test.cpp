// The scatter and the agitation timer on small tables over an empty playfield. Random draws are
// foreseen with a copy of the game's generator, walked in the order the rules draw them.
#include "app/game.hpp"
#include "app/initialworld.hpp"
#include "app/mainloop.hpp"
#include "app/numeric.hpp"
#include "render/looks.hpp"
#include "render/rockdraw.hpp"
#include "world/agitation.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace wh {
namespace {

using Table = std::array<Rock, kRockSlots>;

// Group centres: cx = r x (64005 - 600) + 300, cy = r x (9015 - 600).
constexpr double kCentreXSpan = 63405;
constexpr double kCentreXBase = 300;
constexpr double kCentreYSpan = 8415;
constexpr int32_t kCentreXMax = 63705; // 64005 - 300
constexpr int32_t kCentreYMax = 8415;  // 9015 - 600

// Slot i holds a stale solid rock (no look of it draws a random number) at a place its own.
void fillStale(Game& g, int upTo) {
    for (int i = 0; i <= upTo; ++i) {
        Rock& r = g.rocks[i];
        r.type = RockType::solid;
        r.x = 1000 + i;
        r.y = 2000 + i;
        r.xdis = 1;
        r.ydis = 2;
        r.count = 3;
        r.subtype = 4;
    }
}

int16_t kickOf(Rng& probe) {
    return nearest16(static_cast<double>(probe.nextSingle()) * 200 - 100);
}

// The table after the scatter, by its rule: groups of 21 slots from g = 0 while g < rockcount,
// each at one centre (x drawn before y), each slot getting ydis and then xdis.
Table foreseeScatter(const Game& g) {
    Table t = g.rocks.rocks;
    Rng probe = g.rng;
    for (int first = 0; first < g.rocks.rockcount; first += 20) {
        const int32_t cx = nearest32(probe.nextSingle() * kCentreXSpan + kCentreXBase);
        const int16_t cy = nearest16(probe.nextSingle() * kCentreYSpan);
        for (int i = first; i <= first + 20; ++i) {
            t[i].x = cx;
            t[i].y = cy;
            t[i].ydis = kickOf(probe);
            t[i].xdis = kickOf(probe);
        }
    }
    return t;
}

template <typename T> std::vector<unsigned char> bytesOf(const T& v) {
    const auto* p = reinterpret_cast<const unsigned char*>(&v);
    return {p, p + sizeof v};
}

// ---- scatter ----

TEST(Scatter, AnEmptyTableIsLeftAlone) {
    auto g = bareWorld();
    fillStale(*g, 40);
    const Table before = g->rocks.rocks;
    const uint64_t state = g->rng.state;
    explode(*g);
    EXPECT_EQ(g->rocks.rocks, before);
    EXPECT_EQ(g->rng.state, state); // no centre drawn
}

TEST(Scatter, GroupsOfTwentyOneShareTheirLastIndexWithTheNext) {
    struct Case {
        int16_t rockcount;
        std::vector<int> groups; // first index of each group
    };
    const Case cases[] = {
        {1, {0}}, {20, {0}}, {21, {0, 20}}, {40, {0, 20}}, {41, {0, 20, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rockcount);
        auto g = bareWorld();
        fillStale(*g, 80);
        g->rocks.rockcount = c.rockcount;
        const Table before = g->rocks.rocks;
        const Table expected = foreseeScatter(*g);
        explode(*g);
        const Table& t = g->rocks.rocks;
        EXPECT_EQ(t, expected);

        const int end = c.groups.back() + 20;
        for (int first : c.groups) {
            for (int i = first; i <= first + 20; ++i) {
                // The shared index ends at the later group's centre.
                const int home = i == first + 20 && i != end ? i + 1 : first + 1;
                EXPECT_EQ(t[i].x, t[home].x) << i;
                EXPECT_EQ(t[i].y, t[home].y) << i;
                EXPECT_EQ(t[i].type, RockType::solid); // types and counters stay
                EXPECT_EQ(t[i].count, 3);
            }
        }
        EXPECT_NE(t[0].x, before[0].x); // index 0 goes with the first group
        EXPECT_EQ(t[end + 1], before[end + 1]);
        if (c.groups.size() > 1) {
            EXPECT_NE(t[19].x, t[20].x);
        }
    }
}

TEST(Scatter, ErasesEachRockAndDrawsItAtItsNewPlace) {
    auto g = bareWorld();
    Rock* r = g->rocks.add();
    r->type = RockType::gas; // a white dot
    r->x = 3000;
    r->y = 3000;
    drawrocks(*g, 1);
    ASSERT_EQ(g->picground.Point(3000, 3000), look::kGas);
    explode(*g);
    EXPECT_EQ(g->picground.Point(3000, 3000), kBlack);
    EXPECT_EQ(g->picground.Point(r->x, r->y), look::kGas);
}

// Every centre lies in 300 .. W - 300 and 0 .. H - 600, and the groups reach across the whole
// playfield, its far right included. A full table's last group ends exactly on slot 1500.
TEST(Scatter, CentresCoverThePlayfieldInsideTheirMarginsAndStopAtTheTablesEnd) {
    auto g = bareWorld();
    g->rocks.rockcount = kLastRockIndex;
    g->vehicle.bodyx1 = 12345;
    const std::vector<unsigned char> vehicle = bytesOf(g->vehicle);
    int32_t minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
    int16_t minKick = INT16_MAX, maxKick = INT16_MIN;
    for (int round = 0; round < 20; ++round) {
        explode(*g);
        const RockTable& t = g->rocks;
        for (int i = 0; i <= kLastRockIndex; ++i) {
            minX = std::min(minX, t[i].x);
            maxX = std::max(maxX, t[i].x);
            minY = std::min(minY, t[i].y);
            maxY = std::max(maxY, t[i].y);
            minKick = std::min({minKick, t[i].xdis, t[i].ydis});
            maxKick = std::max({maxKick, t[i].xdis, t[i].ydis});
        }
        EXPECT_EQ(t[kLastRockIndex].x, t[1481].x); // the last group is 1480 to 1500
        EXPECT_NE(t[1480].x, t[1479].x);
    }
    EXPECT_GE(minX, 300);
    EXPECT_LE(maxX, kCentreXMax);
    EXPECT_GE(minY, 0);
    EXPECT_LE(maxY, kCentreYMax);
    EXPECT_LT(minX, 3000);
    EXPECT_GT(maxX, 60000); // far beyond the level picture's 48000
    EXPECT_LT(minY, 500);
    EXPECT_GT(maxY, 8000);
    EXPECT_EQ(minKick, -100);
    EXPECT_EQ(maxKick, 100);
    EXPECT_EQ(g->rocks.rockcount, kLastRockIndex);
    EXPECT_EQ(bytesOf(g->vehicle), vehicle); // nothing written past the table
}

// No adder raises rockcount past the table's end; if it were there, no group would start at or
// beyond slot 1500 and nothing past it would be written.
TEST(Scatter, NeverWritesPastTheLastSlot) {
    auto g = bareWorld();
    g->rocks.rockcount = kLastRockIndex + 10;
    const std::vector<unsigned char> vehicle = bytesOf(g->vehicle);
    explode(*g);
    EXPECT_EQ(g->rocks.rockcount, kLastRockIndex + 10);
    EXPECT_EQ(bytesOf(g->vehicle), vehicle);
    EXPECT_EQ(g->rocks[kLastRockIndex].x, g->rocks[1490].x);
}

// ---- agitation ----

// Rocks 1 to 3 as given; slot 4, above rockcount, holds a stale alive rock.
struct Agitated {
    std::unique_ptr<Game> g = bareWorld();

    explicit Agitated(std::vector<int16_t> types) {
        g->timer2.interval = kTimer2Interval;
        g->timer2.setEnabled(true, 0);
        for (size_t k = 0; k < types.size(); ++k) {
            Rock* r = g->rocks.add();
            r->type = types[k];
            r->x = 3000 + 600 * static_cast<int32_t>(k);
            r->y = 3000;
            r->xdis = 5;
            r->ydis = 6;
        }
        Rock& stale = g->rocks[static_cast<int>(types.size()) + 1];
        stale = g->rocks[1];
        stale.type = RockType::alive;
    }
};

TEST(Agitation, KicksOnlyAliveRocksXdisFirstInIndexOrder) {
    Agitated a({RockType::alive, RockType::gas, RockType::alive});
    Game& g = *a.g;
    Rng probe = g.rng;
    const int16_t x1 = kickOf(probe), y1 = kickOf(probe);
    const int16_t x3 = kickOf(probe), y3 = kickOf(probe);
    const Rock gas = g.rocks[2];
    const Rock stale = g.rocks[4];
    Timer2_Timer(g);
    EXPECT_EQ(g.rocks[1].xdis, x1);
    EXPECT_EQ(g.rocks[1].ydis, y1);
    EXPECT_EQ(g.rocks[3].xdis, x3);
    EXPECT_EQ(g.rocks[3].ydis, y3);
    EXPECT_EQ(g.rocks[1].x, 3000); // turned in place: the pass moves it
    EXPECT_EQ(g.rocks[2], gas);
    EXPECT_EQ(g.rocks[4], stale);
    EXPECT_TRUE(g.timer2.enabled);
}

// The tick that finds rock 1 not alive switches the timer off, and still runs to its end.
TEST(Agitation, SwitchesItselfOffOnceRockOneIsNotAlive) {
    struct Case {
        std::vector<int16_t> types;
        bool stays;
    };
    const Case cases[] = {
        {{RockType::alive, RockType::alive}, true},
        {{RockType::gas, RockType::alive}, false},
        {{RockType::none, RockType::alive}, false},
        {{}, true}, // rockcount 0: slot 1 holds a stale alive rock
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.types.size());
        Agitated a(c.types);
        Game& g = *a.g;
        if (c.types.empty()) {
            ASSERT_EQ(g.rocks[1].type, RockType::alive);
        }
        Rng probe = g.rng;
        Timer2_Timer(g);
        EXPECT_EQ(g.timer2.enabled, c.stays);
        if (c.types.size() == 2) {
            const int16_t skipped = c.types[0] == RockType::alive ? 2 : 0;
            for (int k = 0; k < skipped; ++k) {
                kickOf(probe);
            }
            EXPECT_EQ(g.rocks[2].xdis, kickOf(probe)); // rock 2 is kicked all the same
            EXPECT_EQ(g.rocks[2].ydis, kickOf(probe));
        }
    }

    Agitated none({});
    none.g->rocks[1].type = RockType::gas;
    Timer2_Timer(*none.g);
    EXPECT_FALSE(none.g->timer2.enabled);
}

// The alive rock's stroke runs from it back along its displacement. Passing through, the old
// stroke is not erased and each tick adds another: a star.
TEST(Agitation, LeavesAStarTrailWhilePassingThrough) {
    for (int16_t passthrough : {kFalse, kTrue}) {
        SCOPED_TRACE(passthrough);
        Agitated a({RockType::alive});
        Game& g = *a.g;
        g.passthrough = passthrough;
        g.rocks[1].xdis = 0;
        g.rocks[1].ydis = -100; // the stroke runs down to (3000, 3100)
        drawrocks(g, 1);
        ASSERT_EQ(g.picground.Point(3000, 3100), look::kAlive);
        // A generator whose new stroke points up or level, well clear of the old far end.
        for (uint64_t s = 1;; ++s) {
            g.rng.seed(s);
            Rng probe = g.rng;
            kickOf(probe);
            if (kickOf(probe) >= 0) {
                break;
            }
        }
        Timer2_Timer(g);
        const Rock& r = g.rocks[1];
        EXPECT_EQ(g.picground.Point(3000, 3100), passthrough ? look::kAlive : kBlack);
        EXPECT_EQ(g.picground.Point(3000 - r.xdis, 3000 - r.ydis), look::kAlive);
    }
}

// The timer ticks at the event step, which runs while the world is paused.
TEST(Agitation, TicksWhilePausedEveryHundredMilliseconds) {
    Agitated a({RockType::alive, RockType::alive, RockType::alive});
    Game& g = *a.g;
    g.paused = kTrue;
    g.timer2.setEnabled(false, 0);
    g.timer2.setEnabled(true, 1000);
    const Table before = g.rocks.rocks;

    g.now = 1099;
    eventstep(g);
    EXPECT_EQ(g.rocks.rocks, before);

    Rng probe = g.rng;
    const int16_t x1 = kickOf(probe), y1 = kickOf(probe);
    g.now = 1100;
    eventstep(g);
    EXPECT_EQ(g.rocks[1].xdis, x1);
    EXPECT_EQ(g.rocks[1].ydis, y1);
    EXPECT_TRUE(g.timer2.enabled);

    g.rocks[1].type = RockType::gas; // as key g would
    g.now = 1200;
    eventstep(g);
    EXPECT_FALSE(g.timer2.enabled);
    const Table afterOff = g.rocks.rocks;
    g.now = 1300;
    eventstep(g);
    EXPECT_EQ(g.rocks.rocks, afterOff);
}

} // namespace
} // namespace wh
