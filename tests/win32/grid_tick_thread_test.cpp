// The tick thread posts at most one tick message at a time: points that pass while one waits
// are skipped, not queued; asleep, it posts none.
#include "grid_tick_thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace tavori::win32 {
namespace {

constexpr UINT kTick = WM_APP + 7;

// A message-only window of this thread, where the ticks queue up unhandled.
class MessageWindow {
public:
    MessageWindow() : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    ~MessageWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

int takeQueuedTicks(HWND window) {
    MSG message{};
    int count = 0;
    while (PeekMessageW(&message, window, kTick, kTick, PM_REMOVE)) {
        ++count;
    }
    return count;
}

void waitForPoints(const GridTickThread& tick, std::int64_t points) {
    for (int round = 0; round < 100'000 && tick.pointsTaken() < points; ++round) {
        Sleep(0);
    }
    ASSERT_GE(tick.pointsTaken(), points);
}

TEST(GridTickThread, PostsNoSecondTickWhileOneIsPendingAndNoneAsleep) {
    // Each reading of this clock is one period on, so the thread finds a point due at every pass.
    std::atomic<std::int64_t> now{0};
    GridTickThread tick([&now] { return now.fetch_add(100'000); });
    const MessageWindow window;
    ASSERT_TRUE(tick.start(window.get(), kTick));
    waitForPoints(tick, 50);
    EXPECT_EQ(takeQueuedTicks(window.get()), 1);
    tick.acknowledge();  // as the window does when it handles the tick
    waitForPoints(tick, tick.pointsTaken() + 50);
    EXPECT_EQ(takeQueuedTicks(window.get()), 1);
    // Asleep, it takes no point at all however far the clock runs; woken, it posts again.
    tick.setAsleep(true);
    Sleep(20);
    takeQueuedTicks(window.get());
    tick.acknowledge();
    const std::int64_t asleepAt = tick.pointsTaken();
    Sleep(50);
    EXPECT_EQ(tick.pointsTaken(), asleepAt);
    EXPECT_EQ(takeQueuedTicks(window.get()), 0);
    tick.setAsleep(false);
    waitForPoints(tick, asleepAt + 50);
    EXPECT_EQ(takeQueuedTicks(window.get()), 1);
    tick.stop();
    EXPECT_EQ(takeQueuedTicks(window.get()), 0);
}

}  // namespace
}  // namespace tavori::win32
