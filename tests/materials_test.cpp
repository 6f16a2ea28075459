// The material particles on small fixtures: a few single pixels drawn on an empty playfield
// around one rock, and the rock's fields after its behaviour step.
#include "app/game.hpp"
#include "app/numeric.hpp"
#include "world/materials.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace wh {
namespace {

constexpr Colour kPond = RGB(0, 0, 255);
constexpr int32_t kH = Playfield::Height; // 9015
constexpr int32_t kW = Playfield::Width;  // 64005

// A rock at (3000, 3000) in the middle of open air; its wall probes read pixel columns 196
// (x - 50) and 203 (x + 50) on row 200, and its pond probe reads column 200, row 206.
constexpr int32_t kX = 3000;
constexpr int32_t kY = 3000;

struct Pixel {
    int32_t x, y; // twips
};

// A rock at index 1 over single pixels of one colour.
struct World : BareWorld {
    World(int16_t type, int32_t x, int32_t y, int16_t xdis, int16_t ydis,
          const std::vector<Pixel>& ground = {}, Colour colour = kGround) {
        for (const Pixel& p : ground) {
            paint(p.x, p.y, colour);
        }
        put(type, x, y, xdis, ydis);
    }
};

// ---- gas ----

TEST(Gas, ReversesOnTerrainAndKeepsItsSpeed) {
    struct Case {
        bool ground;
        int16_t passthrough;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {true, kFalse, -30, 45},
        {false, kFalse, 30, -45},
        {true, kTrue, 30, -45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ground << " " << c.passthrough);
        std::vector<Pixel> ground;
        if (c.ground) {
            ground.push_back({kX + 30, kY - 45}); // the next position
        }
        World w(RockType::gas, kX, kY, 30, -45, ground);
        w.g->passthrough = c.passthrough;
        gas(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
        EXPECT_EQ(w.rock().x, kX);
        EXPECT_EQ(w.rock().y, kY);
    }
}

TEST(Gas, TurnsBackInTheBandsWithoutTestingTerrain) {
    struct Case {
        int32_t y;
        int16_t ydis;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {kH - 199, 30, 30, -30},  // bottom band: only ydis turns, the ground ahead is not felt
        {-5, -7, 30, 7},          // above the top
        {kH - 200, 30, -30, -30}, // on the band's edge: an ordinary contact
        {-5, -32768, 30, -32768}, // the 16-bit negation wraps onto itself
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        World w(RockType::gas, kX, c.y, 30, c.ydis, {{kX + 30, c.y + c.ydis}});
        gas(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
    }
}

// A next position on or beyond the playfield's edge is not tested: Point there would read -1,
// which is not black, and reverse the rock.
TEST(Gas, DoesNotFeelForTerrainBeyondThePlayfield) {
    struct Case {
        int32_t x, y;
        int16_t xdis, ydis;
        bool reverses;
    };
    const Case cases[] = {
        {20, kY, -20, 0, false},       // px = 0, on column 0 where the pixel is
        {21, kY, -20, 0, true},        // px = 1, the same pixel, tested
        {kW - 10, kY, 10, 0, false},   // px = W reads off the surface
        {kW - 11, kY, 10, 0, false},   // px = W - 1: open air
        {kX, kH - 210, 0, 210, false}, // py = H, but the rock is not in the band yet
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        World w(RockType::gas, c.x, c.y, c.xdis, c.ydis, {{0, kY}});
        gas(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.reverses ? -c.xdis : c.xdis);
        EXPECT_EQ(w.rock().ydis, c.reverses ? -c.ydis : c.ydis);
    }
}

// ---- liquid ----

TEST(Liquid, SplashesOnGroundToATenthOfItsSidewaysSpeedReversed) {
    // ydis 0 + gravity 20 = 20: the next position is (3000 + xdis, 3020).
    struct Case {
        int16_t xdis;
        int16_t exdis;
    };
    const Case cases[] = {
        {37, -4}, // -3.7
        {4, 0},   // -0.4
        {25, -2}, // -2.5, half to even
        {15, -2}, // -1.5, half to even
        {-35, 4}, // 3.5, half to even
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xdis);
        World w(RockType::liquid, kX, kY, c.xdis, 0, {{kX + c.xdis, kY + 20}});
        w.rock().count = 10;
        liquid(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, 0);
        EXPECT_EQ(w.rock().type, RockType::liquid);
        EXPECT_EQ(w.rock().count, 9);
    }
}

TEST(Liquid, FallsThroughTerrainWhilePassthroughIsSet) {
    World w(RockType::liquid, kX, kY, 37, 0, {{kX + 37, kY + 20}});
    w.rock().count = 10;
    w.g->passthrough = kTrue;
    liquid(*w.g, 1);
    EXPECT_EQ(w.rock().xdis, 37);
    EXPECT_EQ(w.rock().ydis, 20);
}

TEST(Liquid, EndsWhenItsCountReachesZeroButFinishesTheStep) {
    struct Case {
        int16_t count;
        int16_t ecount;
        int16_t etype;
    };
    const Case cases[] = {
        {1, 0, RockType::none},
        {0, -1, RockType::liquid}, // only ends after wrapping all the way round
        {-32768, 32767, RockType::liquid},
        {2, 1, RockType::liquid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        World w(RockType::liquid, kX, kY, 0, 0);
        w.rock().count = c.count;
        liquid(*w.g, 1);
        EXPECT_EQ(w.rock().count, c.ecount);
        EXPECT_EQ(w.rock().type, c.etype);
        EXPECT_EQ(w.rock().ydis, 20); // gravity acts in the last step too
    }
}

TEST(Liquid, ThePondBelowTakesItEvenInPassthrough) {
    struct Case {
        int32_t pondY;
        Colour colour;
        int16_t passthrough;
        bool taken;
    };
    const Case cases[] = {
        {kY + 100, kPond, kFalse, true},
        {kY + 100, kPond, kTrue, true},
        {kY + 100, RGB(0, 0, 254), kFalse, false}, // a liquid's own blue is not the pond
        {kY + 105, kPond, kFalse, false},          // the next row down: not 100 below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pondY);
        World w(RockType::liquid, kX, kY, 0, 0, {{kX, c.pondY}}, c.colour);
        w.rock().count = 10;
        w.g->passthrough = c.passthrough;
        liquid(*w.g, 1);
        EXPECT_EQ(w.rock().type, c.taken ? RockType::none : RockType::liquid);
    }
}

TEST(Liquid, RunsOffAWallBesideIt) {
    struct Case {
        std::vector<Pixel> walls;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {{{kX - 50, kY}}, 50, 10},               // wall on the left: pushed right, lifted
        {{{kX + 50, kY}}, -50, 10},              // wall on the right
        {{{kX - 50, kY}, {kX + 50, kY}}, 0, 20}, // walls both sides: neither applies
        {{}, 0, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.walls.size());
        World w(RockType::liquid, kX, kY, 0, 0, c.walls);
        w.rock().count = 10;
        liquid(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
    }
}

TEST(Liquid, SplashesFirstAndThenRunsOffTheWall) {
    // Contact: xdis 37 -> -4, ydis 0; then the left wall: xdis 46, ydis -10.
    World w(RockType::liquid, kX, kY, 37, 0, {{kX + 37, kY + 20}, {kX - 50, kY}});
    w.rock().count = 10;
    liquid(*w.g, 1);
    EXPECT_EQ(w.rock().xdis, 46);
    EXPECT_EQ(w.rock().ydis, -10);
}

TEST(Liquid, TurnsBackInTheBandsAndSlowsToATenth) {
    struct Case {
        int32_t y;
        int16_t xdis, ydis;
        int32_t ey;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        // ydis 35 + 20 = 55: y -10 - 55 = -65; ydis -5.5 -> -6; xdis 2.5 -> 2.
        {-10, 25, 35, -65, 2, -6},
        // ydis 100 + 20 = 120: y back by 120; ydis -12; xdis -3.7 -> -4.
        {kH - 199, -37, 100, kH - 319, -4, -12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        // Ground everywhere the contact and wall tests could look: the band ends the step first.
        World w(RockType::liquid, kX, c.y, c.xdis, c.ydis,
                {{kX + c.xdis, c.y + c.ydis + 20}, {kX - 50, c.y}});
        w.rock().count = 10;
        liquid(*w.g, 1);
        EXPECT_EQ(w.rock().y, c.ey);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
    }
}

// ---- solid ----

TEST(Solid, BouncesOffTheFloorKeepingFourFifths) {
    struct Case {
        int16_t xdis, ydis;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {0, 100, 0, -96}, // 100 + 20 = 120, x -0.8
        {5, 0, -4, -16},  // xdis -4.0; ydis 20 x -0.8
        {3, 0, -2, -16},  // -2.4
        {-7, 0, 6, -16},  // 5.6
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ydis);
        World w(RockType::solid, kX, kY, c.xdis, c.ydis, {{kX + c.xdis, kY + c.ydis + 20}});
        solid(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
        EXPECT_EQ(w.rock().x, kX);
        EXPECT_EQ(w.rock().y, kY);
    }
}

TEST(Solid, FallsThroughTheFloorWhilePassthroughIsSet) {
    World w(RockType::solid, kX, kY, 0, 100, {{kX, kY + 120}});
    w.g->passthrough = kTrue;
    solid(*w.g, 1);
    EXPECT_EQ(w.rock().ydis, 120);
}

TEST(Solid, IsPushedOffWallsEvenInPassthrough) {
    struct Case {
        int32_t wallX;
        int16_t passthrough;
        int16_t exdis;
    };
    const Case cases[] = {
        {kX - 50, kFalse, 80},
        {kX + 50, kFalse, -80},
        {kX - 50, kTrue, 80},
        {kX + 50, kTrue, -80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wallX << " " << c.passthrough);
        World w(RockType::solid, kX, kY, 0, 0, {{c.wallX, kY}});
        w.g->passthrough = c.passthrough;
        solid(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, 0); // gravity 20, lifted 20
    }
}

TEST(Solid, TurnsBackAtTheBands) {
    struct Case {
        int32_t x, y;
        int16_t xdis, ydis;
        int32_t ex, ey;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        // Bottom: 8700 + 120 = 8820 is past H - 200 = 8815: back to 8580, ydis -96.
        {kX, 8700, 0, 100, kX, 8580, 0, -96},
        // Just short of the band: 8695 + 120 = 8815 is not past it.
        {kX, 8695, 0, 100, kX, 8695, 0, 120},
        // Top: ydis -100 + 20 = -80, 50 - 80 < 0: back to 130, ydis 64.
        {kX, 50, 0, -100, kX, 130, 0, 64},
        // Right: 63900 is past W - 200 = 63805: back to 63850, xdis -40.
        {63900, kY, 50, 0, 63850, kY, -40, 20},
        {63805, kY, 50, 0, 63805, kY, 50, 20},
        // Left of the picture: -10 + 30 = 20, xdis 24.
        {-10, kY, -30, 0, 20, kY, 24, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        World w(RockType::solid, c.x, c.y, c.xdis, c.ydis);
        solid(*w.g, 1);
        EXPECT_EQ(w.rock().x, c.ex);
        EXPECT_EQ(w.rock().y, c.ey);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
    }
}

// ---- alive ----

TEST(Alive, WrapsAroundThePlayfieldEdges) {
    struct Case {
        int32_t x, y;
        int32_t ex, ey;
    };
    const Case cases[] = {
        {kX, -10, kX, kH}, {kX, kH + 1, kX, 0}, {-5, kY, kW, kY}, {kW + 1, kY, 0, kY},
        {kW, kH, kW, kH},  {-1, -1, kW, kH},    {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        World w(RockType::alive, c.x, c.y, 11, -13);
        alive(*w.g, 1);
        EXPECT_EQ(w.rock().x, c.ex);
        EXPECT_EQ(w.rock().y, c.ey);
        EXPECT_EQ(w.rock().xdis, 11); // no gravity, no friction
        EXPECT_EQ(w.rock().ydis, -13);
    }
}

// Through the whole step: the cull comes before the wrap, and the wrapped rock sits exactly on
// the bounds, which keep it.
TEST(Alive, WrapsOnlyWhenTheCullSparesIt) {
    struct Case {
        float left;
        int32_t x, y;
        int16_t count;
        int32_t ex, ey;
    };
    const Case cases[] = {
        {0, kX, -10, 1, kX, kH}, // off the top: to the bottom edge, not dropped
        {0, -60, kY, 1, kW, kY}, // -60 is within the margin: to the right edge
        {-50, -60, kY, 0, 0, 0}, // -110: culled and removed before it could wrap
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << " " << c.x);
        World w(RockType::alive, c.x, c.y, 0, 0);
        w.g->picground.Left = c.left;
        stepRock(*w.g, 1);
        ASSERT_EQ(w.g->rocks.rockcount, c.count);
        if (c.count == 1) {
            EXPECT_EQ(w.rock().type, RockType::alive);
            EXPECT_EQ(w.rock().x, c.ex);
            EXPECT_EQ(w.rock().y, c.ey);
        }
    }
}

// ---- ice ----

TEST(Ice, MovesOnceByItsDisplacementAndThenStands) {
    World w(RockType::ice, 1000, kY, 100, -40);
    rockpass(*w.g);
    EXPECT_EQ(w.rock().x, 1100);
    EXPECT_EQ(w.rock().y, kY - 40);
    EXPECT_EQ(w.rock().xdis, 0);
    EXPECT_EQ(w.rock().ydis, 0);
    rockpass(*w.g);
    EXPECT_EQ(w.rock().x, 1100);
    EXPECT_EQ(w.rock().y, kY - 40);
    EXPECT_EQ(w.rock().type, RockType::ice);
}

// ---- dispatch ----

// Each material reached through the common step in open air, from xdis 10, ydis 10, count 5.
TEST(Behaviour, EachMaterialTypeRunsItsOwnStep) {
    struct Case {
        int16_t type;
        int16_t exdis, eydis, ecount;
    };
    const Case cases[] = {
        {RockType::gas, 10, 10, 5},
        {RockType::liquid, 10, 30, 4},
        {RockType::solid, 10, 30, 5},
        {RockType::alive, 10, 10, 5},
        {RockType::ice, 0, 0, 5},
        {RockType::reactor, 10, 10, 5},
        {21, 10, 10, 5},
        {22, 10, 10, 5},
        {26, 10, 10, 5},
        {-3, 10, 10, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        World w(c.type, kX, kY, 10, 10);
        w.rock().count = 5;
        stepRock(*w.g, 1);
        EXPECT_EQ(w.rock().x, kX + 10);
        EXPECT_EQ(w.rock().y, kY + 10);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
        EXPECT_EQ(w.rock().count, c.ecount);
        EXPECT_EQ(w.rock().type, c.type);
    }
}

} // namespace
} // namespace wh
