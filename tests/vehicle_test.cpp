// The vehicle section on small drawn fixtures: falling, landing, climbing, the tilt limit, the
// lift, driving, aiming, the angle wrap and drawing; then the real start-up world.
#include "app/game.hpp"
#include "app/initialworld.hpp"
#include "app/mainloop.hpp"
#include "level/levelpicture.hpp"
#include "vehicle/geometry.hpp"
#include "vehicle/motion.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace wh {
namespace {

constexpr int kTw = kTwipsPerPixel;
constexpr Colour kGround = RGB(120, 80, 40);
constexpr int kFloorRow = 400; // top pixel row of the fixtures' floor
constexpr int kLastRow = kPlayfieldPixelsH - 1;
constexpr int kLastColumn = kPlayfieldPixelsW - 1;

// An empty playfield with the start-up angle constants and vehicle measures.
std::unique_ptr<Game> emptyWorld() {
    auto g = bareWorld();
    setAngleConstants(*g);
    setUpVehicle(*g);
    return g;
}

// Puts end 1 at (x1, y1) with the body at `angle`, the gun at its start-up angle from end 1.
void place(Game& g, int32_t x1, int16_t y1, int16_t angle) {
    Vehicle& v = g.vehicle;
    v.bodyx1 = x1;
    v.bodyy1 = y1;
    v.bodyangle = angle;
    changeanglesub(g);
    v.gunx = x1;
    v.guny = y1;
    changeanglegun(g);
}

// Solid colour over whole pixels: columns c0 to c1, rows r0 to r1.
void fill(Game& g, int c0, int c1, int r0, int r1, Colour colour = kGround) {
    g.picground.setDrawWidth(1);
    for (int r = r0; r <= r1; ++r) {
        g.picground.Line(c0 * kTw, r * kTw, c1 * kTw, r * kTw, colour);
    }
}

void floorEverywhere(Game& g) {
    fill(g, 0, kLastColumn, kFloorRow, kLastRow);
}

bool air(const Game& g, double x, double y) {
    return g.picground.Point(x, y) == kBlack;
}

TEST(VehicleFixture, FillCoversExactlyItsPixels) {
    auto g = emptyWorld();
    fill(*g, 10, 12, 20, 21);
    EXPECT_EQ(g->picground.Point(10 * kTw, 20 * kTw), kGround);
    EXPECT_EQ(g->picground.Point(12 * kTw + 14, 21 * kTw + 14), kGround);
    EXPECT_TRUE(air(*g, 9 * kTw + 14, 20 * kTw));
    EXPECT_TRUE(air(*g, 13 * kTw, 20 * kTw));
    EXPECT_TRUE(air(*g, 10 * kTw, 19 * kTw + 14));
    EXPECT_TRUE(air(*g, 10 * kTw, 22 * kTw));
}

TEST(VehicleMotion, FallsUnderGravityInOpenAir) {
    auto g = emptyWorld();
    place(*g, 3000, 1000, 0);
    g->vehicle.xspeed = 37;
    g->keys.rightkey = -1; // ignored while airborne
    for (int n = 1; n <= 5; ++n) {
        vehiclesection(*g);
        SCOPED_TRACE(n);
        // Ten more twips per pass each pass: 10 + 20 + ... + 10 n.
        EXPECT_EQ(g->vehicle.yspeed, 10 * n);
        EXPECT_EQ(g->vehicle.bodyy1, 1000 + 5 * n * (n + 1));
        EXPECT_EQ(g->vehicle.bodyy2, g->vehicle.bodyy1);
        EXPECT_EQ(g->vehicle.xspeed, 37);
        EXPECT_EQ(g->vehicle.bodyx1, 3000 + 37 * n);
        EXPECT_EQ(g->vehicle.speeddiv, 10);
        EXPECT_EQ(g->vehicle.airborne, 0); // it lasts only to the end of the drive step
    }
}

TEST(VehicleMotion, AFallingBodyLevelsOutAboutTheLowerEnd) {
    struct Case {
        int16_t angle;
        bool end1Stays;
    };
    for (const Case c : {Case{30, true}, Case{-30, false}}) {
        SCOPED_TRACE(c.angle);
        auto g = emptyWorld();
        place(*g, 3000, 1000, c.angle);
        const int32_t x1 = g->vehicle.bodyx1;
        const int32_t x2 = g->vehicle.bodyx2;
        const int16_t sign = c.angle > 0 ? 1 : -1;
        for (int n = 1; n <= 4; ++n) {
            vehiclesection(*g);
            const int16_t expected = static_cast<int16_t>(n < 3 ? sign * (30 - 10 * n) : 0);
            EXPECT_EQ(g->vehicle.bodyangle, expected);
            EXPECT_EQ(c.end1Stays ? g->vehicle.bodyx1 : g->vehicle.bodyx2, c.end1Stays ? x1 : x2);
        }
        EXPECT_EQ(g->vehicle.bodydx, 500);
        EXPECT_EQ(g->vehicle.bodydy, 0);
    }
}

TEST(VehicleMotion, FallAndLiftProbesSitAtThreeHundredAndTwoFortyNineTwipsBelow) {
    struct Case {
        int16_t y1;
        int16_t yspeed; // after one pass
        int16_t y1After;
    };
    // Floor from 6000 twips down. Fall probes at y1 + 300, lift probes at y1 + 249.
    const Case cases[] = {
        {5699, 10, 5709}, // fall probes at 5999: air, so it falls
        {5700, 0, 5700},  // fall probes at 6000: ground, lift probes at 5949: air
        {5750, 0, 5750},  // lift probes at 5999: still air
        {5751, 0, 5651},  // lift probes at 6000: sunk in, both ends rise by 100
        {7000, 0, 6900},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y1);
        auto g = emptyWorld();
        floorEverywhere(*g);
        place(*g, 3000, c.y1, 0);
        vehiclesection(*g);
        EXPECT_EQ(g->vehicle.yspeed, c.yspeed);
        EXPECT_EQ(g->vehicle.bodyy1, c.y1After);
        EXPECT_EQ(g->vehicle.bodyy2, c.y1After);
        EXPECT_EQ(g->vehicle.bodyangle, 0);
    }
}

TEST(VehicleMotion, OneEndOverGroundHoldsTheVehicle) {
    auto g = emptyWorld();
    fill(*g, 0, 205, kFloorRow, kLastRow); // ends under end 1 (column 200), not under end 2 (233)
    place(*g, 3000, 5720, 0);
    vehiclesection(*g);
    EXPECT_EQ(g->vehicle.yspeed, 0);
    EXPECT_EQ(g->vehicle.bodyy1, 5720);
    EXPECT_EQ(g->vehicle.bodyangle, 0);
}

TEST(VehicleMotion, LandingReversesAFifthOfTheSpeedEachPass) {
    auto g = emptyWorld();
    floorEverywhere(*g);
    // Fall probes in ground and lift probes in air for y1 from 5700 to 5749: room to bob.
    place(*g, 3000, 5730, 0);
    g->vehicle.yspeed = 120;
    int16_t y = 5730;
    for (int16_t expected : {-24, 5, -1, 0, 0}) { // nearest(-0.2 v): -24, 4.8, -1, 0.2
        vehiclesection(*g);
        y = static_cast<int16_t>(y + expected);
        EXPECT_EQ(g->vehicle.yspeed, expected);
        EXPECT_EQ(g->vehicle.bodyy1, y);
    }
}

TEST(VehicleMotion, SettlesOnAFlatFloorAndThenLeavesThePictureUnchanged) {
    auto g = emptyWorld();
    floorEverywhere(*g);
    place(*g, 3000, 4000, 0);
    for (int i = 0; i < 100; ++i) {
        vehiclesection(*g);
    }
    const Vehicle& v = g->vehicle;
    EXPECT_EQ(v.yspeed, 0);
    EXPECT_EQ(v.xspeed, 0);
    EXPECT_EQ(v.bodyangle, 0);
    EXPECT_FALSE(air(*g, v.bodyx1, v.bodyy1 + 300));
    EXPECT_TRUE(air(*g, v.bodyx1 - 249, v.bodyy1 + 249));
    EXPECT_EQ(g->picground.Point(v.gunx, v.guny), kWhite);
    const Vehicle before = v;
    const std::vector<Colour> pixels = g->picground.pixels();
    for (int i = 0; i < 5; ++i) {
        vehiclesection(*g);
    }
    EXPECT_EQ(v.bodyx1, before.bodyx1);
    EXPECT_EQ(v.bodyy1, before.bodyy1);
    EXPECT_EQ(v.gunangle, before.gunangle);
    EXPECT_EQ(g->picground.pixels(), pixels);
}

// A step of ground whose top is at `stepRow`, from column 240 (x 3600) rightward, ahead of a
// vehicle resting on the floor with end 2 at x 3500.
TEST(VehicleMotion, EndTwoClimbsAStepAheadUntilItsProbeIsInAir) {
    struct Case {
        int stepRow;
        int16_t angle;
    };
    // End 2's climb probe at angle a: (3000 + dx + 250, 5720 + dy + 250). At -20 it is at
    // (3720, 5799), pixel row 386; at -40 at (3633, 5649), row 376; at -60 at (3500, 5537),
    // left of the step.
    const Case cases[] = {{395, -20}, {390, -20}, {386, -40}, {380, -40}, {370, -60}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stepRow);
        auto g = emptyWorld();
        floorEverywhere(*g);
        fill(*g, 240, kLastColumn, c.stepRow, kFloorRow);
        place(*g, 3000, 5720, 0);
        vehiclesection(*g);
        const Vehicle& v = g->vehicle;
        EXPECT_EQ(v.bodyangle, c.angle);
        EXPECT_EQ(v.bodyx1, 3000); // it turned about end 1
        EXPECT_EQ(v.bodyy1, 5720);
        EXPECT_EQ(v.bodyx2, 3000 + v.bodydx);
        EXPECT_EQ(v.bodyy2, 5720 + v.bodydy);
        EXPECT_LT(v.bodydy, 0);
    }
}

TEST(VehicleMotion, EndOneClimbsAStepBehindTurningAboutEndTwo) {
    auto g = emptyWorld();
    floorEverywhere(*g);
    fill(*g, 0, 192, 390, kFloorRow); // ends at x 2894, under end 1's climb probe at 2750
    place(*g, 3000, 5720, 0);
    vehiclesection(*g);
    const Vehicle& v = g->vehicle;
    EXPECT_EQ(v.bodyangle, 20);
    EXPECT_EQ(v.bodyx2, 3500);
    EXPECT_EQ(v.bodyy2, 5720);
    EXPECT_EQ(v.bodyx1, 3500 - 470);
    EXPECT_EQ(v.bodyy1, 5720 - 171);
}

TEST(VehicleMotion, AClimbThatNeverFindsAirStopsAfterOneTurn) {
    // Everything is ground except one pixel at end 1's climb probe, so end 2's probe finds
    // ground all the way round (starting at -10 it never passes -180, where the two probes
    // meet). The loop turns to -370, gives 360 back and stops; the vector stays that of -370.
    auto g = emptyWorld();
    fill(*g, 0, kLastColumn, 0, kLastRow);
    place(*g, 3000, 3000, -10);
    fill(*g, (3000 - 250) / kTw, (3000 - 250) / kTw, (3000 + 250) / kTw, (3000 + 250) / kTw,
         kBlack);
    Game probe = *g;
    probe.vehicle.bodyangle = -370;
    changeanglesub(probe);
    vehiclesection(*g);
    const Vehicle& v = g->vehicle;
    EXPECT_EQ(v.bodyangle, -10);
    EXPECT_EQ(v.bodydx, probe.vehicle.bodydx);
    EXPECT_EQ(v.bodydy, probe.vehicle.bodydy);
    EXPECT_EQ(v.bodyx1, 3000);
    EXPECT_EQ(v.bodyy1, 3000); // end 1's lift probe, one twip in, reads the same air pixel
}

TEST(VehicleMotion, TiltLimitBringsASteepBodyBackTenDegreesAPass) {
    struct Case {
        int16_t start;
        std::vector<int16_t> angles;
        bool end1Stays;
    };
    const Case cases[] = {{90, {80, 70, 70}, true}, {-90, {-80, -70, -70}, false},
                          {80, {70, 70}, true},     {-80, {-70, -70}, false},
                          {75, {75}, true},         {-75, {-75}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        auto g = emptyWorld();
        fill(*g, 0, kLastColumn, 0, kLastRow); // in ground: no fall, no climb
        place(*g, 3000, 3000, c.start);
        for (int16_t expected : c.angles) {
            const int32_t x1 = g->vehicle.bodyx1;
            const int32_t x2 = g->vehicle.bodyx2;
            vehiclesection(*g);
            EXPECT_EQ(g->vehicle.bodyangle, expected);
            if (c.end1Stays) {
                EXPECT_EQ(g->vehicle.bodyx1, x1);
            } else {
                EXPECT_EQ(g->vehicle.bodyx2, x2);
            }
        }
    }
}

TEST(VehicleMotion, AngleWrapTakesHalfATurnAndKeepsTheVector) {
    struct Case {
        int16_t start;
        int16_t after;
        int16_t dx, dy; // the vector of the tilt step's 190 or -190
    };
    const Case cases[] = {{200, 10, -492, -87}, {-200, -10, -492, 87}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        auto g = emptyWorld();
        fill(*g, 0, kLastColumn, 0, kLastRow);
        place(*g, 30000, 3000, c.start);
        vehiclesection(*g);
        const Vehicle& v = g->vehicle;
        EXPECT_EQ(v.bodyangle, c.after);
        EXPECT_EQ(v.bodydx, c.dx);
        EXPECT_EQ(v.bodydy, c.dy);
        EXPECT_EQ(v.gunx, v.bodyx1 + c.dx / 2); // the pivot follows the stale vector
    }
}

TEST(VehicleDriving, SpeedRisesAsTheDivisorFallsToFive) {
    struct Case {
        int16_t KeyFlags::*key;
        int16_t sign;
    };
    for (const Case c : {Case{&KeyFlags::rightkey, 1}, Case{&KeyFlags::leftkey, -1}}) {
        SCOPED_TRACE(c.sign);
        auto g = emptyWorld();
        floorEverywhere(*g);
        place(*g, 20000, 5720, 0);
        g->keys.*c.key = -1;
        // 500 / 9, / 8, / 7, / 6, / 5, nearest with halves to even: 62.5 goes to 62.
        const int16_t speeds[] = {56, 62, 71, 83, 100, 100, 100};
        const int16_t divisors[] = {9, 8, 7, 6, 5, 5, 5};
        int32_t x = 20000;
        for (int n = 0; n < 7; ++n) {
            vehiclesection(*g);
            x += c.sign * speeds[n];
            EXPECT_EQ(g->vehicle.speeddiv, divisors[n]);
            EXPECT_EQ(g->vehicle.xspeed, c.sign * speeds[n]);
            EXPECT_EQ(g->vehicle.yspeed, 0);
            EXPECT_EQ(g->vehicle.bodyx1, x);
            EXPECT_EQ(g->vehicle.bodyy1, 5720);
        }
        g->keys.*c.key = 0;
        vehiclesection(*g);
        EXPECT_EQ(g->vehicle.xspeed, 0);
        EXPECT_EQ(g->vehicle.speeddiv, 5); // nothing raises it again
        EXPECT_EQ(g->vehicle.bodyx1, x);
    }
}

TEST(VehicleDriving, BothKeysHeldDriveRightAndLowerTheDivisorTwice) {
    auto g = emptyWorld();
    floorEverywhere(*g);
    place(*g, 20000, 5720, 0);
    g->keys.leftkey = -1;
    g->keys.rightkey = -1;
    vehiclesection(*g);
    EXPECT_EQ(g->vehicle.speeddiv, 8);
    EXPECT_EQ(g->vehicle.xspeed, 62); // 500 / 8
    vehiclesection(*g);
    EXPECT_EQ(g->vehicle.speeddiv, 6);
    EXPECT_EQ(g->vehicle.xspeed, 83);
    vehiclesection(*g);
    EXPECT_EQ(g->vehicle.speeddiv, 5);
    EXPECT_EQ(g->vehicle.xspeed, 100);
}

TEST(VehicleDriving, SpeedRunsAlongATiltedBody) {
    struct Case {
        int16_t KeyFlags::*key;
        int16_t xspeed, yspeed;
    };
    // Body at -20 degrees: (470, -171) over divisor 9 is (52.2, -19).
    const Case cases[] = {{&KeyFlags::rightkey, 52, -19}, {&KeyFlags::leftkey, -52, 19}};
    for (const Case& c : cases) {
        auto g = emptyWorld();
        fill(*g, 0, kLastColumn, 0, kLastRow);
        place(*g, 20000, 3000, -20);
        g->keys.*c.key = -1;
        vehiclesection(*g);
        EXPECT_EQ(g->vehicle.xspeed, c.xspeed);
        EXPECT_EQ(g->vehicle.yspeed, c.yspeed);
        EXPECT_EQ(g->vehicle.bodyx1, 20000 + c.xspeed);
        EXPECT_EQ(g->vehicle.bodyy1, 3000 - 100 + c.yspeed); // lifted out of the ground, moved
    }
}

TEST(VehicleAiming, FirstPassPutsTheGunAtTheMidpointAboveTheBody) {
    auto g = emptyWorld();
    floorEverywhere(*g);
    place(*g, 3000, 5720, 0);
    vehiclesection(*g);
    const Vehicle& v = g->vehicle;
    EXPECT_EQ(g->aimangle, 395);
    EXPECT_EQ(v.gunangle, -395);
    EXPECT_EQ(v.gunx, 3250);
    EXPECT_EQ(v.guny, 5720);
    EXPECT_EQ(v.guntipx, 3250 + 205);
    EXPECT_EQ(v.guntipy, 5720 - 143);
}

TEST(VehicleAiming, AimAngleStaysWithinThreeSixtyToSevenNineteen) {
    struct Case {
        int16_t KeyFlags::*key;
        int passes;
        int16_t aim;
    };
    // From 395: comma adds 10 up to 715, then 725 becomes 365; period subtracts 10 down to 365,
    // then 355 becomes 715.
    const Case cases[] = {{&KeyFlags::gunleftkey, 32, 715}, {&KeyFlags::gunleftkey, 33, 365},
                          {&KeyFlags::gunleftkey, 34, 375}, {&KeyFlags::gunrightkey, 3, 365},
                          {&KeyFlags::gunrightkey, 4, 715}, {&KeyFlags::gunrightkey, 5, 705}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.passes);
        auto g = emptyWorld();
        floorEverywhere(*g);
        place(*g, 3000, 5720, 0);
        vehiclesection(*g);
        ASSERT_EQ(g->aimangle, 395);
        g->keys.*c.key = -1;
        for (int n = 0; n < c.passes; ++n) {
            vehiclesection(*g);
            ASSERT_GE(g->aimangle, 360);
            ASSERT_LE(g->aimangle, 719);
            ASSERT_EQ(g->vehicle.gunangle, g->vehicle.bodyangle - g->aimangle);
        }
        EXPECT_EQ(g->aimangle, c.aim);
    }
}

TEST(VehicleAiming, CommaTurnsTheGunAnticlockwiseAndTheGunFollowsTheBody) {
    auto g = emptyWorld();
    fill(*g, 0, kLastColumn, 0, kLastRow);
    place(*g, 3000, 3000, 0);
    vehiclesection(*g);
    g->keys.gunleftkey = -1;
    vehiclesection(*g); // aim 405, gun at -405: 45 degrees above the horizontal
    EXPECT_EQ(g->vehicle.gunangle, -405);
    EXPECT_LT(g->vehicle.gundy, -143);
    g->keys.gunleftkey = 0;
    g->vehicle.bodyangle = 30;
    changeanglesub(*g);
    vehiclesection(*g); // 30 - 405: the gun tilts with the body
    EXPECT_EQ(g->vehicle.gunangle, -375);
}

TEST(VehicleDrawing, BodyAndGunInWhiteAndTheGunShortenedWhileFiring) {
    for (int16_t fire : {0, -1}) {
        SCOPED_TRACE(fire);
        auto g = emptyWorld();
        floorEverywhere(*g);
        place(*g, 3000, 5720, 0);
        g->keys.firekey = fire;
        vehiclesection(*g);
        const Vehicle& v = g->vehicle;
        EXPECT_EQ(g->picground.Point(v.bodyx1, v.bodyy1), kWhite);
        EXPECT_EQ(g->picground.Point(v.bodyx2, v.bodyy2), kWhite);
        EXPECT_EQ(g->picground.Point(v.gunx + 0.6 * v.gundx, v.guny + 0.6 * v.gundy), kWhite);
        // The full tip is drawn only while the fire key is up.
        EXPECT_EQ(g->picground.Point(v.guntipx, v.guntipy), fire == 0 ? kWhite : kBlack);
        EXPECT_EQ(g->picground.drawWidth(), 2);
    }
}

TEST(VehicleDrawing, TheNextPassErasesWhatTheVehicleOverlapped) {
    auto g = emptyWorld();
    fill(*g, 190, 250, 370, 390); // a block around the body; nothing below it, so it falls
    place(*g, 3000, 5720, 0);
    vehiclesection(*g); // erases the start position, falls to 5730 (row 382), draws there
    EXPECT_EQ(g->picground.Point(3100, 5730), kWhite);
    EXPECT_EQ(g->picground.Point(3100, 5730 - 4 * kTw), kGround); // outside the 3-pixel body
    vehiclesection(*g); // wipes rows 381 to 383, falls to 5750 (row 383), draws rows 382 to 384
    EXPECT_EQ(g->picground.Point(3100, 381 * kTw), kBlack);
    EXPECT_EQ(g->picground.Point(3100, 5750), kWhite);
    EXPECT_EQ(g->picground.Point(3100, 379 * kTw), kGround);
}

// The real start-up world: with the level picture in, the vehicle comes to rest on the hills.
TEST(VehicleStartUp, ComesToRestOnTheLevelGround) {
    auto g = startedGame(5);
    if (g->picground.Point(0, (kLevelPixelsH - 1) * kTw) == kBlack) {
        GTEST_SKIP() << "the playfield has no level picture yet";
    }
    for (int i = 0; i < 150; ++i) {
        mainpass(*g);
    }
    const Vehicle& v = g->vehicle;
    const Vehicle before = v;
    for (int i = 0; i < 10; ++i) {
        mainpass(*g);
        EXPECT_EQ(v.yspeed, 0);
        EXPECT_EQ(v.bodyy1, before.bodyy1);
        EXPECT_EQ(v.bodyx1, before.bodyx1);
    }
    EXPECT_TRUE(!air(*g, v.bodyx1, v.bodyy1 + 300) || !air(*g, v.bodyx2, v.bodyy2 + 300));
    EXPECT_LT(v.bodyy1, 8000); // on the hills, not in the bottom band
    EXPECT_GT(v.bodyy1, 0);
}

} // namespace
} // namespace wh
