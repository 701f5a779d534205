// The Qt program's tick source: a timer armed with the absolute time the core's tick driver says
// is due next (a 100 ms grid point of the monotonic clock), or not armed at all while it sleeps,
// so the program sleeps between ticks and late wake-ups never add up.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

#include "shell/tick_driver.h"

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

    // `afterStep` runs after each step the driver ran.
    GridTicker(TickDriver& driver, std::function<void()> afterStep, Clock clock = monotonicMicroseconds,
               QObject* parent = nullptr, Wake wake = Wake::TimerFd);
    ~GridTicker() override;

    // Starts the grid at the current time; the first tick comes one period later.
    void start();
    void stop();
    // Before every call into the core but a step: the driver wakes, and the timer is armed at
    // once, so that a dialog's own event loop inside the call goes on ticking.
    void beforeCall();
    // After every call into the core: armed for the driver's next point, or not at all.
    void afterCall();
    bool asleep() const { return driver_.asleep(); }

    std::int64_t ticksRun() const { return driver_.stepsRun(); }
    // Times the timer has woken the event loop since start(): one per grid point when all goes
    // well.
    std::int64_t wakes() const { return wakes_; }
    // The clock time the timer was last set to wake at.
    std::int64_t armedFor() const { return armedFor_; }
    // The timer it got: the QTimer when asked for, or when the system gave no descriptor.
    Wake wake() const { return notifier_ ? Wake::TimerFd : Wake::QTimer; }

private:
    void onWake();
    // Aims the timer at the driver's next point, leaving it be when it is aimed there already.
    void rearm();
    void disarm();

    TickDriver& driver_;
    std::function<void()> afterStep_;
    Clock clock_;
    OwnedFd timerFd_;
    // Watches the timer; absent when the system gave no timer, and a millisecond QTimer
    // stands in.
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer fallback_;
    std::int64_t wakes_ = 0;
    bool armed_ = false;
    std::int64_t armedFor_ = 0;
};

}  // namespace tavori::qt
