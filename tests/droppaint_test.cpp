// Dropping rocks and painting terrain by dragging on the window's own surface.
#include "app/game.hpp"
#include "tools/mouse.hpp"
#include "world/fireplasma.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace wh {
namespace {

struct DragTest : ::testing::Test {
    std::unique_ptr<Game> g = bareWorld();
    void SetUp() override {
        g->paintmode = 1;
        g->brushwidth = 60;
    }
    long countColour(Colour c) const {
        long n = 0;
        for (Colour v : g->picground.pixels()) {
            n += v == c ? 1 : 0;
        }
        return n;
    }
};

TEST_F(DragTest, LeftPressAndReleaseDropsOneIceRockAtThePressPoint) {
    g->rocks[1].count = 33; // the drop leaves the counters to the slot
    Form_MouseDown(*g, kButtonLeft, 0, 3000.5f, 1500.4f);
    Form_MouseUp(*g, kButtonLeft, 0, 3000.5f, 1500.4f);
    ASSERT_EQ(g->rocks.rockcount, 1);
    const Rock& r = g->rocks[1];
    EXPECT_EQ(r.type, RockType::ice);
    EXPECT_EQ(r.x, 3000); // 3000.5 rounds to the even neighbour
    EXPECT_EQ(r.y, 1500);
    EXPECT_EQ(r.xdis, 0);
    EXPECT_EQ(r.ydis, 0);
    EXPECT_EQ(r.count, 33);
    EXPECT_EQ(g->dropping, 0);
    EXPECT_EQ(countColour(kBlack), static_cast<long>(g->picground.pixels().size())); // not drawn
}

TEST_F(DragTest, DroppedBulletsFlyRight) {
    g->dropbullets = -1;
    Form_MouseDown(*g, kButtonLeft, 0, 100, 200);
    EXPECT_EQ(g->rocks[1].type, RockType::bullet);
    EXPECT_EQ(g->rocks[1].xdis, 250);
}

TEST_F(DragTest, EveryMoveWhileHeldDropsAndPaintsAtThatPoint) {
    Form_MouseDown(*g, kButtonLeft, 0, 1000, 1000);
    Form_MouseDown(*g, kButtonRight, 0, 1000, 1000);
    Form_MouseMove(*g, 0, 0, 5000, 3000); // the button state does not matter
    Form_MouseMove(*g, 3, 0, 9000, 3000);
    EXPECT_EQ(g->rocks.rockcount, 3);
    EXPECT_EQ(g->rocks[3].x, 9000);
    EXPECT_EQ(g->picground.Point(5000, 3000), RGB(100, 100, 0));
    EXPECT_EQ(g->picground.Point(9000, 3000), RGB(100, 100, 0));
    EXPECT_EQ(g->picground.Point(7000, 3000), kBlack); // nothing between two moves
    Form_MouseUp(*g, kButtonMiddle, 0, 0, 0);          // any release ends both tools
    Form_MouseMove(*g, 1, 0, 2000, 2000);
    EXPECT_EQ(g->rocks.rockcount, 3);
    EXPECT_EQ(g->dropping, 0);
    EXPECT_EQ(g->painting, 0);
}

TEST_F(DragTest, PaintColoursAndWidth) {
    struct Case {
        int16_t mode;
        Colour colour;
    };
    for (const Case c : {Case{1, RGB(100, 100, 0)}, Case{2, RGB(255, 0, 0)}}) {
        g->picground.Cls();
        g->paintmode = c.mode;
        Form_MouseDown(*g, kButtonRight, 0, 4500, 4500);
        EXPECT_EQ(g->picground.drawWidth(), 60);
        const long n = countColour(c.colour);
        EXPECT_NEAR(n, 3.14159 * 30 * 30, 120) << c.mode; // a disc 60 pixels across
        Form_MouseUp(*g, kButtonRight, 0, 0, 0);
    }
}

TEST_F(DragTest, PaintingAirDigsAHoleAndUnknownModesPaintNothing) {
    g->picground.setDrawWidth(200);
    g->picground.PSet(4500, 4500, RGB(107, 107, 107));
    g->paintmode = 3;
    Form_MouseDown(*g, kButtonRight, 0, 4500, 4500);
    EXPECT_EQ(g->picground.Point(4500, 4500), kBlack);
    EXPECT_EQ(g->picground.Point(4500 + 40 * 15, 4500), RGB(107, 107, 107));
    g->paintmode = 7;
    g->brushwidth = 9;
    g->picground.setDrawWidth(3);
    Form_MouseMove(*g, 0, 0, 4500, 4500);
    EXPECT_EQ(g->picground.drawWidth(), 3);
    EXPECT_EQ(g->picground.Point(4500, 4500), kBlack);
}

// The red brush paints the very scenery fire burns: a fire heading for a painted red disc blasts
// a crater there and fills it with explosions.
TEST_F(DragTest, FireBurnsWhatTheRedBrushPaints) {
    g->picground.Cls();
    g->paintmode = 2;
    Form_MouseDown(*g, kButtonRight, 0, 4500, 4500); // a red disc from x 4050 to 4950 twips
    Form_MouseUp(*g, kButtonRight, 0, 4500, 4500);
    // In open air, with the red two displacements ahead.
    placeRock(*g, RockType::fire, 3600, 4500, 300, 0).count = 50;
    wh::fire(*g, 1);
    ASSERT_GT(g->rocks.rockcount, 1);
    EXPECT_EQ(g->rocks[2].type, RockType::explosion);
    EXPECT_EQ(g->picground.Point(4100, 4500), kBlack); // the crater bites into the red
}

TEST_F(DragTest, OtherButtonsStartNothingAndAFullTableIgnoresDrops) {
    Form_MouseDown(*g, kButtonMiddle, 0, 100, 100);
    EXPECT_EQ(g->dropping, 0);
    EXPECT_EQ(g->painting, 0);
    EXPECT_EQ(g->rocks.rockcount, 0);
    g->rocks.rockcount = 1499;
    Form_MouseDown(*g, kButtonLeft, 0, 100, 100);
    Form_MouseMove(*g, 1, 0, 200, 100);
    Form_MouseMove(*g, 1, 0, 300, 100);
    EXPECT_EQ(g->rocks.rockcount, 1500);
    EXPECT_EQ(g->rocks[1500].x, 100); // the press took the last slot; the moves found none
}

TEST_F(DragTest, WindowCoordinatesAreUsedAsPlayfieldCoordinates) {
    g->picground.Left = -6000;
    Form_MouseDown(*g, kButtonLeft, 0, 3000, 1500);
    EXPECT_EQ(g->rocks[1].x, 3000);
    EXPECT_EQ(g->rocks[1].y, 1500);
}

} // namespace
} // namespace wh
