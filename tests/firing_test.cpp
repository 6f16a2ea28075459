// Firing from the gun: the rock each weapon appends and its name, where it starts, the speed it
// leaves the gun with, the bomb rule, the timebomb's counters and the shot refused by a full table.
#include "app/game.hpp"
#include "app/numeric.hpp"
#include "vehicle/firing.hpp"
#include "vehicle/geometry.hpp"
#include "world/rockpass.hpp"
#include "worlds.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace wh {
namespace {

// The gun pivot in open air, the gun pointing 35 degrees above the horizontal to the right:
// the game's angles put the tip at (205, -143) from the pivot.
constexpr int32_t kGunX = 3000;
constexpr int16_t kGunY = 3000;
constexpr int32_t kTipX = kGunX + 205;
constexpr int16_t kTipY = kGunY - 143;

std::unique_ptr<Game> armed(int16_t weapon) {
    auto g = bareWorld();
    g->pi = 3.1415;
    g->degtorad = g->pi / 180;
    Vehicle& v = g->vehicle;
    v.gunx = kGunX;
    v.guny = kGunY;
    v.gunlength = 250;
    v.gunangle = -395;
    changeanglegun(*g);
    g->weapon = weapon;
    g->keys.firekey = kTrue;
    return g;
}

// What the slot held before the shot.
Rock leftover(int16_t type = RockType::gas) {
    Rock r;
    r.xt = 5;
    r.yt = 6;
    r.x = 1;
    r.y = 2;
    r.xdis = 3;
    r.ydis = 4;
    r.type = type;
    r.subtype = 4;
    r.count = 7;
    r.fullcount = 8;
    r.countstep = 9;
    return r;
}

double draw(Rng& rng) {
    return static_cast<double>(rng.nextSingle());
}

TEST(Firing, GunAtMinus395DegreesPointsAlong205Minus143) {
    auto g = armed(1);
    EXPECT_EQ(g->vehicle.guntipx, kTipX);
    EXPECT_EQ(g->vehicle.guntipy, kTipY);
}

TEST(Firing, EachWeaponAppendsItsRock) {
    struct Case {
        int16_t weapon;
        int16_t type;
        int16_t count, fullcount, countstep;
        const char* name; // what the status line and the help call it
    };
    // Fields a weapon does not set are the slot's: type gas, count 7, fullcount 8, countstep 9.
    const Case cases[] = {
        {0, RockType::gas, 7, 8, 9, "none"},
        {1, RockType::bullet, 7, 8, 9, "bullet"},
        {2, RockType::liquid, 65, 8, 9, "liquid"},
        {3, RockType::fire, 55, 8, 9, "fire"},
        {4, RockType::bomb, 7, 8, 9, "bomb"},
        {5, RockType::bulletbomb, 7, 8, 9, "bullet bomb"},
        {6, RockType::bigbomb, 7, 8, 9, "big bomb"},
        {7, RockType::missle, 7, 8, 9, "missile"},
        {8, RockType::multibomb, 7, 8, 9, "multi-bomb"},
        {9, RockType::timebomb, 15, 15, 1, "time bomb"},
        {10, RockType::nuke, 7, 8, 9, "nuke"},
        {11, RockType::proxbomb, 7, 8, 9, "proximity bomb"},
        {12, RockType::gas, 7, 8, 9, "none"},
        {-1, RockType::gas, 7, 8, 9, "none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weapon);
        EXPECT_STREQ(weaponName(c.weapon), c.name);
        auto g = armed(c.weapon);
        g->rocks[1] = leftover();
        Rng expect = g->rng;
        firing(*g);
        ASSERT_EQ(g->rocks.rockcount, 1);
        const Rock& r = g->rocks[1];
        EXPECT_EQ(r.type, c.type);
        EXPECT_EQ(r.count, c.count);
        EXPECT_EQ(r.fullcount, c.fullcount);
        EXPECT_EQ(r.countstep, c.countstep);
        EXPECT_EQ(r.subtype, 4);
        EXPECT_EQ(r.xt, 5);
        EXPECT_EQ(r.yt, 6);
        // The gun vector times 1.5: 307.5 and -214.5, both ties going to the even neighbour.
        EXPECT_EQ(r.xdis, 308);
        EXPECT_EQ(r.ydis, -214);
        if (c.weapon == 1) {
            // The bullet starts exactly at the tip and draws no random number.
            EXPECT_EQ(r.x, kTipX);
            EXPECT_EQ(r.y, kTipY);
        } else {
            EXPECT_EQ(r.x, nearest32(draw(expect) * 200 + kTipX - 100));
            EXPECT_EQ(r.y, nearest32(draw(expect) * 200 + kTipY - 100));
            EXPECT_GE(r.x, kTipX - 100);
            EXPECT_LE(r.x, kTipX + 100);
            EXPECT_GE(r.y, kTipY - 100);
            EXPECT_LE(r.y, kTipY + 100);
        }
        EXPECT_EQ(g->rng.state, expect.state);
    }
}

TEST(Firing, LaunchIsTheGunVectorTimesOneAndAHalf) {
    struct Case {
        int16_t dx, dy;
        int16_t xdis, ydis;
    };
    const Case cases[] = {
        {205, -143, 308, -214}, // 307.5, -214.5
        {3, 5, 4, 8},           // 4.5, 7.5
        {-3, -5, -4, -8},       {-250, 0, -375, 0}, {0, 250, 0, 375},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << " " << c.dy);
        auto g = armed(1);
        g->vehicle.guntipx = kGunX + c.dx;
        g->vehicle.guntipy = static_cast<int16_t>(kGunY + c.dy);
        firing(*g);
        EXPECT_EQ(g->rocks[1].xdis, c.xdis);
        EXPECT_EQ(g->rocks[1].ydis, c.ydis);
    }
}

TEST(Firing, BombRuleLooksAtTheLastRock) {
    struct Case {
        int16_t lastType;  // type of the rock at index rockcount
        int16_t rockcount; // 0: the rule reads index 0
        int16_t slotType;  // what the new slot held
        int16_t expected;
    };
    const Case cases[] = {
        {RockType::gas, 1, RockType::none, RockType::bomb},
        {RockType::bomb, 1, RockType::none, RockType::none},
        {RockType::bomb, 1, RockType::fire, RockType::fire},
        {RockType::bigbomb, 1, RockType::none, RockType::bomb},
        {RockType::none, 0, RockType::none, RockType::bomb},
        {RockType::bomb, 0, RockType::none, RockType::none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lastType << " " << c.rockcount << " " << c.slotType);
        auto g = armed(4);
        g->rocks[c.rockcount].type = c.lastType;
        g->rocks.rockcount = c.rockcount;
        g->rocks[c.rockcount + 1].type = c.slotType;
        firing(*g);
        EXPECT_EQ(g->rocks.rockcount, c.rockcount + 1);
        EXPECT_EQ(g->rocks[c.rockcount + 1].type, c.expected);
    }
}

TEST(Firing, HeldBombFireWaitsForTheLastBomb) {
    auto g = armed(4);
    firing(*g);
    rockpass(*g);
    ASSERT_EQ(g->rocks.rockcount, 1);
    EXPECT_EQ(g->rocks[1].type, RockType::bomb);
    // Each further shot lands in a never-used slot as type none and the same pass removes it.
    for (int pass = 0; pass < 4; ++pass) {
        firing(*g);
        EXPECT_EQ(g->rocks.rockcount, 2);
        EXPECT_EQ(g->rocks[2].type, RockType::none);
        rockpass(*g);
        EXPECT_EQ(g->rocks.rockcount, 1);
        EXPECT_EQ(g->rocks[1].type, RockType::bomb);
    }
    // Once something else sits above the bomb, the next shot is a bomb again.
    Rock* gas = g->rocks.add();
    ASSERT_NE(gas, nullptr);
    gas->type = RockType::gas;
    firing(*g);
    EXPECT_EQ(g->rocks.rockcount, 3);
    EXPECT_EQ(g->rocks[3].type, RockType::bomb);
}

TEST(Firing, WeaponZeroInANeverUsedSlotLeavesNothing) {
    auto g = armed(0);
    firing(*g);
    EXPECT_EQ(g->rocks.rockcount, 1);
    EXPECT_EQ(g->rocks[1].type, RockType::none);
    rockpass(*g);
    EXPECT_EQ(g->rocks.rockcount, 0);
}

TEST(Firing, ASlotThatHeldATimebombGetsFreshCounters) {
    // No type written by weapon 0, but the slot's old timebomb is still there: its counters are
    // set as for a fired one.
    auto g = armed(0);
    g->rocks[1] = leftover(RockType::timebomb);
    firing(*g);
    EXPECT_EQ(g->rocks[1].type, RockType::timebomb);
    EXPECT_EQ(g->rocks[1].count, 15);
    EXPECT_EQ(g->rocks[1].fullcount, 15);
    EXPECT_EQ(g->rocks[1].countstep, 1);
}

TEST(Firing, OnlyWhileTheFireKeyIsHeld) {
    for (int16_t key : {kFalse, int16_t{1}}) {
        SCOPED_TRACE(key);
        auto g = armed(6);
        g->keys.firekey = key;
        const Rng before = g->rng;
        firing(*g);
        EXPECT_EQ(g->rocks.rockcount, 0);
        EXPECT_EQ(g->rocks[1], Rock{});
        EXPECT_EQ(g->rng.state, before.state);
    }
}

TEST(Firing, FullTableRefusesTheShot) {
    auto g = armed(6);
    g->rocks.rockcount = kLastRockIndex;
    g->rocks[kLastRockIndex] = leftover();
    const Rng before = g->rng;
    firing(*g);
    EXPECT_EQ(g->rocks.rockcount, kLastRockIndex);
    EXPECT_EQ(g->rocks[kLastRockIndex], leftover());
    EXPECT_EQ(g->rng.state, before.state);

    // One slot left: the shot takes it.
    g->rocks.rockcount = kLastRockIndex - 1;
    firing(*g);
    EXPECT_EQ(g->rocks.rockcount, kLastRockIndex);
    EXPECT_EQ(g->rocks[kLastRockIndex].type, RockType::bigbomb);
}

} // namespace
} // namespace wh
