// Spawning by a press on the playfield: the batch size, every field from the panel, the random
// boxes and their draws, the table's last slot, and drawing at once even while paused.
#include "app/numeric.hpp"
#include "render/rockdraw.hpp"
#include "tools/lists.hpp"
#include "tools/mouse.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wh {
namespace {

constexpr uint64_t kSeed = 20240611;
constexpr float kClickX = 3000;
constexpr float kClickY = 4500;

std::unique_ptr<Game> emptyWorld() {
    auto g = bareWorld();
    g->rng.seed(kSeed);
    return g;
}

void click(Game& g, int16_t button = kButtonLeft, int16_t shift = 0, float x = kClickX,
           float y = kClickY) {
    picground_MouseDown(g, button, shift, x, y);
}

void expectSameGenerator(const Rng& a, const Rng& b) {
    EXPECT_EQ(a.state, b.state);
    EXPECT_EQ(a.inc, b.inc);
}

// A generator as it stands after `draws` more numbers.
Rng advanced(Rng rng, int draws) {
    for (int k = 0; k < draws; ++k) {
        rng.nextSingle();
    }
    return rng;
}

TEST(Spawn, DesignedPanelSpawnsOneRockOfItsDefaultsWithAnyButton) {
    struct Press {
        int16_t button;
        int16_t shift;
    };
    const std::vector<Press> presses = {
        {kButtonLeft, 0}, {kButtonRight, 0}, {kButtonMiddle, 0}, {kButtonLeft, 1}, {0, 7}};
    for (const Press& p : presses) {
        auto g = emptyWorld();
        g->picground.Left = -4500; // scrolled: the press is still in the playfield's own twips
        g->picground.Top = -660;
        click(*g, p.button, p.shift, 1235.5f, 677.5f);
        ASSERT_EQ(g->rocks.rockcount, 1) << p.button;
        // xt, yt, x, y (halves to even), xdis, ydis, type, subtype, count, fullcount, countstep
        const Rock expected{0, 0, 1236, 678, 100, 100, 0, 0, 100, 10, 1};
        EXPECT_EQ(g->rocks[1], expected) << p.button << ' ' << p.shift;
    }
}

TEST(Spawn, EveryFieldIsWrittenOverWhatTheSlotHeld) {
    auto g = emptyWorld();
    const Rock stale{-1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11};
    for (int i = 1; i <= 4; ++i) {
        g->rocks[i] = stale;
    }
    Panel& p = g->panel;
    p.typelbl = "9";
    p.subtypelbl = "4";
    p.xdis = "-7";
    p.ydis = "12";
    p.xt = "70000"; // 32-bit field: kept whole
    p.yt = "-300";
    p.counttext = "55";
    p.fullcount = "66";
    p.countstep = "3";
    p.number = "3";
    click(*g, kButtonLeft, 0, 100.25f, 200.75f);

    ASSERT_EQ(g->rocks.rockcount, 3);
    const Rock expected{70000, -300, 100, 201, -7, 12, 9, 4, 55, 66, 3};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(g->rocks[i], expected) << i;
    }
    EXPECT_EQ(g->rocks[4], stale); // above the batch nothing is touched
}

// `number` is read once; the last index is rockcount + reading, to the nearest even on a tie,
// clamped to 16 bits, and the table's last slot ends any batch.
TEST(Spawn, BatchSizeComesFromNumberAndStopsAtTheTablesLastSlot) {
    struct BatchCase {
        int16_t rockcount;
        std::string number;
        int added;
    };
    const std::vector<BatchCase> cases = {
        {0, "3", 3},
        {10, "2.5", 2}, // last index 12.5 -> 12
        {11, "2.5", 3}, // last index 13.5 -> 14
        {0, " 4x", 4},
        {0, "-1", 0},
        {0, "0", 0},
        {0, "", 0},
        {0, "abc", 0},
        {0, "0.5", 0},
        {0, "1.5", 2},
        {0, "-&H8000", 0},
        {0, "&HFFFF", kLastRockIndex}, // 65535: the end index clamps, the table ends first
        {5, "&H8000", kLastRockIndex - 5},
        {5, "-1e300", 0},
        {5, "-1e400", 0},
        {100, "40000", 1400}, // the end index clamps to 32767, the table ends first
        {0, "1e9", kLastRockIndex},
        {0, "1e400", kLastRockIndex},
        {0, "&H10000", kLastRockIndex},
        {1490, "50", 10},
        {1499, "5", 1},
        {kLastRockIndex, "1", 0},
    };
    for (const BatchCase& c : cases) {
        auto g = emptyWorld();
        g->rocks.rockcount = c.rockcount;
        g->panel.typelbl = "3";
        g->panel.number = c.number;
        g->panel.rndxdis = true; // one draw per rock made, none for a rock refused
        const Rng before = g->rng;
        click(*g);

        const int end = c.rockcount + c.added;
        ASSERT_EQ(g->rocks.rockcount, end) << '"' << c.number << "\" from " << c.rockcount;
        for (int i = c.rockcount + 1; i <= end; ++i) {
            ASSERT_EQ(g->rocks[i].type, RockType::solid) << i;
        }
        if (end < kLastRockIndex) {
            EXPECT_EQ(g->rocks[end + 1], Rock{}) << '"' << c.number << '"';
        }
        expectSameGenerator(g->rng, advanced(before, c.added));
    }
}

// The same text in every box: each 16-bit field gets the 16-bit store, xt the 32-bit one.
TEST(Spawn, TextBoxesAreReadRoundedAndClampedToTheirFieldsWidths) {
    struct FieldCase {
        std::string text;
        int16_t field16;
        int32_t xt;
    };
    const std::vector<FieldCase> cases = {
        {"2.5", 2, 2},
        {"3.5", 4, 4},
        {"-2.5", -2, -2},
        {"1e2", 100, 100},
        {" 1 2 ", 12, 12},
        {"40000", 32767, 40000},
        {"-40000", -32768, -40000},
        {"3e9", 32767, 2147483647},
        {"-1e400", -32768, -2147483647 - 1},
        {"&HFFFF", 32767, 65535},
        {"&H8000", 32767, 32768},
        {"-&H8000", -32768, -32768},
        {"&O177777", 32767, 65535},
        {"&H10000", 32767, 65536},
        {"junk", 0, 0},
        {"", 0, 0},
    };
    for (const FieldCase& c : cases) {
        auto g = emptyWorld();
        Panel& p = g->panel;
        p.xdis = p.ydis = p.xt = p.yt = p.counttext = p.fullcount = p.countstep = c.text;
        click(*g);
        ASSERT_EQ(g->rocks.rockcount, 1);
        const Rock& r = g->rocks[1];
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        EXPECT_EQ(r.xdis, c.field16);
        EXPECT_EQ(r.ydis, c.field16);
        EXPECT_EQ(r.yt, c.field16);
        EXPECT_EQ(r.count, c.field16);
        EXPECT_EQ(r.fullcount, c.field16);
        EXPECT_EQ(r.countstep, c.field16);
        EXPECT_EQ(r.xt, c.xt);
    }
}

TEST(Spawn, TheCodeLabelsGiveTypeAndSubtypeByListPosition) {
    struct Choice {
        int typePosition;
        int subtypePosition;
    };
    // 21 and 22 show "0" in the type list; 18's entry ends in a blank.
    const std::vector<Choice> choices = {{21, 18}, {22, 22}, {18, 21}, {0, 25}};
    for (const Choice& c : choices) {
        auto g = emptyWorld();
        liststuff(*g);
        g->panel.typelist.selected = c.typePosition;
        typelist_Click(*g);
        g->panel.subtypelist.selected = c.subtypePosition;
        subtypelist_Click(*g);
        click(*g);
        ASSERT_EQ(g->rocks.rockcount, 1);
        EXPECT_EQ(g->rocks[1].type, c.typePosition);
        EXPECT_EQ(g->rocks[1].subtype, c.subtypePosition);
    }
}

TEST(Spawn, RandomValuesLieBetweenZeroAndTheReading) {
    constexpr int kRocks = 300;
    auto g = emptyWorld();
    Panel& p = g->panel;
    p.typelbl = "3"; // solid: its look draws no random numbers
    p.number = std::to_string(kRocks);
    p.xdis = "100";
    p.rndxdis = true;
    p.ydis = "-50";
    p.rndydis = true;
    p.counttext = "0";
    p.rndcount = true;
    const Rng before = g->rng;
    click(*g);

    ASSERT_EQ(g->rocks.rockcount, kRocks);
    int16_t lowest = 100;
    int16_t highest = 0;
    for (int i = 1; i <= kRocks; ++i) {
        const Rock& r = g->rocks[i];
        ASSERT_GE(r.xdis, 0) << i;
        ASSERT_LE(r.xdis, 100) << i;
        ASSERT_GE(r.ydis, -50) << i;
        ASSERT_LE(r.ydis, 0) << i;
        ASSERT_EQ(r.count, 0) << i;
        ASSERT_EQ(r.fullcount, 10) << i; // not ticked: the typed value
        lowest = std::min(lowest, r.xdis);
        highest = std::max(highest, r.xdis);
    }
    // Each rock has its own draw: three hundred of them spread over the whole range.
    EXPECT_LE(lowest, 10);
    EXPECT_GE(highest, 90);
    expectSameGenerator(g->rng, advanced(before, 3 * kRocks));
}

// For each rock in turn: one fresh draw per ticked box in the order xdis, ydis, count, fullcount,
// each scaling its box's reading; then the rock's look, which for fire takes draws of its own.
TEST(Spawn, TickedBoxesDrawInTheirOrderRockByRockBetweenTheLooksDraws) {
    struct Ticks {
        bool xdis;
        bool ydis;
        bool count;
        bool fullcount;
    };
    const std::vector<Ticks> table = {
        {true, true, true, true},
        {false, true, false, true},
        {true, false, true, false},
        {false, false, false, false},
    };
    constexpr int kRocks = 4;
    for (const Ticks& t : table) {
        auto g = emptyWorld();
        Panel& p = g->panel;
        p.typelbl = "4"; // fire
        p.number = std::to_string(kRocks);
        p.xdis = "100";
        p.ydis = "-50";
        p.counttext = "1000";
        p.fullcount = "7";
        p.rndxdis = t.xdis;
        p.rndydis = t.ydis;
        p.rndcount = t.count;
        p.rndfullcount = t.fullcount;
        click(*g);

        auto ref = emptyWorld();
        auto field = [&ref](bool ticked, double reading) {
            return nearest16(ticked ? ref->rng.nextSingle() * reading : reading);
        };
        for (int i = 1; i <= kRocks; ++i) {
            Rock& r = *ref->rocks.add();
            r.type = RockType::fire;
            r.x = static_cast<int32_t>(kClickX);
            r.y = static_cast<int32_t>(kClickY);
            r.xdis = field(t.xdis, 100);
            r.ydis = field(t.ydis, -50);
            r.count = field(t.count, 1000);
            r.fullcount = field(t.fullcount, 7);
            r.countstep = 1;
            drawrocks(*ref, i);
        }

        ASSERT_EQ(g->rocks.rockcount, kRocks);
        for (int i = 1; i <= kRocks; ++i) {
            EXPECT_EQ(g->rocks[i], ref->rocks[i]) << i;
        }
        expectSameGenerator(g->rng, ref->rng);
        EXPECT_TRUE(g->picground.pixels() == ref->picground.pixels());
    }
}

TEST(Spawn, PausedWorldStillSpawnsAndDrawsEachNewRockAtOnce) {
    auto g = emptyWorld();
    g->paused = kTrue;
    g->panel.typelbl = "3"; // solid: a grey dot
    g->panel.number = "2";
    g->panel.xdis = "300";
    const Rng before = g->rng;
    click(*g);

    ASSERT_EQ(g->rocks.rockcount, 2);
    EXPECT_NE(g->picground.Point(kClickX, kClickY), kBlack);

    auto ref = emptyWorld();
    for (int i = 1; i <= 2; ++i) {
        ref->rocks.add();
        ref->rocks[i] = g->rocks[i];
        drawrocks(*ref, i);
    }
    EXPECT_TRUE(g->picground.pixels() == ref->picground.pixels());
    expectSameGenerator(g->rng, before); // nothing ticked, and a solid's look draws nothing
}

} // namespace
} // namespace wh
