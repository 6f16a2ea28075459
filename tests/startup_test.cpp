// Start-up: the lists, the angle constants, the vehicle's geometry, the first nine rocks, and
// the held-key handlers.
#include "app/game.hpp"
#include "app/mainloop.hpp"
#include "app/window.hpp"
#include "tools/keyboard.hpp"
#include "tools/lists.hpp"
#include "vehicle/geometry.hpp"
#include "vehicle/keys.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace wh {
namespace {

TEST(Lists, HoldTwentySixEntriesWhosePositionIsTheCode) {
    auto g = startedGame(1);
    const auto& types = g->panel.typelist.entries;
    const auto& subtypes = g->panel.subtypelist.entries;
    ASSERT_EQ(types.size(), 26u);
    ASSERT_EQ(subtypes.size(), 26u);
    EXPECT_EQ(types[0], "0");
    EXPECT_EQ(types[18], "proxbomb "); // nine characters, the blank included
    EXPECT_EQ(types[21], "0");
    EXPECT_EQ(types[22], "0");
    EXPECT_EQ(subtypes[21], "skeet");
    EXPECT_EQ(subtypes[22], "plane");
    EXPECT_EQ(types[25], "comet");
    EXPECT_EQ(subtypes[12], "missle");
    EXPECT_EQ(g->panel.typelist.selected, -1);
    EXPECT_EQ(g->panel.typelbl, "0");
}

TEST(Lists, ClickCopiesTheSelectedPositionIntoTheLabel) {
    auto g = startedGame(1);
    g->panel.typelist.selected = 13;
    typelist_Click(*g);
    EXPECT_EQ(g->panel.typelbl, "13");
    g->panel.subtypelist.selected = 22;
    subtypelist_Click(*g);
    EXPECT_EQ(g->panel.subtypelbl, "22");
}

TEST(Geometry, BodyAndGunVectorsOfTheTruncatedPi) {
    auto g = startedGame(1);
    struct Case {
        int16_t angle, dx, dy;
    };
    const Case body[] = {{0, 500, 0},    {10, 492, 87},    {20, 470, 171}, {30, 433, 250},
                         {40, 383, 321}, {50, 321, 383},   {60, 250, 433}, {70, 171, 470},
                         {80, 87, 492},  {-30, 433, -250}, {360, 500, 0},  {-360, 500, 0}};
    for (const Case& c : body) {
        SCOPED_TRACE(c.angle);
        g->vehicle.bodyx1 = 1000;
        g->vehicle.bodyy1 = 2000;
        g->vehicle.bodyangle = c.angle;
        changeanglesub(*g);
        EXPECT_EQ(g->vehicle.bodydx, c.dx);
        EXPECT_EQ(g->vehicle.bodydy, c.dy);
        EXPECT_EQ(g->vehicle.bodyx2, 1000 + c.dx);
        EXPECT_EQ(g->vehicle.bodyy2, 2000 + c.dy);
        changeangleadd(*g); // turning about the other end with the same angle moves nothing
        EXPECT_EQ(g->vehicle.bodyx1, 1000);
        EXPECT_EQ(g->vehicle.bodyy1, 2000);
    }
    const Case gun[] = {{35, 205, 143}, {-395, 205, -143}, {-35, 205, -143}};
    for (const Case& c : gun) {
        SCOPED_TRACE(c.angle);
        g->vehicle.gunx = 100;
        g->vehicle.guny = 200;
        g->vehicle.gunangle = c.angle;
        changeanglegun(*g);
        EXPECT_EQ(g->vehicle.gundx, c.dx);
        EXPECT_EQ(g->vehicle.gundy, c.dy);
        EXPECT_EQ(g->vehicle.guntipx, 100 + c.dx);
        EXPECT_EQ(g->vehicle.guntipy, 200 + c.dy);
    }
}

TEST(InitialWorld, VehicleStartsAtTheWindowCentreWithItsGunAtEndOne) {
    auto g = startedGame(7);
    const Vehicle& v = g->vehicle;
    EXPECT_DOUBLE_EQ(g->pi, 3.1415);
    EXPECT_DOUBLE_EQ(g->degtorad, 3.1415 / 180);
    EXPECT_EQ(v.speeddiv, 10);
    EXPECT_EQ(v.bodylength, 500);
    EXPECT_EQ(v.bodyx1, kWindowWidthTwips / 2);
    EXPECT_EQ(v.bodyy1, kWindowHeightTwips / 2);
    EXPECT_EQ(v.bodyx2, v.bodyx1 + 500);
    EXPECT_EQ(v.bodyy2, v.bodyy1);
    EXPECT_EQ(v.gunlength, 250);
    EXPECT_EQ(v.gunangle, 35);
    EXPECT_EQ(g->aimangle, 35);
    EXPECT_EQ(v.gunx, v.bodyx1);
    EXPECT_EQ(v.guntipx, v.bodyx1 + 205);
    EXPECT_EQ(v.guntipy, v.bodyy1 + 143);
    EXPECT_EQ(g->paintmode, 1);
    EXPECT_EQ(g->brushwidth, 60);
    EXPECT_EQ(g->picground.Left, 0);
    EXPECT_EQ(g->picground.Top, 0);
    EXPECT_FALSE(g->timer2.enabled);
    EXPECT_EQ(g->timer2.interval, 100u);
}

TEST(InitialWorld, NineRocksWithinTheirRangesForManySeeds) {
    for (uint64_t seed = 0; seed < 200; ++seed) {
        SCOPED_TRACE(seed);
        auto g = startedGame(seed);
        const RockTable& r = g->rocks;
        ASSERT_EQ(r.rockcount, 9);
        EXPECT_EQ(r[1].type, RockType::timebomb);
        EXPECT_GE(r[1].x, 0);
        EXPECT_LE(r[1].x, Playfield::Width);
        EXPECT_GE(r[1].y, 60);
        EXPECT_LE(r[1].y, Playfield::Height - 1200 + 60);
        EXPECT_EQ(r[1].count, 0);
        EXPECT_GE(r[1].fullcount, 0);
        EXPECT_LE(r[1].fullcount, 30);
        EXPECT_EQ(r[1].countstep, 1);
        EXPECT_EQ(r[2],
                  (Rock{0, 0, 1850, 2100, 15, 100, RockType::maker, RockType::liquid, 1, 1, 1}));
        for (int i = 3; i <= 9; ++i) {
            EXPECT_EQ(r[i].type, RockType::enemy);
            EXPECT_EQ(r[i].subtype, i == 9 ? RockType::plane : RockType::skeet);
            EXPECT_GE(r[i].x, 0);
            EXPECT_LE(r[i].x, 24000);
            EXPECT_EQ(r[i].y, i == 9 ? 1500 : 2500);
            EXPECT_EQ(r[i].xdis, i == 9 ? 100 : 0);
            EXPECT_GE(r[i].count, 10);
            EXPECT_LE(r[i].count, 25);
            EXPECT_EQ(r[i].fullcount, 10);
        }
        for (int i = 10; i <= kLastRockIndex; ++i) {
            ASSERT_EQ(r[i], Rock{});
        }
        EXPECT_EQ(r[0], Rock{});
    }
}

TEST(InitialWorld, DrawsTheSeventeenNumbersInTheirOrder) {
    auto g = startedGame(99);
    Rng replay;
    replay.seed(99);
    auto r = [&replay] { return static_cast<double>(replay.nextSingle()); };
    EXPECT_EQ(g->rocks[1].x, static_cast<int32_t>(std::nearbyint(r() * 64005)));
    EXPECT_EQ(g->rocks[1].y, static_cast<int32_t>(std::nearbyint(r() * (9015 - 1200) + 60)));
    EXPECT_EQ(g->rocks[1].fullcount, static_cast<int16_t>(std::nearbyint(r() * 30)));
    for (int i = 3; i <= 9; ++i) {
        EXPECT_EQ(g->rocks[i].x, static_cast<int32_t>(std::nearbyint(r() * 24000)));
        EXPECT_EQ(g->rocks[i].count, static_cast<int16_t>(std::nearbyint(r() * 15 + 10)));
    }
    EXPECT_EQ(g->rng.state, replay.state); // exactly seventeen draws
}

TEST(Keys, DownSetsAndUpClearsEachFlag) {
    auto g = startedGame(1);
    struct Case {
        int16_t vk;
        int16_t KeyFlags::*flag;
    };
    const Case cases[] = {{37, &KeyFlags::leftkey},     {39, &KeyFlags::rightkey},
                          {188, &KeyFlags::gunleftkey}, {190, &KeyFlags::gunrightkey},
                          {32, &KeyFlags::firekey},     {13, &KeyFlags::trigger},
                          {101, &KeyFlags::trigger}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        Form_KeyDown(*g, c.vk, 0);
        EXPECT_EQ(g->keys.*c.flag, -1);
        Form_KeyDown(*g, c.vk, 1); // auto-repeat and modifiers change nothing
        EXPECT_EQ(g->keys.*c.flag, -1);
        Form_KeyUp(*g, c.vk, 0);
        EXPECT_EQ(g->keys.*c.flag, 0);
    }
}

TEST(Keys, EnterAndKeypadFiveShareTheTriggerAndOtherKeysDoNothing) {
    auto g = startedGame(1);
    Form_KeyDown(*g, 13, 0);
    Form_KeyDown(*g, 101, 0);
    Form_KeyUp(*g, 101, 0);
    EXPECT_EQ(g->keys.trigger, 0); // released by either while the other is held
    const KeyFlags before = g->keys;
    for (int vk : {12, 38, 40, 65, 27, -5, 32767}) {
        Form_KeyDown(*g, static_cast<int16_t>(vk), 0);
    }
    EXPECT_EQ(g->keys.leftkey, before.leftkey);
    EXPECT_EQ(g->keys.trigger, 0);
    EXPECT_EQ(g->keys.firekey, 0);
}

TEST(Keyboard, EscEndsTheProgramAndOtherCharactersDoNot) {
    auto g = startedGame(1);
    Form_KeyPress(*g, 'E');
    EXPECT_FALSE(g->ended);
    Form_KeyPress(*g, 27);
    EXPECT_TRUE(g->ended);
}

TEST(MainLoop, PausedPassChangesNothing) {
    auto g = startedGame(3);
    g->paused = -1;
    const RockTable before = g->rocks;
    const std::vector<Colour> pixels = g->picground.pixels();
    for (int i = 0; i < 10; ++i) {
        mainpass(*g);
    }
    EXPECT_EQ(g->rocks.rockcount, before.rockcount);
    for (int i = 0; i <= kLastRockIndex; ++i) {
        ASSERT_EQ(g->rocks[i], before[i]);
    }
    EXPECT_EQ(g->picground.pixels(), pixels);
}

} // namespace
} // namespace wh
