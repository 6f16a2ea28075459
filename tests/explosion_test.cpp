// The explosion on a ground disc drawn on an empty playfield: its count, pen, colour and the
// discs it leaves on the picture pass by pass, the craters of every size the game uses, and
// the pen widths of malformed explosions.
#include "app/game.hpp"
#include "app/numeric.hpp"
#include "world/explosives.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace wh {
namespace {

// The blast centre: pixel (300, 300), the middle of a ground disc 400 pixels across.
constexpr int32_t kCx = 4500;
constexpr int32_t kCy = 4500;
constexpr int kCpx = 300;
constexpr int kCpy = 300;
constexpr int kGroundDisc = 400;

bool isOrange(Colour c) {
    return c >= 0 && (c & 0xFF) == 255 && (c >> 16) == 0;
}
bool isBlack(Colour c) {
    return c == kBlack;
}

// Length of the unbroken run of pixels of one kind through (px, py), along a row or a column.
int runThrough(const Game& g, int px, int py, bool alongRow,
               const std::function<bool(Colour)>& kind) {
    if (!kind(pixelAt(g, px, py))) {
        return 0;
    }
    const int dx = alongRow ? 1 : 0;
    const int dy = alongRow ? 0 : 1;
    int n = 1;
    for (int k = 1; kind(pixelAt(g, px + k * dx, py + k * dy)); ++k) {
        ++n;
    }
    for (int k = 1; kind(pixelAt(g, px - k * dx, py - k * dy)); ++k) {
        ++n;
    }
    return n;
}

int orangeLeft(const Game& g) {
    int n = 0;
    for (int y = kCpy - kGroundDisc / 2; y < kCpy + kGroundDisc / 2; ++y) {
        for (int x = kCpx - kGroundDisc / 2; x < kCpx + kGroundDisc / 2; ++x) {
            n += isOrange(pixelAt(g, x, y)) ? 1 : 0;
        }
    }
    return n;
}

// An explosion at the centre of a ground disc, alone in the table.
std::unique_ptr<Game> blastWorld(int16_t count, int16_t fullcount, int16_t countstep) {
    auto g = bareWorld();
    g->picground.setDrawWidth(kGroundDisc);
    g->picground.PSet(kCx, kCy, kGround);
    Rock& e = placeRock(*g, RockType::explosion, kCx, kCy);
    e.count = count;
    e.fullcount = fullcount;
    e.countstep = countstep;
    return g;
}

// ---- explosion ----

struct LifeStep {
    int16_t count;
    bool orange;
    int width; // pixels
};

// Steps one explosion through its life, checking count, pen, colour and the disc's size on the
// picture after every step; the random green is drawn only while the disc is orange.
void checkLife(Game& g, const std::vector<LifeStep>& life, bool throughPass) {
    for (size_t k = 0; k < life.size(); ++k) {
        const LifeStep& s = life[k];
        SCOPED_TRACE(testing::Message() << "step " << k + 1);
        Rng expect = g.rng;
        if (throughPass) {
            rockpass(g);
        } else {
            explosion(g, 1);
        }
        const Rock& e = g.rocks[1];
        EXPECT_EQ(e.count, s.count);
        EXPECT_EQ(g.picground.drawWidth(), s.width);
        if (s.orange) {
            const int32_t green = nearest32(static_cast<double>(expect.nextSingle()) * 255);
            EXPECT_EQ(pixelAt(g, kCpx, kCpy), RGB(255, green, 0));
            EXPECT_EQ(runThrough(g, kCpx, kCpy, true, isOrange), s.width);
            EXPECT_EQ(runThrough(g, kCpx, kCpy, false, isOrange), s.width);
        } else {
            EXPECT_EQ(runThrough(g, kCpx, kCpy, true, isBlack), s.width);
            EXPECT_EQ(runThrough(g, kCpx, kCpy, false, isBlack), s.width);
        }
        EXPECT_EQ(g.rng.state, expect.state);
        const bool last = k + 1 == life.size();
        EXPECT_EQ(e.type, last ? RockType::none : RockType::explosion);
    }
}

TEST(Explosion, StandardLifePassByPass) {
    auto g = blastWorld(200, 200, 20);
    checkLife(*g,
              {{180, true, 20},
               {160, true, 40},
               {140, true, 60},
               {120, true, 80},
               {100, false, 1},
               {80, false, 21},
               {60, false, 41},
               {40, false, 61},
               {20, false, 81},
               {0, false, 101}},
              true);
    EXPECT_EQ(orangeLeft(*g), 0); // the last black disc is wider than the last orange one
    EXPECT_EQ(g->rocks.rockcount, 1);
    rockpass(*g); // the none entry goes on the next pass
    EXPECT_EQ(g->rocks.rockcount, 0);
}

TEST(Explosion, OddFullcountRoundsHalvesToEven) {
    auto g = blastWorld(100, 99, 10);
    // Orange while count > 49.5; black widths 49.5 - count + 1, every one a tie.
    checkLife(*g,
              {{90, true, 9},
               {80, true, 19},
               {70, true, 29},
               {60, true, 39},
               {50, true, 49},
               {40, false, 10},
               {30, false, 20},
               {20, false, 30},
               {10, false, 40},
               {0, false, 50}},
              false);
}

TEST(Explosion, CountZeroDrawsOneBlackDotAndEnds) {
    auto g = blastWorld(0, 50, 5);
    checkLife(*g, {{0, false, 26}}, false);
}

TEST(Explosion, CraterDiameters) {
    struct Case {
        ExplosionSize size;
        int passes;
        int crater; // pixels
    };
    const Case cases[] = {
        {kHomerBlast, 10, 26},   {kBigbombBlast, 10, 51}, {kProxbombBlast, 12, 61},
        {kMissleBlast, 10, 101}, {kNukeBlast, 10, 251},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size.fullcount);
        auto g = blastWorld(c.size.count, c.size.fullcount, c.size.countstep);
        int passes = 0;
        while (g->rocks[1].type == RockType::explosion && passes < 1000) {
            explosion(*g, 1);
            ++passes;
        }
        EXPECT_EQ(passes, c.passes);
        EXPECT_EQ(runThrough(*g, kCpx, kCpy, true, isBlack), c.crater);
        EXPECT_EQ(runThrough(*g, kCpx, kCpy, false, isBlack), c.crater);
        EXPECT_EQ(orangeLeft(*g), 0);
    }
}

TEST(Explosion, OrangeWidthBelowOnePixelDrawsOnePixel) {
    // Typed-in values: count at or above fullcount after the step, or a count that never falls.
    struct Case {
        int16_t count, fullcount, countstep;
        int16_t countAfter;
    };
    const Case cases[] = {
        {100, 10, 10, 90},   // the panel's defaults: width 10 - 90
        {100, 100, 0, 100},  // never ends: width 0
        {100, 100, -10, 110} // grows: width -10
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " " << c.fullcount << " " << c.countstep);
        auto g = blastWorld(c.count, c.fullcount, c.countstep);
        explosion(*g, 1);
        EXPECT_EQ(g->rocks[1].count, c.countAfter);
        EXPECT_EQ(g->rocks[1].type, RockType::explosion);
        EXPECT_EQ(g->picground.drawWidth(), 1);
        EXPECT_TRUE(isOrange(pixelAt(*g, kCpx, kCpy)));
        EXPECT_EQ(pixelAt(*g, kCpx + 1, kCpy), kGround);
        EXPECT_EQ(pixelAt(*g, kCpx - 1, kCpy), kGround);
        EXPECT_EQ(pixelAt(*g, kCpx, kCpy + 1), kGround);
    }
}

TEST(Explosion, BlackWidthBeyondTheWidestPenIsTheWidestPen) {
    // nearest(32767 / 2 + 32768 + 1) = 49152 pixels: the pen stops at 32767, which still covers
    // the whole playfield from its middle.
    auto g = blastWorld(-32768, 32767, 1);
    g->rocks[1].x = Playfield::Width / 2;
    g->rocks[1].y = Playfield::Height / 2;
    explosion(*g, 1);
    EXPECT_EQ(g->picground.drawWidth(), kMaxPenWidth);
    EXPECT_EQ(g->rocks[1].type, RockType::none);
    EXPECT_EQ(g->rocks[1].count, -32768);
    for (Colour c : g->picground.pixels()) {
        ASSERT_EQ(c, kBlack);
    }
}

} // namespace
} // namespace wh
