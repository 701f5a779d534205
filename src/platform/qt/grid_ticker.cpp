// The tick on a timerfd where the build found one, and on a single-shot QTimer otherwise, each
// aimed at the absolute time of the next grid point the driver gives.
#include "grid_ticker.h"

#ifdef TAVORI_HAVE_TIMERFD
#include <sys/timerfd.h>
#endif
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

namespace tavori::qt {

namespace {

// A non-blocking timer descriptor on CLOCK_MONOTONIC, or -1 where there is none.
int openTimerFd([[maybe_unused]] GridTicker::Wake wake) {
#ifdef TAVORI_HAVE_TIMERFD
    if (wake == GridTicker::Wake::TimerFd) {
        return timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    }
#endif
    return -1;
}

// Sets the descriptor to fire at `microseconds` on CLOCK_MONOTONIC; 0 disarms it.
bool setTimerFd([[maybe_unused]] int fd, [[maybe_unused]] std::int64_t microseconds) {
#ifdef TAVORI_HAVE_TIMERFD
    itimerspec point{};
    point.it_value.tv_sec = static_cast<time_t>(microseconds / 1'000'000);
    point.it_value.tv_nsec = static_cast<long>(microseconds % 1'000'000) * 1000;
    return timerfd_settime(fd, TFD_TIMER_ABSTIME, &point, nullptr) == 0;
#else
    return false;
#endif
}

}  // namespace

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

GridTicker::GridTicker(TickDriver& driver, std::function<void()> afterStep, Clock clock, QObject* parent, Wake wake)
    : QObject(parent),
      driver_(driver),
      afterStep_(std::move(afterStep)),
      clock_(std::move(clock)),
      timerFd_(openTimerFd(wake)) {
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
    wakes_ = 0;
    driver_.start(clock_());
    rearm();
}

void GridTicker::stop() {
    driver_.stop();
    disarm();
}

void GridTicker::beforeCall() {
    driver_.wake(clock_());
    rearm();
}

void GridTicker::afterCall() {
    driver_.settle();
    rearm();
}

void GridTicker::disarm() {
    if (notifier_) {
        notifier_->setEnabled(false);
        setTimerFd(timerFd_.get(), 0);
    }
    fallback_.stop();
    armed_ = false;
}

void GridTicker::onWake() {
    ++wakes_;
    armed_ = false;  // both timers fire once per arming
    if (notifier_) {
        std::uint64_t expirations = 0;  // read to clear the descriptor's readiness
        [[maybe_unused]] const ssize_t bytes = ::read(timerFd_.get(), &expirations, sizeof expirations);
    }
    if (driver_.step(clock_())) {
        afterStep_();  // may put the tick to sleep
    }
    rearm();
}

void GridTicker::rearm() {
    const std::optional<std::int64_t> due = driver_.nextDue();
    if (!due) {
        if (armed_) disarm();
        return;
    }
    if (armed_ && armedFor_ == *due) {
        return;
    }
    // Aim at the next grid point itself, not one period after this tick ran: the timer is
    // absolute, so neither this tick's lateness nor the step's own time moves the next one.
    armedFor_ = *due;
    armed_ = true;
    if (notifier_) {
        if (setTimerFd(timerFd_.get(), armedFor_)) {
            notifier_->setEnabled(true);
            return;
        }
        notifier_->setEnabled(false);
    }
    // No timer descriptor: the wait to the same point, measured afresh at each arming so that
    // late wake-ups do not add up either; whole milliseconds rounded up, so the wake-up is at or
    // after the point, never a spin before it.
    const std::int64_t wait = armedFor_ - clock_();
    fallback_.start(static_cast<int>(std::max<std::int64_t>(0, (wait + 999) / 1000)));
}

}  // namespace tavori::qt
