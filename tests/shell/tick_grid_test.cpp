// The tick grid: one step per 100 ms grid point, no drift from late timers, no burst after
// a stall.
#include <gtest/gtest.h>

#include "shell/tick_grid.h"

namespace tavori {
namespace {

TEST(TickGrid, NothingIsDueBeforeTheFirstGridPoint) {
    TickGrid grid(1'000'000);
    EXPECT_FALSE(grid.takeDue(1'000'000));
    EXPECT_FALSE(grid.takeDue(1'099'999));
    EXPECT_EQ(grid.nextDueMicroseconds(), 1'100'000);
    EXPECT_TRUE(grid.takeDue(1'100'000));
    EXPECT_FALSE(grid.takeDue(1'100'001));  // taken once only
    EXPECT_EQ(grid.nextDueMicroseconds(), 1'200'000);
}

TEST(TickGrid, LateTimersDoNotPushLaterTicksBack) {
    TickGrid grid(0);
    // Each timer fires 15 ms late; after 50 ticks the grid still stands at 5.0 s.
    int steps = 0;
    for (int tick = 1; tick <= 50; ++tick) {
        steps += grid.takeDue(tick * 100'000 + 15'000) ? 1 : 0;
    }
    EXPECT_EQ(steps, 50);
    EXPECT_EQ(grid.nextDueMicroseconds(), 5'100'000);
}

TEST(TickGrid, AStallRunsOneStepAndSkipsTheMissedPoints) {
    TickGrid grid(0);
    EXPECT_TRUE(grid.takeDue(100'000));
    EXPECT_TRUE(grid.takeDue(750'000));  // 650 ms stall: one step, not six
    EXPECT_FALSE(grid.takeDue(760'000));
    EXPECT_EQ(grid.nextDueMicroseconds(), 800'000);
    EXPECT_EQ(grid.stepsTaken(), 2);
    // Slept through to 1.25 s: those points go without a step, and nothing earlier returns.
    EXPECT_EQ(grid.skipPassed(1'250'000), 5);  // 0.8 … 1.2 s
    EXPECT_EQ(grid.skipPassed(900'000), 0);
    EXPECT_FALSE(grid.takeDue(1'299'999));
    EXPECT_TRUE(grid.takeDue(1'300'000));
    EXPECT_EQ(grid.stepsTaken(), 3);
}

TEST(TickGrid, AFastTimerStepsOncePerGridPoint) {
    TickGrid grid(0);
    int steps = 0;
    for (std::int64_t now = 0; now <= 1'000'000; now += 1'000) {
        steps += grid.takeDue(now) ? 1 : 0;
    }
    EXPECT_EQ(steps, 10);
}

}  // namespace
}  // namespace tavori
