// The sandbox's character commands: pause with the panel, retyping, random fields, darken,
// clear, removing and adding rocks, the brush, the weapon and the paint colour.
#include "app/game.hpp"
#include "tools/keyboard.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace wh {
namespace {

struct KeyboardTest : ::testing::Test {
    std::unique_ptr<Game> g = bareWorld();
    void SetUp() override {
        g->rng.seed(5);
        g->brushwidth = 60;
        g->paintmode = 1;
    }
    void rocks(int n, int16_t type) {
        for (int i = 1; i <= n; ++i) {
            Rock* r = g->rocks.add();
            r->type = type;
            r->x = 1000 + 100 * i;
            r->y = 2000;
        }
    }
    void press(char c) { Form_KeyPress(*g, static_cast<int16_t>(c)); }
};

TEST_F(KeyboardTest, PauseFlipsTogetherWithThePanel) {
    press('p');
    EXPECT_EQ(g->paused, -1);
    EXPECT_TRUE(g->panel.visible);
    press('p');
    EXPECT_EQ(g->paused, 0);
    EXPECT_FALSE(g->panel.visible);
}

TEST_F(KeyboardTest, EscEndsEvenWhilePaused) {
    press('p');
    Form_KeyPress(*g, kCharEscape);
    EXPECT_TRUE(g->ended);
}

TEST_F(KeyboardTest, MaterialAndTypeCommandsRetypeEveryRock) {
    struct Case {
        char key;
        int16_t type;
    };
    for (const Case c :
         {Case{'g', RockType::gas}, Case{'l', RockType::liquid}, Case{'s', RockType::solid},
          Case{'f', RockType::fire}, Case{'i', RockType::ice}, Case{'a', RockType::alive}}) {
        SCOPED_TRACE(c.key);
        g->rocks.rockcount = 0;
        rocks(4, RockType::bomb);
        press(c.key);
        for (int i = 1; i <= 4; ++i) {
            EXPECT_EQ(g->rocks[i].type, c.type);
        }
        EXPECT_EQ(g->rocks[5].type, 0); // above rockcount: untouched
    }
    EXPECT_TRUE(g->timer2.enabled); // a also starts the agitation timer
}

TEST_F(KeyboardTest, RandomTypesAndDisplacementsStayInRange) {
    rocks(300, RockType::ice);
    press('r');
    press('m');
    bool sawEach[6] = {};
    for (int i = 1; i <= 300; ++i) {
        const Rock& r = g->rocks[i];
        ASSERT_GE(r.type, 1);
        ASSERT_LE(r.type, 5);
        sawEach[r.type] = true;
        EXPECT_GE(r.xdis, -100);
        EXPECT_LE(r.xdis, 100);
        EXPECT_GE(r.ydis, -100);
        EXPECT_LE(r.ydis, 100);
    }
    for (int t = 1; t <= 5; ++t) {
        EXPECT_TRUE(sawEach[t]) << t;
    }
}

TEST_F(KeyboardTest, RemoveLastRocks) {
    struct Case {
        int n, after;
    };
    for (const Case c :
         {Case{25, 15}, Case{11, 1}, Case{10, 9}, Case{2, 1}, Case{1, 1}, Case{0, 0}}) {
        SCOPED_TRACE(c.n);
        g->rocks.rockcount = static_cast<int16_t>(c.n);
        press('-');
        EXPECT_EQ(g->rocks.rockcount, c.after);
    }
}

TEST_F(KeyboardTest, AddRocksOnAnEmptyTableWritesSlotZeroToTen) {
    g->rocks[1].type = RockType::solid;
    g->rocks[3].count = 77; // kept: the add command writes position, speed and type only
    press('=');
    EXPECT_EQ(g->rocks.rockcount, 10);
    for (int i = 0; i <= 10; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(g->rocks[i].type, RockType::solid);
        EXPECT_GE(g->rocks[i].x, 0);
        EXPECT_LE(g->rocks[i].x, Playfield::Width);
        EXPECT_GE(g->rocks[i].y, 600);
        EXPECT_LE(g->rocks[i].y, Playfield::Height - 1200 + 600);
        EXPECT_GE(g->rocks[i].xdis, -100);
        EXPECT_LE(g->rocks[i].ydis, 100);
    }
    EXPECT_EQ(g->rocks[3].count, 77);
    EXPECT_EQ(g->rocks[11].type, 0);
}

TEST_F(KeyboardTest, AddRocksReplacesTheLastAndNeverPassesTheTableEnd) {
    rocks(5, RockType::gas);
    const Rock fifth = g->rocks[5];
    press('=');
    EXPECT_EQ(g->rocks.rockcount, 15);
    EXPECT_NE(g->rocks[5].x, fifth.x);
    g->rocks.rockcount = 1495;
    press('=');
    EXPECT_EQ(g->rocks.rockcount, 1500);
    press('=');
    EXPECT_EQ(g->rocks.rockcount, 1500);
}

TEST_F(KeyboardTest, BrushWidthStepsAndStaysWithinItsBounds) {
    for (int expected : {50, 40, 30, 20, 10, 10}) {
        press(',');
        EXPECT_EQ(g->brushwidth, expected);
    }
    for (int k = 0; k < 100; ++k) {
        press('.');
    }
    EXPECT_EQ(g->brushwidth, kBrushMax);
}

TEST_F(KeyboardTest, WeaponAndPaintMode) {
    press('1');
    EXPECT_EQ(g->weapon, 0);
    EXPECT_EQ(g->paintmode, 1);
    press('2');
    EXPECT_EQ(g->weapon, 1);
    EXPECT_EQ(g->paintmode, 2);
    press('1');
    EXPECT_EQ(g->weapon, 1);
    for (int k = 0; k < 20; ++k) {
        press('2');
    }
    EXPECT_EQ(g->weapon, 11);
    EXPECT_EQ(g->paintmode, 2);
    press('3');
    EXPECT_EQ(g->paintmode, 3);
}

TEST_F(KeyboardTest, FlagsAndIgnoredKeys) {
    press('t');
    EXPECT_EQ(g->passthrough, -1);
    press('t');
    EXPECT_EQ(g->passthrough, 0);
    press('b');
    EXPECT_EQ(g->dropbullets, -1);
    press('v');
    EXPECT_EQ(g->dropbullets, 0);
    rocks(3, RockType::gas);
    press('G');
    press('+');
    EXPECT_EQ(g->rocks[1].type, RockType::gas);
    EXPECT_EQ(g->rocks.rockcount, 3);
}

TEST_F(KeyboardTest, DarkenMasksTheLeftOfTheLevelAndClearRestoresIt) {
    g->picground.setDrawWidth(1);
    const double nearX = 1500, farX = 60000, y = 300;
    g->picground.PSet(nearX, y, RGB(0, 132, 0));
    g->picground.PSet(nearX, y + 15, RGB(107, 107, 107));
    g->picground.PSet(farX, y, RGB(0, 132, 0)); // beyond the 2500-pixel disc
    press('d');
    EXPECT_EQ(g->picground.Point(nearX, y), RGB(0, 0, 0));
    EXPECT_EQ(g->picground.Point(nearX, y + 15), RGB(105, 105, 105));
    EXPECT_EQ(g->picground.Point(farX, y), RGB(0, 132, 0));
    EXPECT_EQ(g->picground.drawMode, kDrawModeCopyPen);
    EXPECT_EQ(g->picground.drawWidth(), 5000);

    g->picground.setDrawWidth(1);
    g->picground.PSet(nearX, y, RGB(0, 132, 0));
    g->picground.PSet(nearX, y + 15, RGB(107, 107, 107));
    g->rocks[1].type = RockType::alive;
    press('d');
    EXPECT_EQ(g->picground.Point(nearX, y), RGB(0, 4, 0));
    EXPECT_EQ(g->picground.Point(nearX, y + 15), RGB(35, 35, 35));

    press('c');
    EXPECT_EQ(g->picground.Point(farX, y), kBlack); // an empty backdrop: all black again
}

} // namespace
} // namespace wh
