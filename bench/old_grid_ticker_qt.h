// The Linux tick as it was before the timer descriptor, kept only for comparison: a millisecond
// QTimer set to the millisecond before each grid point, then re-armed with 0 ms until it passes.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <optional>

#include "shell/tick_grid.h"

namespace tavori::bench {

class PollingGridTicker {
public:
    explicit PollingGridTicker(std::function<void()> onTick) : onTick_(std::move(onTick)) {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] { onTimer(); });
    }

    void start() {
        clock_.start();
        grid_.emplace(elapsedMicroseconds());
        scheduleNext();
    }
    void stop() { timer_.stop(); }
    std::int64_t wakes() const { return wakes_; }

private:
    std::int64_t elapsedMicroseconds() const { return clock_.nsecsElapsed() / 1000; }

    void onTimer() {
        ++wakes_;
        if (grid_->takeDue(elapsedMicroseconds())) {
            onTick_();
        }
        scheduleNext();
    }

    void scheduleNext() {
        const std::int64_t wait = grid_->nextDueMicroseconds() - elapsedMicroseconds();
        timer_.start(static_cast<int>(std::max<std::int64_t>(0, wait / 1000)));
    }

    std::function<void()> onTick_;
    QTimer timer_;
    QElapsedTimer clock_;
    std::optional<TickGrid> grid_;
    std::int64_t wakes_ = 0;
};

}  // namespace tavori::bench
