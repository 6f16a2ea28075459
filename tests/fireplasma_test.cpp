// Fire and plasma on small fixtures: a few pixels of ground, pure red or earthtone drawn on an
// empty playfield around one rock, and the rock's fields, the rocks it adds and the pixels it
// blackens after its step.
#include "app/game.hpp"
#include "app/numeric.hpp"
#include "world/fireplasma.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace wh {
namespace {

constexpr Colour kGrey = RGB(107, 107, 107);
constexpr Colour kRed = RGB(255, 0, 0);
constexpr int32_t kPx = 15; // twips per pixel

struct Pixel {
    int32_t x, y; // twips
};

// A rock at index 1 of an otherwise empty table on an all-black playfield.
struct World : BareWorld {
    World(int16_t type, int32_t x, int32_t y, int16_t xdis, int16_t ydis, int16_t count) {
        put(type, x, y, xdis, ydis).count = count;
    }

    // Slots above rockcount hold a left-over record, so an adder's untouched fields show.
    void litterSlots(int from, int to) const {
        for (int k = from; k <= to; ++k) {
            g->rocks[k] = Rock{77, 88, 1, 2, 5, 6, RockType::solid, 99, 44, 33, 22};
        }
    }
    // Live filler rocks without a behaviour of their own.
    void fillTableTo(int last) const {
        while (g->rocks.rockcount < last) {
            addRock(*g, rockOf(RockType::plane, 1, 1));
        }
    }
};

// ---- fire: gravity, ceiling, floor band, contact ----

TEST(Fire, FallsFlickersBouncesAndStopsInTheFloorBand) {
    constexpr int32_t kX = 3000;
    constexpr int32_t kFloorBand = Playfield::Height - 600; // 8415
    struct Case {
        const char* what;
        int32_t y;
        int16_t xdis, ydis, count;
        bool groundAhead; // ground at the next position, x + xdis, y + ydis + 20
        int16_t passthrough;
        int32_t ey;
        int16_t exdis, eydis, ecount, etype;
    };
    const Case cases[] = {
        {"falls", 3000, 30, 40, 10, false, kFalse, 3000, 30, 60, 9, RockType::fire},
        {"last step still falls", 3000, 30, 40, 1, false, kFalse, 3000, 30, 60, 0, RockType::none},
        {"count below zero", 3000, 30, 40, -5, false, kFalse, 3000, 30, 60, -6, RockType::none},
        {"count wraps", 3000, 30, 40, -32768, false, kFalse, 3000, 30, 60, 32767, RockType::fire},
        {"ceiling", 100, 0, -60, 10, false, kFalse, 140, 0, 20, 9, RockType::fire},
        {"ceiling tie", 199, 0, -25, 10, false, kFalse, 204, 0, 2, 9, RockType::fire},
        {"under the ceiling", 200, 0, -60, 10, false, kFalse, 200, 0, -40, 9, RockType::fire},
        {"floor band", kFloorBand + 1, 30, 40, 10, false, kFalse, kFloorBand + 1, 0, 0, 9,
         RockType::fire},
        {"floor band edge", kFloorBand, 30, 40, 10, false, kFalse, kFloorBand, 30, 60, 9,
         RockType::fire},
        {"contact", 3000, 30, 40, 10, true, kFalse, 3000, -3, -6, 9, RockType::fire},
        {"contact ties to even", 3000, 25, 15, 10, true, kFalse, 3000, -2, -4, 9, RockType::fire},
        {"passthrough", 3000, 30, 40, 10, true, kTrue, 3000, 30, 60, 9, RockType::fire},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        World w(RockType::fire, kX, c.y, c.xdis, c.ydis, c.count);
        if (c.groundAhead) {
            w.paint(kX + c.xdis, c.y + c.ydis + 20, kGround);
        }
        w.g->passthrough = c.passthrough;
        fire(*w.g, 1);
        EXPECT_EQ(w.rock().x, kX);
        EXPECT_EQ(w.rock().y, c.ey);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
        EXPECT_EQ(w.rock().count, c.ecount);
        EXPECT_EQ(w.rock().type, c.etype);
        EXPECT_EQ(w.g->rocks.rockcount, 1);
    }
}

TEST(Fire, WithCountThreeIsRemovedInItsThirdStep) {
    World w(RockType::fire, 3000, 3000, 0, 0, 3);
    const int16_t expected[] = {RockType::fire, RockType::fire, RockType::none};
    for (int16_t type : expected) {
        fire(*w.g, 1);
        EXPECT_EQ(w.rock().type, type);
    }
}

// ---- fire: the burn ----

// A fire at (5000, 5000), pixel (333, 333), falling at 100 twips per pass after gravity: its
// contact probe reads row 340 and its burn test row 346. A grey strip runs along its own row.
struct BurnFixture : World {
    static constexpr int32_t kX = 5000;
    static constexpr int32_t kY = 5000;
    static constexpr int kCol = 333;
    static constexpr int kRow = 333;

    explicit BurnFixture(Colour ahead) : World(RockType::fire, kX, kY, 0, 80, 10) {
        for (int c = 250; c <= 420; ++c) {
            paint(c * kPx, kRow * kPx, kGrey);
        }
        paint(kX, kY + 200, ahead);
        litterSlots(2, 20);
    }
};

TEST(Fire, BurnsACraterWithTenExplosionsWhenPureRedLiesTwoStepsAhead) {
    BurnFixture w(kRed);
    fire(*w.g, 1);

    ASSERT_EQ(w.g->rocks.rockcount, 11);
    for (int k = 2; k <= 11; ++k) {
        SCOPED_TRACE(k);
        const Rock& e = w.g->rocks[k];
        EXPECT_EQ(e.type, RockType::explosion);
        EXPECT_EQ(e.x, BurnFixture::kX);
        EXPECT_EQ(e.y, BurnFixture::kY);
        EXPECT_EQ(e.xdis, 0);
        EXPECT_EQ(e.ydis, 0);
        EXPECT_EQ(e.count, 200);
        EXPECT_EQ(e.fullcount, 200);
        EXPECT_EQ(e.countstep, 20);
        EXPECT_EQ(e.xt, 77); // the slot's own
        EXPECT_EQ(e.yt, 88);
        EXPECT_EQ(e.subtype, 99);
    }
    EXPECT_EQ(w.g->rocks[12].type, RockType::solid); // nothing beyond the ten

    // The crater is 75 pixels across, centred on the fire's pixel: columns 296 to 370.
    for (int c = 250; c <= 420; ++c) {
        SCOPED_TRACE(c);
        const bool inCrater = c >= BurnFixture::kCol - 37 && c <= BurnFixture::kCol + 37;
        EXPECT_EQ(w.pixel(c, BurnFixture::kRow), inCrater ? kBlack : kGrey);
    }
    EXPECT_EQ(w.pixel(BurnFixture::kCol, 346), kBlack); // the red it saw is gone
    EXPECT_EQ(w.g->picground.drawWidth(), 75);          // the pen stays wide

    // The fire itself stays where it burnt and keeps falling.
    EXPECT_EQ(w.rock().x, BurnFixture::kX);
    EXPECT_EQ(w.rock().y, BurnFixture::kY);
    EXPECT_EQ(w.rock().ydis, 100);
    EXPECT_EQ(w.rock().type, RockType::fire);
}

TEST(Fire, BurnsOnlyExactPureRed) {
    const Colour nearlyRed[] = {RGB(254, 0, 0), RGB(255, 1, 0), RGB(255, 0, 1), RGB(0, 132, 0)};
    for (Colour c : nearlyRed) {
        SCOPED_TRACE(c);
        BurnFixture w(c);
        fire(*w.g, 1);
        EXPECT_EQ(w.g->rocks.rockcount, 1);
        EXPECT_EQ(w.pixel(BurnFixture::kCol, 346), c);
        EXPECT_EQ(w.pixel(BurnFixture::kCol, BurnFixture::kRow), kGrey);
    }
}

TEST(Fire, NeitherBurnsNorBouncesWhilePassthroughIsSet) {
    BurnFixture w(kRed);
    w.g->passthrough = kTrue;
    fire(*w.g, 1);
    EXPECT_EQ(w.g->rocks.rockcount, 1);
    EXPECT_EQ(w.pixel(BurnFixture::kCol, 346), kRed);
}

// Pure red at the fire's own pixel and at its eight neighbour probes, 1500 twips (100 pixels)
// apart, around P0 = (15000, 4500). The fire rests (its displacement is 0 after gravity), so
// every burn test reads its own position. From P0 the first probe is the top left one; from
// there the search walks on through whatever is still red, column by column, and strands the
// bottom right red, which lies two reaches away from the last link.
TEST(Fire, ChainsAcrossRedInItsProbeOrder) {
    constexpr int32_t kX = 15000;
    constexpr int32_t kY = 4500;
    constexpr int32_t kReach = 1500;
    World w(RockType::fire, kX, kY, 0, -20, 10);
    for (int a = -1; a <= 1; ++a) {
        for (int b = -1; b <= 1; ++b) {
            w.paint(kX + kReach * a, kY + kReach * b, kRed);
        }
    }
    fire(*w.g, 1);

    struct Link {
        int a, b;
    };
    const Link path[] = {{0, 0}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 0}, {0, -1}, {1, -1}};
    ASSERT_EQ(w.g->rocks.rockcount, 1 + 10 * 8);
    for (int m = 0; m < 8; ++m) {
        for (int k = 0; k < 10; ++k) {
            SCOPED_TRACE(testing::Message() << "crater " << m << " explosion " << k);
            const Rock& e = w.g->rocks[2 + 10 * m + k];
            EXPECT_EQ(e.type, RockType::explosion);
            EXPECT_EQ(e.x, kX + kReach * path[m].a);
            EXPECT_EQ(e.y, kY + kReach * path[m].b);
        }
    }
    EXPECT_EQ(w.rock().x, kX + kReach);
    EXPECT_EQ(w.rock().y, kY - kReach);
    for (int a = -1; a <= 1; ++a) {
        for (int b = -1; b <= 1; ++b) {
            SCOPED_TRACE(testing::Message() << a << " " << b);
            const bool stranded = a == 1 && b == 1;
            EXPECT_EQ(w.g->picground.Point(kX + kReach * a, kY + kReach * b),
                      stranded ? kRed : kBlack);
        }
    }
}

// After a jump the burn test looks two of the unchanged displacements ahead of the new place:
// without red there the fire stays on the neighbour unburnt.
TEST(Fire, AfterAJumpBurnsOnlyWithRedTwoStepsAhead) {
    constexpr int32_t kX = 15000;
    constexpr int32_t kY = 4500;
    constexpr int32_t kNx = 16500; // the right-hand neighbour, pixel (1100, 300)
    for (bool redAhead : {true, false}) {
        SCOPED_TRACE(redAhead);
        World w(RockType::fire, kX, kY, 0, 40, 10); // ydis 60: burn test 120 twips below
        w.paint(kX, kY + 120, kRed);
        w.paint(kNx, kY, kRed);
        if (redAhead) {
            w.paint(kNx, kY + 120, kRed);
        }
        fire(*w.g, 1);
        EXPECT_EQ(w.g->rocks.rockcount, redAhead ? 21 : 11);
        EXPECT_EQ(w.rock().x, kNx);
        EXPECT_EQ(w.rock().y, kY);
        EXPECT_EQ(w.rock().ydis, 60);
        EXPECT_EQ(w.g->picground.Point(kNx, kY), redAhead ? kBlack : kRed);
        if (redAhead) {
            EXPECT_EQ(w.g->rocks[21].x, kNx);
        }
    }
}

// A burn that finds the table full adds what fits and no more; the craters are still blasted
// and the chain still runs, so the terrain burns as it would with room.
TEST(Fire, BurnIntoAFullTableStopsAtTheLastSlot) {
    constexpr int32_t kX = 15000;
    constexpr int32_t kY = 4500;
    constexpr int32_t kNx = 16500;
    World w(RockType::fire, kX, kY, 0, -20, 10);
    w.paint(kX, kY, kRed);
    w.paint(kNx, kY, kRed);
    w.fillTableTo(kLastRockIndex - 5);
    fire(*w.g, 1);

    EXPECT_EQ(w.g->rocks.rockcount, kLastRockIndex);
    for (int k = kLastRockIndex - 4; k <= kLastRockIndex; ++k) {
        EXPECT_EQ(w.g->rocks[k].type, RockType::explosion);
        EXPECT_EQ(w.g->rocks[k].x, kX);
    }
    EXPECT_EQ(w.g->rocks[kLastRockIndex - 5].type, RockType::plane);
    EXPECT_EQ(w.g->picground.Point(kX, kY), kBlack);
    EXPECT_EQ(w.g->picground.Point(kNx, kY), kBlack);
    EXPECT_EQ(w.rock().x, kNx);
}

// A fire dropped from pixel (204, 280) onto a 10 x 10 pure red block at columns 200 to 209,
// rows 300 to 309, through the whole rock pass. Its y after each pass's motion is 4200, 4220,
// 4260, 4320, 4400: in pass 5 the next position (4500) is red, so it bounces to ydis -10, and
// the burn test two steps up reads black. Then 4390, 4400, 4430: in pass 8, with ydis 50, the
// burn test reads row 302, red, and the crater at row 295 swallows the whole block.
TEST(Fire, DroppedOnARedBlockBurnsItAway) {
    World w(RockType::fire, 3070, 4200, 0, 0, 35);
    for (int c = 200; c <= 209; ++c) {
        for (int r = 300; r <= 309; ++r) {
            w.paint(c * kPx, r * kPx, kRed);
        }
    }
    for (int pass = 1; pass <= 7; ++pass) {
        rockpass(*w.g);
        ASSERT_EQ(w.g->rocks.rockcount, 1) << pass;
        if (pass == 5) {
            EXPECT_EQ(w.rock().ydis, -10);
        }
    }
    EXPECT_EQ(w.pixel(204, 300), kRed);
    rockpass(*w.g);
    ASSERT_EQ(w.g->rocks.rockcount, 11);
    EXPECT_EQ(w.g->rocks[2].type, RockType::explosion);
    EXPECT_EQ(w.g->rocks[2].x, 3070);
    EXPECT_EQ(w.g->rocks[2].y, 4430);
    for (int c = 200; c <= 209; ++c) {
        for (int r = 300; r <= 309; ++r) {
            EXPECT_EQ(w.pixel(c, r), kBlack) << c << " " << r;
        }
    }
}

// ---- plasma ----

constexpr int32_t kPlasmaX = 3000;
constexpr int32_t kPlasmaY = 3000;

// A plasma at (3000, 3000) whose target is its own position, so steering leaves it alone.
struct PlasmaWorld : World {
    PlasmaWorld(int16_t xdis, int16_t ydis, int16_t count = 0, int32_t y = kPlasmaY)
        : World(RockType::plasma, kPlasmaX, y, xdis, ydis, count) {
        rock().xt = kPlasmaX;
        rock().yt = static_cast<int16_t>(kPlasmaY);
    }
};

TEST(Plasma, SpendsItsBudgetTwoAPass) {
    struct Case {
        int16_t count;
        std::vector<int16_t> counts; // after each step
        int endsInStep;              // 0: lives on
    };
    const Case cases[] = {
        {5, {3, 1, -1}, 3},
        {6, {4, 2, 0, 0, 0}, 0},
        {0, {0, 0}, 0},
        {1, {-1}, 1},
        {-3, {-5}, 1},
        {2, {0, 0}, 0},
        {-32767, {32767, 32765}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        PlasmaWorld w(0, 0, c.count);
        for (size_t s = 0; s < c.counts.size(); ++s) {
            plasma(*w.g, 1);
            const int step = static_cast<int>(s) + 1;
            EXPECT_EQ(w.rock().count, c.counts[s]) << step;
            const bool ended = c.endsInStep != 0 && step >= c.endsInStep;
            EXPECT_EQ(w.rock().type, ended ? RockType::none : RockType::plasma) << step;
        }
        EXPECT_EQ(w.g->beeps, 0u);
    }
}

TEST(Plasma, TargetsTheHighestIndexReactorOrBeeps) {
    struct Reactor {
        int index;
        int32_t x, y;
    };
    struct Case {
        const char* what;
        std::vector<Reactor> reactors;
        int32_t ext;
        int16_t eyt;
        uint32_t ebeeps;
    };
    const Case cases[] = {
        {"two reactors", {{4, 7000, 2000}, {9, 9000, 3000}}, 9000, 3000, 0},
        {"only the first", {{4, 7000, 2000}}, 7000, 2000, 0},
        {"y keeps its low 16 bits", {{9, 9000, 70000}}, 9000, 4464, 0},
        {"and its sign bit", {{9, 9000, 40000}}, 9000, -25536, 0},
        {"no reactor", {}, 0, 0, 1},
        {"reactor at (0, 0)", {{9, 0, 0}}, 0, 0, 1},
        {"reactor at (0, 65536)", {{9, 0, 65536}}, 0, 0, 1},
        {"the last one wins, at (0, 0)", {{4, 7000, 2000}, {9, 0, 0}}, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlasmaWorld w(0, 0);
        w.rock().xt = 0;
        w.rock().yt = 0;
        w.fillTableTo(10);
        for (const Reactor& r : c.reactors) {
            w.g->rocks[r.index].type = RockType::reactor;
            w.g->rocks[r.index].x = r.x;
            w.g->rocks[r.index].y = r.y;
        }
        plasma(*w.g, 1);
        EXPECT_EQ(w.rock().xt, c.ext);
        EXPECT_EQ(w.rock().yt, c.eyt);
        EXPECT_EQ(w.g->beeps, c.ebeeps);
    }
}

TEST(Plasma, KeepsItsTargetOnceSet) {
    PlasmaWorld w(0, 0);
    w.rock().xt = 0;
    w.rock().yt = 0;
    w.fillTableTo(3);
    w.g->rocks[3].type = RockType::reactor;
    w.g->rocks[3].x = 9000;
    w.g->rocks[3].y = 2000;
    plasma(*w.g, 1);
    w.g->rocks[3].x = 12000;
    plasma(*w.g, 1);
    w.g->rocks[3].type = RockType::none;
    plasma(*w.g, 1);
    EXPECT_EQ(w.rock().xt, 9000);
    EXPECT_EQ(w.rock().yt, 2000);
    EXPECT_EQ(w.g->beeps, 0u);

    // A target given by the panel, even one with yt 0, is never searched over.
    PlasmaWorld given(0, 0);
    given.rock().xt = 5;
    given.rock().yt = 0;
    given.fillTableTo(3);
    given.g->rocks[3].type = RockType::reactor;
    plasma(*given.g, 1);
    EXPECT_EQ(given.rock().xt, 5);
    EXPECT_EQ(given.rock().yt, 0);
    EXPECT_EQ(given.g->beeps, 0u);
}

// Every plasma step without a target sounds one beep: one plasma beeps once a pass, two twice.
TEST(Plasma, BeepsOncePerStepWithoutATarget) {
    struct Case {
        int plasmas;
        bool reactor;
        uint32_t beepsAfterThreePasses;
    };
    const Case cases[] = {{1, false, 3}, {2, false, 6}, {2, true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.plasmas << " " << c.reactor);
        World w(RockType::plasma, 6000, 3000, 0, 0, 0);
        if (c.plasmas == 2) {
            Rock* p = w.g->rocks.add();
            *p = w.rock();
            p->x = 9000;
        }
        if (c.reactor) {
            Rock* r = w.g->rocks.add();
            r->type = RockType::reactor;
            r->x = 7500;
            r->y = 3000;
        }
        for (uint32_t pass = 1; pass <= 3; ++pass) {
            rockpass(*w.g);
            EXPECT_EQ(w.g->beeps, c.beepsAfterThreePasses / 3 * pass);
        }
    }
}

// The drop probe reads 100 twips above the plasma, pixel (200, 193); it fires strictly between
// black and (255, 254, 0).
TEST(Plasma, UnderEarthtonesDoublesItsSpeedAndDropsAMultibomb) {
    struct Case {
        Colour above;
        bool drops;
    };
    const Case cases[] = {
        {RGB(0, 132, 0), true},    {RGB(0, 41, 0), true},
        {RGB(82, 41, 0), true},    {kRed, true},
        {RGB(254, 254, 0), true},  {RGB(255, 254, 0), false},
        {RGB(255, 255, 0), false}, {kGrey, false},
        {RGB(0, 0, 1), false},     {kBlack, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.above);
        PlasmaWorld w(30, -40);
        w.paint(kPlasmaX, kPlasmaY - 100, c.above);
        w.litterSlots(2, 2);
        plasma(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.drops ? 60 : 30);
        EXPECT_EQ(w.rock().ydis, c.drops ? -80 : -40);
        ASSERT_EQ(w.g->rocks.rockcount, c.drops ? 2 : 1);
        if (c.drops) {
            const Rock& b = w.g->rocks[2];
            EXPECT_EQ(b.type, RockType::multibomb);
            EXPECT_EQ(b.x, kPlasmaX);
            EXPECT_EQ(b.y, kPlasmaY);
            EXPECT_EQ(b.xdis, 60);
            EXPECT_EQ(b.ydis, -80);
            EXPECT_EQ(b.xt, 77); // the slot's own
            EXPECT_EQ(b.yt, 88);
            EXPECT_EQ(b.subtype, 99);
            EXPECT_EQ(b.count, 44);
            EXPECT_EQ(b.fullcount, 33);
            EXPECT_EQ(b.countstep, 22);
        }
    }
}

TEST(Plasma, DropEdgeCases) {
    // Above the top edge the probe reads -1, which is not an earthtone.
    PlasmaWorld top(30, 40, 0, 50);
    top.rock().yt = 50;
    plasma(*top.g, 1);
    EXPECT_EQ(top.g->rocks.rockcount, 1);

    // The doubling wraps, and the contact that follows tests the doubled way ahead, which here
    // lies off the surface: -25536 and 25536 reversed at four fifths are 20429 and -20429.
    PlasmaWorld wrap(20000, -20000);
    wrap.paint(kPlasmaX, kPlasmaY - 100, kGround);
    plasma(*wrap.g, 1);
    ASSERT_EQ(wrap.g->rocks.rockcount, 2);
    EXPECT_EQ(wrap.g->rocks[2].xdis, -25536);
    EXPECT_EQ(wrap.g->rocks[2].ydis, 25536);
    EXPECT_EQ(wrap.rock().xdis, 20429);
    EXPECT_EQ(wrap.rock().ydis, -20429);

    // Passing through terrain does not stop the drop.
    PlasmaWorld through(30, -40);
    through.paint(kPlasmaX, kPlasmaY - 100, kGround);
    through.g->passthrough = kTrue;
    plasma(*through.g, 1);
    EXPECT_EQ(through.g->rocks.rockcount, 2);

    // A full table refuses the bomb; the plasma still speeds up.
    PlasmaWorld full(30, -40);
    full.paint(kPlasmaX, kPlasmaY - 100, kGround);
    full.fillTableTo(kLastRockIndex);
    plasma(*full.g, 1);
    EXPECT_EQ(full.g->rocks.rockcount, kLastRockIndex);
    EXPECT_EQ(full.g->rocks[kLastRockIndex].type, RockType::plane);
    EXPECT_EQ(full.rock().xdis, 60);
    EXPECT_EQ(full.rock().ydis, -80);
}

TEST(Plasma, BouncesOffTerrainAtFourFifths) {
    struct Case {
        int16_t xdis, ydis;
        bool ground;
        int16_t passthrough;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {30, -40, true, kFalse, -24, 32},
        {33, -41, true, kFalse, -26, 33},
        {33, -41, true, kTrue, 33, -41},
        {33, -41, false, kFalse, 33, -41},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.xdis << " " << c.ground << " " << c.passthrough);
        PlasmaWorld w(c.xdis, c.ydis);
        if (c.ground) {
            w.paint(kPlasmaX + c.xdis, kPlasmaY + c.ydis, kGrey);
        }
        w.g->passthrough = c.passthrough;
        plasma(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
        EXPECT_EQ(w.g->rocks.rockcount, 1);
    }
}

// Steering with passthrough set, so no contact gets in the way.
TEST(Plasma, SteersTenAPassTowardItsTarget) {
    struct Case {
        const char* what;
        int32_t y;
        int16_t xdis;
        int32_t xt;
        int16_t yt;
        int16_t exdis, eydis;
    };
    const Case cases[] = {
        {"right and up", kPlasmaY, 0, 3500, 2500, 10, -10},
        {"left and down", kPlasmaY, 0, 2500, 3500, -10, 10},
        {"level on x", kPlasmaY, 0, kPlasmaX, 3500, 0, 10},
        {"level on y", kPlasmaY, 0, 2500, 3000, -10, 0},
        {"yt is signed", kPlasmaY, 0, kPlasmaX, -100, 0, -10},
        {"y is compared whole", 40000, 0, kPlasmaX, 32767, 0, -10},
        {"xdis wraps", kPlasmaY, -32768, 2500, 3000, 32758, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlasmaWorld w(c.xdis, 0, 0, c.y);
        w.rock().xt = c.xt;
        w.rock().yt = c.yt;
        w.g->passthrough = kTrue;
        plasma(*w.g, 1);
        EXPECT_EQ(w.rock().xdis, c.exdis);
        EXPECT_EQ(w.rock().ydis, c.eydis);
        EXPECT_EQ(w.rock().x, kPlasmaX);
    }
}

} // namespace
} // namespace wh
