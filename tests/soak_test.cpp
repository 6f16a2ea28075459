// Random play over several seeds with the world's invariants checked after every event and pass
// (the sanitizer build turns any out-of-bounds write or overflow into a failure here), the same
// seed twice giving the same world, and the soak's own checks and texts.
#include "soak/nasty.hpp"
#include "soak/soak.hpp"

#include "app/mainloop.hpp"
#include "tools/textnumber.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

namespace wh::soak {
namespace {

// 24 seeds of 2500 passes: 60000 passes, about a minute on one core under the sanitizers.
constexpr long kPassesPerSeed = 2500;
constexpr uint64_t kSeeds[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                               13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

class SoakSeed : public ::testing::TestWithParam<uint64_t> {};

TEST_P(SoakSeed, PlaysWithoutBreakingAnInvariant) {
    const SoakResult r = runSoak(GetParam(), kPassesPerSeed);
    ASSERT_EQ(r.fault, "");
    EXPECT_EQ(r.passes, kPassesPerSeed);
    // Every kind of input reached the game, and the table was driven to its end, where every
    // adder must refuse instead of writing past it.
    for (int k = 0; k < kEventKinds; ++k) {
        if (static_cast<EventKind>(k) != EventKind::escape) {
            EXPECT_GT(r.events[static_cast<size_t>(k)], 0) << eventName(static_cast<EventKind>(k));
        }
    }
    EXPECT_EQ(r.peakRockcount, kLastRockIndex);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakSeed, ::testing::ValuesIn(kSeeds));

TEST(Soak, SameSeedTwiceInARowGivesTheSameWorld) {
    constexpr uint64_t kSeed = 7;
    constexpr long kPasses = 2000;
    const SoakResult a = runSoak(kSeed, kPasses);
    const SoakResult b = runSoak(kSeed, kPasses);
    ASSERT_EQ(a.fault, "");
    // An Esc and a fresh start happened on the way, so a new game starts the same way too.
    ASSERT_GE(a.games, 2);
    EXPECT_EQ(a.finalHash, b.finalHash);
    EXPECT_EQ(a.trail, b.trail);
    EXPECT_EQ(a.events, b.events);
    EXPECT_EQ(a.peakRockcount, b.peakRockcount);
    EXPECT_EQ(a.rockPasses, b.rockPasses);

    // The hash tells worlds apart: the next seed plays another game.
    const SoakResult c = runSoak(kSeed + 1, kPasses);
    EXPECT_NE(a.finalHash, c.finalHash);
    EXPECT_NE(a.trail, c.trail);
}

TEST(SoakInvariants, HoldAtStartUpAndAfterAnEscOnly) {
    auto g = std::make_unique<Game>();
    Form_Load(*g, 1);
    EXPECT_EQ(checkInvariants(*g, false), "");
    EXPECT_EQ(checkInvariants(*g, true), "Esc did not end the game");
    g->ended = true;
    EXPECT_EQ(checkInvariants(*g, true), "");
    EXPECT_EQ(checkInvariants(*g, false), "the game ended without an Esc");
}

TEST(SoakInvariants, EachBrokenRuleIsReported) {
    struct Case {
        const char* expected;
        std::function<void(Game&)> breakIt;
    };
    const Case cases[] = {
        {"rockcount 1501 is outside 0 to 1500", [](Game& g) { g.rocks.rockcount = 1501; }},
        {"rockcount -1 is outside 0 to 1500", [](Game& g) { g.rocks.rockcount = -1; }},
        {"pen mode 3 left behind, not copy",
         [](Game& g) { g.picground.drawMode = kDrawModeMaskNotPen; }},
        {"flag paused holds 1", [](Game& g) { g.paused = 1; }},
        {"flag trigger holds -2", [](Game& g) { g.keys.trigger = -2; }},
        {"weapon 12 is outside 0 to 11", [](Game& g) { g.weapon = 12; }},
        {"weapon -1 is outside 0 to 11", [](Game& g) { g.weapon = -1; }},
        {"paintmode 0 is outside 1 to 3", [](Game& g) { g.paintmode = 0; }},
        {"paintmode 4 is outside 1 to 3", [](Game& g) { g.paintmode = 4; }},
        {"brushwidth 0 is no pen width", [](Game& g) { g.brushwidth = 0; }},
        {"stage 4 is outside 0 to 3", [](Game& g) { g.stage = 4; }},
    };
    auto g = std::make_unique<Game>();
    Form_Load(*g, 1);
    for (const Case& c : cases) {
        Game broken = *g;
        c.breakIt(broken);
        EXPECT_EQ(checkInvariants(broken, false), c.expected);
    }
    // The edges themselves are allowed.
    Game edges = *g;
    edges.rocks.rockcount = kLastRockIndex;
    edges.weapon = 11;
    edges.paintmode = 3;
    edges.stage = 3;
    EXPECT_EQ(checkInvariants(edges, false), "");
}

// The soak's texts must reach what the panel's reading has to survive: both ends of either field
// width, overflow of a double both ways, long texts, bytes outside ASCII and the empty text.
TEST(SoakTexts, ReachEveryEdgeOfTheNumericReading) {
    SoakRng rng(1);
    bool min16 = false, max16 = false, zero16 = false, min32 = false, max32 = false;
    bool plusInf = false, minusInf = false, longText = false, highByte = false, empty = false;
    constexpr size_t kLong = 300;
    for (int i = 0; i < 4000; ++i) {
        const std::string t = nastyText(rng);
        const int16_t v16 = readField16(t);
        const int32_t v32 = readField32(t);
        const double v = readNumber(t);
        min16 |= v16 == std::numeric_limits<int16_t>::min();
        max16 |= v16 == std::numeric_limits<int16_t>::max();
        zero16 |= v16 == 0;
        min32 |= v32 == std::numeric_limits<int32_t>::min();
        max32 |= v32 == std::numeric_limits<int32_t>::max();
        plusInf |= std::isinf(v) && v > 0;
        minusInf |= std::isinf(v) && v < 0;
        longText |= t.size() > kLong;
        empty |= t.empty();
        for (const char c : t) {
            highByte |= static_cast<unsigned char>(c) >= 0x80;
        }
    }
    EXPECT_TRUE(min16);
    EXPECT_TRUE(max16);
    EXPECT_TRUE(zero16);
    EXPECT_TRUE(min32);
    EXPECT_TRUE(max32);
    EXPECT_TRUE(plusInf);
    EXPECT_TRUE(minusInf);
    EXPECT_TRUE(longText);
    EXPECT_TRUE(highByte);
    EXPECT_TRUE(empty);
}

} // namespace
} // namespace wh::soak
