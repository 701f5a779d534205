// The Windows tick source: a thread that sleeps until each 100 ms grid point and posts one tick
// message to the window, so the window's thread wakes once per point and modal loops tick too.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "unique_handle.h"
#include "shell/tick_grid.h"
#include "tick_clock.h"

namespace tavori::win32 {

// Owns the timer thread: stop() (or the end of this object) wakes it and waits for it to end.
// Only the grid's bookkeeping runs on that thread; every step runs on the window's thread when
// it handles the message.
class GridTickThread {
public:
    // Reads the time in microseconds; the performance counter unless a test passes its own.
    // Called on the timer thread.
    using Clock = std::function<std::int64_t()>;

    explicit GridTickThread(Clock clock = performanceCounterMicroseconds);
    GridTickThread(const GridTickThread&) = delete;
    GridTickThread& operator=(const GridTickThread&) = delete;
    ~GridTickThread() { stop(); }

    // Starts the grid from now and the thread that posts `message` to `window` at each point;
    // false if the thread or its timer could not be made.
    bool start(HWND window, UINT message);

    // Ends the thread and waits for it. Safe to call more than once.
    void stop();

    // Called by the window's thread as it handles the tick message: from now on the next point
    // may post again. Points that pass while a message waits are skipped, so a slow step never
    // leaves a queue of ticks behind it.
    void acknowledge() { pending_.store(false); }

    // Called by the window's thread after each call into the core. While asleep the thread
    // waits for no grid point and posts nothing; woken, it skips the points it slept through
    // and posts at the next one, as it would have had each of them run a step that changed
    // nothing.
    void setAsleep(bool asleep);

    // Grid points the thread has taken so far, posted or skipped.
    std::int64_t pointsTaken() const { return pointsTaken_.load(); }
    // True when the timer sleeps at sub-millisecond precision by itself, without a raised
    // system timer rate.
    bool highResolution() const { return highResolution_; }

private:
    static DWORD WINAPI threadMain(LPVOID self);
    void run();
    // Sleeps `microseconds` or until stop(); false when stopping.
    bool sleepFor(std::int64_t microseconds);
    // Sleeps until setAsleep(false) or stop(); false when stopping.
    bool sleepUntilWoken();

    Clock clock_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    KernelHandle timer_;
    KernelHandle stopEvent_;
    KernelHandle wakeEvent_;
    KernelHandle thread_;
    bool highResolution_ = false;
    // Loaded only where the timer is not high-resolution by itself.
    std::unique_ptr<TimerPeriodCalls> periodCalls_;
    std::optional<TickGrid> grid_;  // the timer thread's while it runs
    std::atomic<bool> pending_{false};
    std::atomic<bool> stopping_{false};
    std::atomic<bool> asleep_{false};
    std::atomic<std::int64_t> pointsTaken_{0};
};

}  // namespace tavori::win32
