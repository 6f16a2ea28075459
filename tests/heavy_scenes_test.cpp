// Heavy scenes played through the session's inputs and passes until they run out (or for a bounded
// number of passes): a table of explosions that never end, 1500 nukes, a fire chain across an
// all-red playfield, darken typed again and again, the add command held while paused, and the
// widest brush dragged over the whole view. The world's rules are checked after every pass; the
// sanitizer build turns any write past the table or the surface into a failure.
#include "soak/soak.hpp"

#include "app/numeric.hpp"
#include "app/window.hpp"
#include "level/colourclass.hpp"
#include "session/session.hpp"
#include "tools/keyboard.hpp"
#include "tools/lists.hpp"
#include "tools/mouse.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace wh {
namespace {

constexpr uint64_t kSeed = 5;
constexpr int16_t kBodyLength = 500; // twips, the rigid body
constexpr int16_t kGunLength = 250;  // twips, half the body
constexpr int kDarkenWidth = 5000;   // pixels: the pen the darken command leaves behind

// The rules a heavy scene must keep besides the soak's: every rock of the table a type the game
// knows (the scenes write no others), and a vehicle still rigid, its ends and gun tip one body or
// gun vector apart.
std::string sceneFault(const Game& g) {
    std::string fault = soak::checkInvariants(g, false);
    if (!fault.empty()) {
        return fault;
    }
    for (int i = 1; i <= g.rocks.rockcount; ++i) {
        const int16_t type = g.rocks[i].type;
        if (type < 0 || type >= kRockTypeCount) {
            return "rock " + std::to_string(i) + " has type " + std::to_string(type);
        }
    }
    const Vehicle& v = g.vehicle;
    if (v.bodylength != kBodyLength || v.gunlength != kGunLength) {
        return "the vehicle's body or gun changed its length";
    }
    if (v.bodyx2 != add32(v.bodyx1, v.bodydx) || v.bodyy2 != add16(v.bodyy1, v.bodydy)) {
        return "the vehicle's ends are not one body vector apart";
    }
    if (v.guntipx != add32(v.gunx, v.gundx) || v.guntipy != add16(v.guny, v.gundy)) {
        return "the gun tip is not one gun vector from the pivot";
    }
    return "";
}

void pass(Scene& s) {
    s.session.pass();
}

void press(Scene& s, char c) {
    s.session.deliver(session::Character{c});
}

void mouse(Scene& s, session::MousePhase phase, int16_t buttons, double x, double y) {
    s.session.deliver(
        session::WindowMouse{phase, buttons, static_cast<float>(x), static_cast<float>(y)});
}

// The panel as the user sets it before clicking: a type, the displacements and counters, and
// how many rocks one click spawns.
struct Batch {
    int type;
    const char* xdis = "0";
    const char* ydis = "0";
    const char* count = "100";
    const char* fullcount = "10";
    const char* countstep = "1";
    const char* number = "1";
};

void setPanel(Scene& s, const Batch& b) {
    s.session.deliver(session::ListSelect{session::ListId::typelist, b.type});
    for (const auto& [field, text] :
         {std::pair{"xdis", b.xdis}, std::pair{"ydis", b.ydis}, std::pair{"counttext", b.count},
          std::pair{"fullcount", b.fullcount}, std::pair{"countstep", b.countstep},
          std::pair{"number", b.number}}) {
        s.session.deliver(session::TextEdit{field, text});
    }
}

void click(Scene& s, double x, double y) {
    s.session.deliver(
        session::PlayfieldPress{static_cast<float>(x), static_cast<float>(y), kButtonLeft});
}

int countOf(const Game& g, int16_t type) {
    int n = 0;
    for (int i = 1; i <= g.rocks.rockcount; ++i) {
        n += g.rocks[i].type == type ? 1 : 0;
    }
    return n;
}

std::vector<Rock> explosionsOf(const Game& g) {
    std::vector<Rock> out;
    for (int i = 1; i <= g.rocks.rockcount; ++i) {
        if (g.rocks[i].type == RockType::explosion) {
            out.push_back(g.rocks[i]);
        }
    }
    return out;
}

// Whether every rock of `part` is in `whole`, in the same order, others allowed in between.
bool keptInOrder(const std::vector<Rock>& part, const std::vector<Rock>& whole) {
    size_t j = 0;
    for (const Rock& r : whole) {
        if (j < part.size() && r == part[j]) {
            ++j;
        }
    }
    return j == part.size();
}

long pixelsOf(const Game& g, Colour colour) {
    const std::vector<Colour>& px = g.picground.pixels();
    return static_cast<long>(std::count(px.begin(), px.end(), colour));
}

// A table clicked full of explosions whose countstep is 0: they never shrink and never end,
// exempt from the crowd limit, each painting its disc again every pass, from one pixel wide to
// the widest pen (the whole surface).
TEST(HeavyScenes, TableFullOfExplosionsThatNeverShrink) {
    struct Kind {
        const char* count;
        const char* fullcount;
        const char* number;
    };
    const Kind kinds[] = {
        {"40", "100", "10"},   // black, 11 pixels across
        {"100", "100", "10"},  // orange of width 0: the narrowest pen instead
        {"60", "100", "10"},   // orange, 40 pixels
        {"1", "500", "10"},    // black, 250 pixels
        {"30000", "10", "10"}, // orange of a hugely negative width
        {"1", "32767", "1"},   // black, wider than the surface
    };
    auto scene = startedScene(kSeed);
    Game* g = &scene->game;
    constexpr int kClicks = 180; // 51 rocks every six clicks: more than the table holds
    for (int k = 0; k < kClicks; ++k) {
        const Kind& kind = kinds[k % std::size(kinds)];
        setPanel(*scene,
                 {RockType::explosion, "0", "0", kind.count, kind.fullcount, "0", kind.number});
        click(*scene, 600 + (k * 7919) % 62000, 600 + (k * 104729) % 7800);
        ASSERT_EQ(sceneFault(*g), "") << "click " << k;
    }
    // The clicks asked for more than fit: the batch stopped at the table's end.
    ASSERT_EQ(g->rocks.rockcount, kLastRockIndex);
    const Rock last = g->rocks[kLastRockIndex];
    click(*scene, 3000, 3000);
    EXPECT_EQ(g->rocks.rockcount, kLastRockIndex);
    EXPECT_EQ(g->rocks[kLastRockIndex], last);

    const std::vector<Rock> explosions = explosionsOf(*g);
    ASSERT_GT(explosions.size(), 1400u);
    constexpr int kPasses = 40;
    for (int p = 1; p <= kPasses; ++p) {
        pass(*scene);
        ASSERT_EQ(sceneFault(*g), "") << "pass " << p;
        // Every explosion is still there, in its order, with its count as it was spawned (the
        // start-up world's rocks may burn a crater into the room they leave).
        ASSERT_TRUE(keptInOrder(explosions, explosionsOf(*g))) << "pass " << p;
    }
    // The widest of them has blacked out the whole surface, where nothing else is drawn.
    EXPECT_GT(pixelsOf(*g, kBlack), long{kPlayfieldPixelsW} * kPlayfieldPixelsH / 2);
}

// 1500 nukes rained on the level: the table fills, the crowd limit clears what is over it, and
// the rest fall, blast their craters and are gone.
TEST(HeavyScenes, FifteenHundredNukesPlayOut) {
    auto scene = startedScene(kSeed);
    Game* g = &scene->game;
    setPanel(*scene, {RockType::nuke, "0", "0", "100", "10", "1", "15"});
    constexpr int kClicks = 100;
    constexpr int kClickSpacing = 630; // twips along the top of the level
    for (int k = 0; k < kClicks; ++k) {
        click(*scene, 300 + k * kClickSpacing, 600);
    }
    ASSERT_EQ(sceneFault(*g), "");
    ASSERT_EQ(g->rocks.rockcount, kLastRockIndex);
    constexpr int kStartRocks = 9;
    ASSERT_EQ(countOf(*g, RockType::nuke), kLastRockIndex - kStartRocks);

    pass(*scene);
    ASSERT_EQ(sceneFault(*g), "");
    // The crowd limit cleared every nuke from index 999 up; the rest fall over the level's
    // picture (the last of them clicked at x 41250) and each lives ten passes as an explosion.
    const int kept = kCrowdLimit - 1 - kStartRocks; // indices 10 to 998
    ASSERT_EQ(countOf(*g, RockType::nuke), kept);
    constexpr int kExplosionLife = 10;

    constexpr int kMostPasses = 300;
    long explosionPasses = 0;
    int passes = 1;
    while (passes < kMostPasses &&
           countOf(*g, RockType::nuke) + countOf(*g, RockType::explosion) > 0) {
        pass(*scene);
        ++passes;
        ASSERT_EQ(sceneFault(*g), "") << "pass " << passes;
        explosionPasses += countOf(*g, RockType::explosion);
    }
    EXPECT_LT(passes, kMostPasses) << "the nukes did not play out";
    EXPECT_GE(explosionPasses, long{kept} * kExplosionLife) << "not every nuke went off";
}

// The whole surface pure red and fires dropped into it: every fire burns a chain of craters,
// each asking for ten explosions, far more than the table holds.
TEST(HeavyScenes, FireChainAcrossAnAllRedPlayfield) {
    auto scene = startedScene(kSeed);
    Game* g = &scene->game;
    g->picground.setDrawWidth(kMaxPenWidth);
    g->picground.PSet(Playfield::Width / 2.0, Playfield::Height / 2.0, kPureRed);
    g->picground.setDrawWidth(1);
    const long surface = long{kPlayfieldPixelsW} * kPlayfieldPixelsH;
    ASSERT_EQ(pixelsOf(*g, kPureRed), surface);

    setPanel(*scene, {RockType::fire, "100", "50", "30", "10", "1", "1"});
    for (int k = 0; k < 8; ++k) {
        click(*scene, 1000 + k * 7900, 1500 + (k % 4) * 1800);
    }
    int peak = 0;
    constexpr int kMostPasses = 200;
    int passes = 0;
    while (passes < kMostPasses &&
           (countOf(*g, RockType::fire) + countOf(*g, RockType::explosion) > 0 || passes == 0)) {
        pass(*scene);
        ++passes;
        ASSERT_EQ(sceneFault(*g), "") << "pass " << passes;
        peak = std::max<int>(peak, g->rocks.rockcount);
    }
    EXPECT_LT(passes, kMostPasses) << "the fire did not burn out";
    // The chains asked for more explosions than there was room for, and the table took them up
    // to its last slot and no further.
    EXPECT_EQ(peak, kLastRockIndex);
    // Hundreds of craters burnt: most of the red is gone.
    EXPECT_LT(pixelsOf(*g, kPureRed), surface / 2);
}

// Darken typed over and over, in bursts between passes, with both pens: each press masks the
// same disc again, which changes nothing more, and leaves the pen wide and back in copy mode.
TEST(HeavyScenes, DarkenRepeatedManyTimes) {
    auto scene = startedScene(kSeed);
    Game* g = &scene->game;
    constexpr int kRounds = 4;
    constexpr int kPresses = 100;
    for (int round = 0; round < kRounds; ++round) {
        if (round == kRounds / 2) {
            press(*scene, 'a'); // rock 1 alive: the lighter pen
        }
        press(*scene, 'd');
        const std::vector<Colour> once = g->picground.pixels();
        for (int k = 1; k < kPresses; ++k) {
            press(*scene, 'd');
            ASSERT_EQ(sceneFault(*g), "") << "round " << round << ", press " << k;
            ASSERT_EQ(g->picground.drawWidth(), kDarkenWidth);
        }
        EXPECT_TRUE(g->picground.pixels() == once) << "round " << round;
        for (int p = 0; p < 5; ++p) {
            pass(*scene);
            ASSERT_EQ(sceneFault(*g), "") << "round " << round << ", pass " << p;
        }
    }
}

// The add command held down with auto-repeat while the world is paused: ten rocks a press until
// the table is full, then only the last rock is placed anew; the world then resumes and the
// crowd limit clears the table down.
TEST(HeavyScenes, AddHeldDownWhilePaused) {
    auto scene = startedScene(kSeed);
    Game* g = &scene->game;
    press(*scene, 'p');
    ASSERT_EQ(g->paused, kTrue);
    constexpr int kPresses = 200;
    for (int k = 1; k <= kPresses; ++k) {
        const std::vector<Rock> before(g->rocks.rocks.begin(), g->rocks.rocks.end() - 1);
        press(*scene, '=');
        ASSERT_EQ(sceneFault(*g), "") << "press " << k;
        ASSERT_EQ(g->rocks.rockcount, std::min(9 + 10 * k, kLastRockIndex)) << "press " << k;
        if (g->rocks.rockcount == kLastRockIndex && k > (kLastRockIndex - 9) / 10 + 1) {
            // Full: nothing below the last slot changes.
            const std::vector<Rock> after(g->rocks.rocks.begin(), g->rocks.rocks.end() - 1);
            ASSERT_TRUE(before == after) << "press " << k;
        }
    }
    // Paused passes move nothing.
    const std::vector<Rock> held(g->rocks.rocks.begin(), g->rocks.rocks.end());
    for (int p = 0; p < 5; ++p) {
        pass(*scene);
        ASSERT_EQ(sceneFault(*g), "");
    }
    EXPECT_TRUE(std::equal(held.begin(), held.end(), g->rocks.rocks.begin()));

    // Resumed, the crowd limit clears the top of the table and the table closes up over it.
    press(*scene, 'p');
    for (int p = 1; p <= 60; ++p) {
        pass(*scene);
        ASSERT_EQ(sceneFault(*g), "") << "pass " << p;
    }
    EXPECT_LE(g->rocks.rockcount, kCrowdLimit + 1);
}

// The brush widened until it stops growing, then dragged with the right button over every part
// of the view: each move paints a disc of the widest brush, and the whole view ends up red.
TEST(HeavyScenes, WidestBrushPaintsTheWholeView) {
    auto scene = startedScene(kSeed);
    Game* g = &scene->game;
    for (int k = 0; k < 100; ++k) {
        press(*scene, '.');
    }
    ASSERT_EQ(g->brushwidth, kBrushMax);
    press(*scene, '2'); // red
    ASSERT_EQ(sceneFault(*g), "");

    // A back-and-forth drag, rows 200 pixels apart, so the discs leave no gap between them.
    constexpr int kStepX = 600;  // twips between moves along a row
    constexpr int kStepY = 3000; // twips between rows
    mouse(*scene, session::MousePhase::down, kButtonRight, 0, 0);
    int moves = 0;
    for (int y = 0, row = 0; y <= kClientHeightTwips; y += kStepY, ++row) {
        for (int k = 0; k <= kClientWidthTwips / kStepX; ++k) {
            const int x = row % 2 == 0 ? k * kStepX : kClientWidthTwips - k * kStepX;
            mouse(*scene, session::MousePhase::move, kButtonRight, x, y);
            ++moves;
            ASSERT_EQ(sceneFault(*g), "") << "move " << moves;
            ASSERT_EQ(g->picground.drawWidth(), kBrushMax);
        }
    }
    mouse(*scene, session::MousePhase::up, kButtonRight, 0, 0);

    long notRed = 0;
    for (int y = 0; y < kViewPixelsH; ++y) {
        const Colour* row = g->picground.row(y);
        notRed += std::count_if(row, row + kViewPixelsW, [](Colour c) { return c != kPureRed; });
    }
    EXPECT_EQ(notRed, 0);

    for (int p = 1; p <= 30; ++p) {
        pass(*scene);
        ASSERT_EQ(sceneFault(*g), "") << "pass " << p;
    }
}

} // namespace
} // namespace wh
