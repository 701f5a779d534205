// The tick thread posts one tick message per arming, at the time asked for, and none unarmed;
// a new time replaces the one before, even in the middle of a long wait.
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

void waitForPosts(const GridTickThread& tick, std::int64_t posts) {
    for (int round = 0; round < 100'000 && tick.posts() < posts; ++round) {
        Sleep(0);
    }
    ASSERT_GE(tick.posts(), posts);
}

TEST(GridTickThread, PostsOncePerArmingAtItsTimeAndNoneUnarmed) {
    // The test's clock stands still at 1 s: a time at or before it is due at once, one after it
    // never comes.
    const std::atomic<std::int64_t> now{1'000'000};
    GridTickThread tick([&now] { return now.load(); });
    const MessageWindow window;
    ASSERT_TRUE(tick.start(window.get(), kTick));
    Sleep(30);
    EXPECT_EQ(takeQueuedTicks(window.get()), 0);  // not armed yet
    tick.armFor(900'000);
    waitForPosts(tick, 1);
    Sleep(30);
    EXPECT_EQ(takeQueuedTicks(window.get()), 1);  // once, however long the point lies behind
    // Armed for a time an hour on, then asked for one due now: the long wait gives way.
    tick.armFor(3'600'000'000);
    Sleep(20);
    tick.armFor(1'000'000);
    waitForPosts(tick, 2);
    EXPECT_EQ(takeQueuedTicks(window.get()), 1);
    // Unarmed before its time, it posts nothing.
    tick.armFor(3'600'000'000);
    tick.armFor(std::nullopt);
    Sleep(30);
    EXPECT_EQ(takeQueuedTicks(window.get()), 0);
    tick.stop();
    tick.armFor(0);
    Sleep(20);
    EXPECT_EQ(takeQueuedTicks(window.get()), 0);
    EXPECT_EQ(tick.posts(), 2);
}

}  // namespace
}  // namespace tavori::win32
