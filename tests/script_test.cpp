// The level script's stages and the camera's follow rules, with the window's outer size of
// 12120 x 9450 twips: stage 1 when Left falls below -17880, stages 2 and 3 below -28880.
#include "app/game.hpp"
#include "app/initialworld.hpp"
#include "app/window.hpp"
#include "level/script.hpp"
#include "vehicle/geometry.hpp"
#include "vehicle/motion.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace wh {
namespace {

// A marker in every field no stage writes, so a test can see that the slot kept it.
constexpr Rock kLeftover{77, 66, 1, 2, 3, 4, RockType::gas, 55, 44, 33, 22};

std::unique_ptr<Game> worldWith(int16_t rockcount, int16_t stage, float left) {
    auto g = std::make_unique<Game>();
    for (Rock& r : g->rocks.rocks) {
        r = kLeftover;
    }
    g->rocks.rockcount = rockcount;
    g->stage = stage;
    g->picground.Left = left;
    g->rng.seed(11);
    return g;
}

TEST(LevelScript, StagesRunByTheOuterWindowWidthAndTheScroll) {
    ASSERT_EQ(kWindowWidthTwips, 12120);
    struct Case {
        int16_t stageBefore;
        float left;
        int16_t stageAfter;
        int added;
    };
    const Case cases[] = {
        {0, 0, 0, 0},          {0, -17880, 0, 0},  // L - W = -30000: not below
        {0, -17880.5f, 1, 26}, {0, -17881, 1, 26}, // reactor and 25 plasma
        {0, -28880, 1, 26},    {0, -28881, 3, 30}, // all three in one call
        {1, -28880, 1, 0},     {1, -28881, 3, 4},  // stages 2 and 3 together
        {2, -28881, 3, 3},     {3, -60000, 3, 0},  // each stage runs once
        {3, 0, 3, 0},          {1, -17881, 1, 0},  // scrolling back undoes nothing
        {-5, -17881, 1, 26},   {-5, 5000, -5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stageBefore << " at " << c.left);
        auto g = worldWith(100, c.stageBefore, c.left);
        scroll(*g);
        EXPECT_EQ(g->stage, c.stageAfter);
        EXPECT_EQ(g->rocks.rockcount, 100 + c.added);
        scroll(*g); // a second call at the same place adds nothing
        EXPECT_EQ(g->rocks.rockcount, 100 + c.added);
    }
}

TEST(LevelScript, StageOnePlacesAReactorAndAPlasmaCloudAfterIt) {
    auto g = worldWith(40, 0, -20000);
    scroll(*g);
    ASSERT_EQ(g->stage, 1);
    ASSERT_EQ(g->rocks.rockcount, 66);
    Rock reactor = kLeftover;
    reactor.type = RockType::reactor;
    reactor.x = 30200;
    reactor.y = 6450;
    reactor.xdis = 0;
    reactor.ydis = 0;
    EXPECT_EQ(g->rocks[41], reactor);
    Rng replay;
    replay.seed(11);
    for (int j = 42; j <= 66; ++j) {
        SCOPED_TRACE(j);
        Rock plasma = kLeftover;
        plasma.type = RockType::plasma;
        plasma.count = 0;
        plasma.xdis = static_cast<int16_t>(std::nearbyint(replay.nextSingle() * 250.0));
        plasma.ydis = static_cast<int16_t>(std::nearbyint(replay.nextSingle() * 250.0));
        plasma.x = 30200;
        plasma.y = 6450;
        EXPECT_EQ(g->rocks[j], plasma);
    }
    EXPECT_EQ(g->rng.state, replay.state); // fifty draws, x before y for each rock
    EXPECT_EQ(g->rocks[67], kLeftover);
}

TEST(LevelScript, StagesTwoAndThreePlaceFourMakersAndAReactor) {
    auto g = worldWith(40, 1, -30000);
    const Rng before = g->rng;
    scroll(*g);
    ASSERT_EQ(g->stage, 3);
    ASSERT_EQ(g->rocks.rockcount, 44);
    auto expect = [](int16_t type, int16_t subtype, int32_t x, int32_t y, int16_t xdis,
                     int16_t ydis, int16_t count) {
        Rock r = kLeftover;
        r.type = type;
        r.subtype = subtype;
        r.x = x;
        r.y = y;
        r.xdis = xdis;
        r.ydis = ydis;
        r.count = count;
        r.fullcount = count;
        r.countstep = 1;
        return r;
    };
    EXPECT_EQ(g->rocks[41], expect(RockType::maker, RockType::bomb, 41730, 5580, -200, -200, 10));
    EXPECT_EQ(g->rocks[42], expect(RockType::maker, RockType::plasma, 44610, 5940, 0, -200, 1));
    EXPECT_EQ(g->rocks[43], expect(RockType::maker, RockType::plasma, 45610, 5940, 0, -200, 1));
    // The reactor's subtype is not written: it keeps the slot's.
    EXPECT_EQ(g->rocks[44], expect(RockType::reactor, kLeftover.subtype, 44910, 1140, 0, 0, 2));
    EXPECT_EQ(g->rng.state, before.state); // no random numbers
}

TEST(LevelScript, AStageAddsOnlyTheRocksThatFitBelowTheLastSlot) {
    struct Case {
        int16_t rockcount;
        int16_t stageBefore;
        float left;
        int16_t stageAfter;
    };
    const Case cases[] = {{1490, 0, -20000, 1},
                          {1500, 0, -20000, 1},
                          {1498, 1, -30000, 3},
                          {1500, 1, -30000, 3},
                          {1480, 0, -30000, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rockcount);
        auto g = worldWith(c.rockcount, c.stageBefore, c.left);
        scroll(*g);
        EXPECT_EQ(g->stage, c.stageAfter); // the stage counts as run
        EXPECT_EQ(g->rocks.rockcount, kLastRockIndex);
    }
    // 1490: the reactor at 1491, then plasma up to the last slot.
    auto g = worldWith(1490, 0, -20000);
    scroll(*g);
    EXPECT_EQ(g->rocks[1491].type, RockType::reactor);
    EXPECT_EQ(g->rocks[1500].type, RockType::plasma);
    // 1498: the bomb maker and the first plasma maker fit, the second and the reactor do not.
    g = worldWith(1498, 1, -30000);
    scroll(*g);
    EXPECT_EQ(g->rocks[1499].subtype, RockType::bomb);
    EXPECT_EQ(g->rocks[1500].subtype, RockType::plasma);
    EXPECT_EQ(g->rocks[1500].x, 44610);
}

// The camera alone, with the vehicle's end 1 and speeds set by hand.
struct CameraCase {
    float left, top;
    int32_t x1;
    int16_t y1;
    int16_t xspeed, yspeed;
    float leftAfter, topAfter;
};

void runCamera(const CameraCase& c) {
    auto g = std::make_unique<Game>();
    g->picground.Left = c.left;
    g->picground.Top = c.top;
    g->vehicle.bodyx1 = c.x1;
    g->vehicle.bodyy1 = c.y1;
    g->vehicle.xspeed = c.xspeed;
    g->vehicle.yspeed = c.yspeed;
    camera(*g);
    EXPECT_EQ(g->picground.Left, c.leftAfter);
    EXPECT_EQ(g->picground.Top, c.topAfter);
}

TEST(Camera, FollowsRightPastThreeQuartersOfTheOuterWidth) {
    // 0.75 x 12120 = 9090: end 1 must be shown beyond it, moving right.
    const CameraCase cases[] = {
        {0, 0, 9091, 4000, 50, 0, -50, 0},
        {0, 0, 9090, 4000, 50, 0, 0, 0},
        {0, 0, 9091, 4000, 0, 0, 0, 0},
        {0, 0, 12000, 4000, -50, 0, 0, 0},
        {-1000, 0, 10091, 4000, 100, 0, -1100, 0},
        {-1000, 0, 10090, 4000, 100, 0, -1000, 0},
        {-60000, 0, 70000, 4000, 100, 0, -60100, 0}, // past the playfield's end, no limit
    };
    for (const CameraCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.x1 << " " << c.xspeed);
        runCamera(c);
    }
}

TEST(Camera, FollowsLeftBeforeAQuarterOnlyWhileScrolledMoreThanAHundred) {
    // 0.25 x 12120 = 3030.
    const CameraCase cases[] = {
        {-101, 0, 3130, 4000, -50, 0, -51, 0},     {-101, 0, 3131, 4000, -50, 0, -101, 0},
        {-100, 0, 0, 4000, -50, 0, -100, 0},       {-5000, 0, 8029, 4000, -100, 0, -4900, 0},
        {-5000, 0, 8030, 4000, -100, 0, -5000, 0}, {-5000, 0, 100, 4000, 0, 0, -5000, 0},
        {-150, 0, 100, 4000, -100, 0, -50, 0}, // overshoots the slack, stops short of 0
    };
    for (const CameraCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.x1 << " " << c.xspeed);
        runCamera(c);
    }
}

TEST(Camera, FollowsDownAndUpOnlyWhileThePlayfieldReachesPastTheWindow) {
    // H = 9450: 0.75 H = 7087.5 and 0.5 H = 4725; playfield height 9015.
    const CameraCase cases[] = {
        {0, 0, 5000, 8900, 0, 100, 0, 0},         // 9015 + 0 is not above 9450: never down
        {0, 435, 5000, 8900, 0, 100, 0, 435},     // 9450: still not above
        {0, 500, 5000, 6588, 0, 30, 0, 470},      // 6588 > 7087.5 - 500
        {0, 500, 5000, 6587, 0, 30, 0, 500},      // 6587 is not
        {0, 500, 5000, 6588, 0, 0, 0, 500},       // not falling
        {0, -1000, 5000, 5724, 0, -50, 0, -950},  // 5724 < 4725 + 1000
        {0, -1000, 5000, 5725, 0, -50, 0, -1000}, // 5725 is not
        {0, 0, 5000, 100, 0, -50, 0, 0},          // Top not below 0
        {0, -20, 5000, 0, 0, -50, 0, 30},         // the whole speed: Top ends above 0
    };
    for (const CameraCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.top << " " << c.y1 << " " << c.yspeed);
        runCamera(c);
    }
}

// Driving on a long flat floor with the whole vehicle section, camera included.
std::unique_ptr<Game> floorWorld(int32_t x1, float left) {
    auto g = std::make_unique<Game>();
    g->picground.Cls();
    setAngleConstants(*g);
    setUpVehicle(*g);
    g->picground.setDrawWidth(1);
    for (int row = 400; row < kPlayfieldPixelsH; ++row) {
        g->picground.Line(0, row * kTwipsPerPixel, Playfield::Width, row * kTwipsPerPixel,
                          RGB(0, 128, 0));
    }
    Vehicle& v = g->vehicle;
    v.bodyx1 = x1;
    v.bodyy1 = 5720; // resting: fall probes in the floor, lift probes above it
    changeanglesub(*g);
    g->picground.Left = left;
    return g;
}

TEST(Camera, DrivingRightHoldsTheVehicleStillOnScreen) {
    auto g = floorWorld(6060, 0);
    g->keys.rightkey = -1;
    int following = 0;
    double shown = 0;
    for (int n = 0; n < 300; ++n) {
        vehiclesection(*g);
        const double onScreen = g->vehicle.bodyx1 + static_cast<double>(g->picground.Left);
        // The playfield moves by the pass's displacement once end 1, after its move, is shown
        // past 9090: on screen it stays where it stood before that move.
        ASSERT_LE(onScreen, 9090);
        if (g->picground.Left < 0) {
            if (following++ > 0) {
                ASSERT_EQ(onScreen, shown);
            }
            shown = onScreen;
            ASSERT_GT(onScreen + g->vehicle.xspeed, 9090);
        }
    }
    EXPECT_GT(following, 200);
}

TEST(Camera, DrivingLeftScrollsBackButLeftNeverReachesZero) {
    auto g = floorWorld(20000, -15000);
    g->keys.leftkey = -1;
    for (int n = 0; n < 180; ++n) {
        vehiclesection(*g);
    }
    ASSERT_GT(g->vehicle.bodyx1, 1000); // still driving on the floor
    EXPECT_GE(g->picground.Left, -100);
    EXPECT_LT(g->picground.Left, 0);
    EXPECT_EQ(g->picground.Top, 0);
}

} // namespace
} // namespace wh
