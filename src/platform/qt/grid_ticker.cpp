// The Linux tick source: a timer armed with the absolute time of each 100 ms grid point of the
// monotonic clock, so the program sleeps between ticks and late wake-ups never add up.
#include "grid_ticker.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <ctime>

namespace tavori::qt {

std::int64_t monotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

OwnedFd::~OwnedFd() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

GridTicker::GridTicker(std::function<void()> onTick, Clock clock, QObject* parent)
    : QObject(parent),
      onTick_(std::move(onTick)),
      clock_(std::move(clock)),
      timerFd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (timerFd_.valid()) {
        notifier_ = std::make_unique<QSocketNotifier>(timerFd_.get(), QSocketNotifier::Read);
        notifier_->setEnabled(false);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &GridTicker::onWake);
    }
    fallback_.setTimerType(Qt::PreciseTimer);
    fallback_.setSingleShot(true);
    connect(&fallback_, &QTimer::timeout, this, &GridTicker::onWake);
}

// The notifier goes before the descriptor it watches.
GridTicker::~GridTicker() { notifier_.reset(); }

void GridTicker::start() {
    grid_.emplace(clock_());
    wakes_ = 0;
    asleep_ = false;
    arm();
}

void GridTicker::stop() { disarm(); }

void GridTicker::setAsleep(bool asleep) {
    if (asleep == asleep_ || !grid_) {
        return;
    }
    asleep_ = asleep;
    if (asleep_) {
        disarm();
        return;
    }
    grid_->skipPassed(clock_());
    arm();
}

void GridTicker::disarm() {
    if (notifier_) {
        notifier_->setEnabled(false);
        const itimerspec disarmed{};
        timerfd_settime(timerFd_.get(), TFD_TIMER_ABSTIME, &disarmed, nullptr);
    }
    fallback_.stop();
}

void GridTicker::onWake() {
    ++wakes_;
    if (notifier_) {
        std::uint64_t expirations = 0;  // read to clear the descriptor's readiness
        [[maybe_unused]] const ssize_t bytes = ::read(timerFd_.get(), &expirations, sizeof expirations);
    }
    if (grid_->takeDue(clock_())) {
        onTick_();  // may put the ticker to sleep
    }
    if (!asleep_) {
        arm();
    }
}

void GridTicker::arm() {
    // Aim at the next grid point itself, not one period after this tick ran: the timer is
    // absolute, so neither this tick's lateness nor the step's own time moves the next one.
    armedFor_ = grid_->nextDueMicroseconds();
    if (notifier_) {
        itimerspec point{};
        point.it_value.tv_sec = static_cast<time_t>(armedFor_ / 1'000'000);
        point.it_value.tv_nsec = static_cast<long>(armedFor_ % 1'000'000) * 1000;
        if (timerfd_settime(timerFd_.get(), TFD_TIMER_ABSTIME, &point, nullptr) == 0) {
            notifier_->setEnabled(true);
            return;
        }
        notifier_->setEnabled(false);
    }
    // No timer descriptor: whole milliseconds rounded up, so the wake-up is at or after the
    // point, never a spin before it.
    const std::int64_t wait = armedFor_ - clock_();
    fallback_.start(static_cast<int>(std::max<std::int64_t>(0, (wait + 999) / 1000)));
}

}  // namespace tavori::qt
