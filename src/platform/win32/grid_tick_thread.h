// The Windows tick source: a thread that sleeps until the time the window's thread asks for (the
// tick driver's next grid point) and posts one tick message to the window then, so the window's
// thread wakes once per point, modal loops tick too, and nothing wakes while the tick sleeps.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "unique_handle.h"
#include "tick_clock.h"

namespace tavori::win32 {

// Owns the timer thread: stop() (or the end of this object) wakes it and waits for it to end.
// The thread only waits and posts; the driver's decisions and every step run on the window's
// thread when it handles the message.
class GridTickThread {
public:
    // Reads the time in microseconds; the performance counter unless a test passes its own.
    // Called on both threads.
    using Clock = std::function<std::int64_t()>;

    explicit GridTickThread(Clock clock = performanceCounterMicroseconds);
    GridTickThread(const GridTickThread&) = delete;
    GridTickThread& operator=(const GridTickThread&) = delete;
    ~GridTickThread() { stop(); }

    // Starts the thread that posts `message` to `window`, not yet armed; false if the thread or
    // its timer could not be made.
    bool start(HWND window, UINT message);

    // Ends the thread and waits for it. Safe to call more than once.
    void stop();

    // Called by the window's thread after each call into the core: the message is posted once,
    // at `due` on the clock, or not at all for none. Each call replaces the time before it, so at
    // most one message is ever pending and a slow step leaves no queue of ticks behind it.
    void armFor(std::optional<std::int64_t> due);

    std::int64_t now() const { return clock_(); }
    // Tick messages posted so far.
    std::int64_t posts() const { return posts_.load(); }
    // True when the timer sleeps at sub-millisecond precision by itself, without a raised
    // system timer rate.
    bool highResolution() const { return highResolution_; }

private:
    static constexpr std::int64_t kNotArmed = INT64_MIN;

    static DWORD WINAPI threadMain(LPVOID self);
    void run();
    // Sleeps `microseconds`, until re-armed or until stop(); false when stopping.
    bool sleepFor(std::int64_t microseconds);
    // Sleeps until re-armed or stop(); false when stopping.
    bool sleepUntilArmed();

    Clock clock_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    KernelHandle timer_;
    KernelHandle stopEvent_;
    KernelHandle armEvent_;
    KernelHandle thread_;
    bool highResolution_ = false;
    // Loaded only where the timer is not high-resolution by itself.
    std::unique_ptr<TimerPeriodCalls> periodCalls_;
    std::atomic<std::int64_t> due_{kNotArmed};
    std::atomic<bool> stopping_{false};
    std::atomic<std::int64_t> posts_{0};
};

}  // namespace tavori::win32
