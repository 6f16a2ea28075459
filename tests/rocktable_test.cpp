// The rocks table: additions write the slot above rockcount and inherit what it last held; a
// full table refuses instead of writing past its end.
#include "world/rock.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace wh {
namespace {

TEST(RockTable, StartsEmptyAndZeroFilled) {
    auto t = std::make_unique<RockTable>();
    EXPECT_EQ(t->rockcount, 0);
    for (int i = 0; i <= kLastRockIndex; ++i) {
        ASSERT_EQ((*t)[i], Rock{}) << i;
    }
}

TEST(RockTable, AddWritesAboveRockcountAndRaisesIt) {
    auto t = std::make_unique<RockTable>();
    Rock* r = t->add();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(t->rockcount, 1);
    EXPECT_EQ(r, &(*t)[1]); // index 0 is never written by an addition
    r->type = RockType::gas;
    EXPECT_EQ((*t)[1].type, RockType::gas);
    EXPECT_EQ((*t)[0], Rock{});
}

TEST(RockTable, ReusedSlotKeepsFieldsTheAdderDoesNotWrite) {
    auto t = std::make_unique<RockTable>();
    Rock* old = t->add();
    *old = Rock{1, 2, 3, 4, 5, 6, RockType::explosion, 8, 9, 10, 11};
    t->rockcount = 0; // the slot is freed but keeps its contents
    Rock* fresh = t->add();
    ASSERT_EQ(fresh, old);
    fresh->type = RockType::liquid;
    fresh->count = 50;
    EXPECT_EQ(fresh->fullcount, 10);
    EXPECT_EQ(fresh->countstep, 11);
    EXPECT_EQ(fresh->xt, 1);
    EXPECT_EQ(fresh->subtype, 8);
}

TEST(RockTable, FullTableRefusesAndStaysAtItsLastIndex) {
    auto t = std::make_unique<RockTable>();
    for (int i = 1; i <= kLastRockIndex; ++i) {
        ASSERT_NE(t->add(), nullptr) << i;
    }
    EXPECT_EQ(t->rockcount, kLastRockIndex);
    EXPECT_EQ(t->add(), nullptr);
    EXPECT_EQ(t->rockcount, kLastRockIndex);
}

TEST(RockTable, OutOfRangeRockcountRefusesRatherThanWritingAnywhere) {
    auto t = std::make_unique<RockTable>();
    t->rockcount = -3;
    EXPECT_EQ(t->add(), nullptr);
    t->rockcount = 32000;
    EXPECT_EQ(t->add(), nullptr);
}

} // namespace
} // namespace wh
