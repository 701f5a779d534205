// The tick grid and its driver: one step per 100 ms grid point, no drift from late timers, no
// burst after a stall, and asleep while no step could change the screen.
#include <gtest/gtest.h>

#include <optional>

#include "shell/tick_driver.h"
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

// A program whose state the test sets: whether it waits for input, whether its steps only
// repeat, and what the driver did to it.
struct ScriptedProgram final : Ticked {
    bool waits = false, repeats = false;
    int ticks = 0;
    std::int64_t passed = 0;
    void tick() override { ++ticks; }
    bool waitsForInput() const override { return waits; }
    bool stepsOnlyRepeat() const override { return repeats; }
    void passSteps(std::int64_t count) override { passed += count; }
};

// A step at 0.1 s leaves the program in a state; the next call comes at 0.75 s, and the grid
// point after it (0.8 s) steps once, never a burst for the points slept through.
TEST(TickDriver, SleepsByItsRuleAndWakesWithThePointsSleptThroughCountedAsRun) {
    const struct {
        const char* state;
        TickSleep rule;
        bool waits, repeats;
        bool asleep;
        std::int64_t handedOver;  // grid points 0.2 … 0.7 s passed to passSteps on waking
    } cases[] = {
        {"steps draw", TickSleep::WhileStepsOnlyRepeat, false, false, false, 0},
        {"steps only repeat", TickSleep::WhileStepsOnlyRepeat, false, true, true, 6},
        {"waits for input (a maze, or destroyed)", TickSleep::WhileStepsOnlyRepeat, true, false, true, 0},
        {"steps only repeat, earlier rule", TickSleep::WhileWaitingForInput, false, true, false, 0},
        {"waits for input, earlier rule", TickSleep::WhileWaitingForInput, true, false, true, 0},
        {"waits for input, never sleeping", TickSleep::Never, true, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        ScriptedProgram program;
        TickDriver driver(program, c.rule);
        driver.start(0);
        EXPECT_FALSE(driver.step(99'999));
        program.waits = c.waits, program.repeats = c.repeats;
        ASSERT_TRUE(driver.step(100'000));
        EXPECT_EQ(driver.asleep(), c.asleep);
        EXPECT_EQ(driver.nextDue(), c.asleep ? std::nullopt : std::optional<std::int64_t>(200'000));
        if (c.asleep) {
            EXPECT_FALSE(driver.step(650'000));  // a stray timer steps nothing asleep
        }
        EXPECT_EQ(driver.wake(750'000), c.handedOver);
        EXPECT_EQ(program.passed, c.handedOver);
        // Woken, it aims past the points slept through; awake, its timer was due all along.
        EXPECT_EQ(driver.nextDue(), c.asleep ? 800'000 : 200'000);
        program.waits = program.repeats = false;
        driver.settle();
        EXPECT_TRUE(driver.step(800'000));
        EXPECT_FALSE(driver.step(805'000));
        EXPECT_EQ(program.ticks, 2);
        EXPECT_EQ(driver.stepsRun(), 2);
    }
}

TEST(TickDriver, AStoppedTickOrAMissedSpanStepsNothingAndHandsNothingOver) {
    ScriptedProgram program;
    TickDriver driver(program);
    EXPECT_FALSE(driver.step(1'000'000));  // not started
    EXPECT_EQ(driver.nextDue(), std::nullopt);
    driver.start(0);
    program.repeats = true;
    ASSERT_TRUE(driver.step(100'000));
    // A hidden tab: the points up to 1.05 s are missed, not handed over as run.
    driver.skipMissed(1'050'000);
    EXPECT_EQ(driver.wake(1'060'000), 0);
    EXPECT_EQ(driver.nextDue(), 1'100'000);
    driver.stop();
    EXPECT_FALSE(driver.step(5'000'000));
    EXPECT_EQ(driver.wake(5'000'000), 0);
    EXPECT_EQ(driver.nextDue(), std::nullopt);
    EXPECT_EQ(program.ticks, 1);
    EXPECT_EQ(program.passed, 0);
}

}  // namespace
}  // namespace tavori
