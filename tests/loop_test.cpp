// The generator, the timer and the pacing of passes, against a fake clock.
#include "app/pacing.hpp"
#include "app/rng.hpp"
#include "app/timer.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace wh {
namespace {

TEST(Rng, SameSeedSameSequenceAndUniformInUnitInterval) {
    Rng a;
    Rng b;
    a.seed(42);
    b.seed(42);
    double sum = 0;
    for (int i = 0; i < 10000; ++i) {
        const float x = a.nextSingle();
        ASSERT_EQ(x, b.nextSingle());
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        sum += x;
    }
    EXPECT_NEAR(sum / 10000, 0.5, 0.02);
    Rng c;
    c.seed(43);
    a.seed(42);
    EXPECT_NE(a.next32(), c.next32());
}

TEST(Rng, KnownFirstOutputsOfPcg32) {
    // The reference generator's demo: seed 42, stream 54.
    Rng r;
    r.seed(42, 54);
    EXPECT_EQ(r.next32(), 0xa15c02b7u);
    EXPECT_EQ(r.next32(), 0x7b47f409u);
    EXPECT_EQ(r.next32(), 0xba1d3330u);
}

TEST(Timer, TicksOncePerIntervalAndNeverMakesUpMissedTicks) {
    Timer t;
    t.interval = 100;
    EXPECT_FALSE(t.due(1000)); // disabled
    t.setEnabled(true, 1000);
    EXPECT_FALSE(t.due(1099));
    EXPECT_TRUE(t.due(1100));
    EXPECT_FALSE(t.due(1150));
    EXPECT_TRUE(t.due(1700)); // six intervals late: one tick
    EXPECT_FALSE(t.due(1701));
    t.setEnabled(false, 1800);
    EXPECT_FALSE(t.due(5000));
}

TEST(Timer, SurvivesTheTickCounterWrap) {
    Timer t;
    t.interval = 100;
    t.setEnabled(true, 0xFFFFFFF0u);
    EXPECT_FALSE(t.due(0x00000010u));
    EXPECT_TRUE(t.due(0x00000054u));
}

struct FakeClock {
    uint32_t now = 0;
    uint32_t slept = 0;
    int spins = 0;
    uint32_t micros() const { return now; }
    void sleepMicros(uint32_t us) {
        slept += us;
        now += us + 70; // the system oversleeps a little
    }
    void spin() {
        ++spins;
        now += 50;
    }
};

TEST(Pacing, NoPassIsShorterThanSixteenMilliseconds) {
    for (uint32_t start : {0u, 123456u, 0xFFFFF000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(start);
        FakeClock c;
        c.now = start + 3000; // the pass's work took 3 ms
        waitPassEnd(start, c);
        EXPECT_GE(c.now - start, kPassMicros);
        EXPECT_LT(c.now - start, kPassMicros + 200);
        EXPECT_GT(c.slept, 11000u); // most of the wait is asleep
        EXPECT_LT(c.spins, 30);
    }
}

TEST(Pacing, ALongPassIsNotWaitedFor) {
    FakeClock c;
    c.now = 40000;
    waitPassEnd(0, c);
    EXPECT_EQ(c.now, 40000u);
    EXPECT_EQ(c.spins, 0);
    EXPECT_EQ(c.slept, 0u);
}

TEST(Pacing, RemainingTimeAcrossTheWrap) {
    EXPECT_EQ(passRemaining(0xFFFFFFF0u, 0x00000000u), kPassMicros - 16);
    EXPECT_EQ(passRemaining(100, 100), kPassMicros);
    EXPECT_EQ(passRemaining(100, 100 + kPassMicros), 0u);
}

} // namespace
} // namespace wh
