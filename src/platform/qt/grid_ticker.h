// The Qt program's tick source: a timer armed with the absolute time of each 100 ms grid point
// of the monotonic clock, so the program sleeps between ticks and late wake-ups never add up.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "shell/tick_grid.h"

namespace tavori::qt {

// Microseconds on CLOCK_MONOTONIC, the clock the timer sleeps on.
std::int64_t monotonicMicroseconds();

// A file descriptor closed when its owner goes.
class OwnedFd {
public:
    explicit OwnedFd(int fd = -1) : fd_(fd) {}
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    ~OwnedFd();
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

class GridTicker : public QObject {
    Q_OBJECT
public:
    // Reads the time in microseconds on CLOCK_MONOTONIC's scale; tests pass their own.
    using Clock = std::function<std::int64_t()>;
    // What wakes the event loop at each grid point: a timer descriptor where the system gives
    // one (Linux's timerfd), else a millisecond QTimer; or the QTimer whatever the system has.
    enum class Wake { TimerFd, QTimer };

    explicit GridTicker(std::function<void()> onTick, Clock clock = monotonicMicroseconds,
                        QObject* parent = nullptr, Wake wake = Wake::TimerFd);
    ~GridTicker() override;

    // Starts the grid at the current time; the first tick comes one period later.
    void start();
    void stop();
    // While asleep the timer is not armed at all. Woken, it skips the grid points it slept
    // through and ticks at the next one, as it would have had each of them run a step that
    // changed nothing.
    void setAsleep(bool asleep);
    bool asleep() const { return asleep_; }

    std::int64_t ticksRun() const { return grid_ ? grid_->stepsTaken() : 0; }
    // Times the timer has woken the event loop since start(): one per grid point when all goes
    // well.
    std::int64_t wakes() const { return wakes_; }
    // The clock time the timer is set to wake at next.
    std::int64_t armedFor() const { return armedFor_; }
    // The timer it got: the QTimer when asked for, or when the system gave no descriptor.
    Wake wake() const { return notifier_ ? Wake::TimerFd : Wake::QTimer; }

private:
    void onWake();
    void arm();
    void disarm();

    std::function<void()> onTick_;
    Clock clock_;
    OwnedFd timerFd_;
    // Watches the timer; absent when the system gave no timer, and a millisecond QTimer
    // stands in.
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer fallback_;
    std::optional<TickGrid> grid_;
    std::int64_t wakes_ = 0;
    bool asleep_ = false;
    std::int64_t armedFor_ = 0;
};

}  // namespace tavori::qt
