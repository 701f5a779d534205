// The Linux tick source: a precise single-shot timer aimed at each 100 ms grid point of a
// monotonic clock, so late timer events never add up.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

#include "shell/tick_grid.h"

namespace tavori::qt {

class GridTicker : public QObject {
    Q_OBJECT
public:
    explicit GridTicker(std::function<void()> onTick, QObject* parent = nullptr);

    // Starts the grid at the current time; the first tick comes one period later.
    void start();
    void stop();

    std::int64_t ticksRun() const { return grid_ ? grid_->stepsTaken() : 0; }
    // Microseconds since start() on the monotonic clock.
    std::int64_t elapsedMicroseconds() const { return clock_.nsecsElapsed() / 1000; }

private:
    void onTimer();
    void scheduleNext();

    std::function<void()> onTick_;
    QTimer timer_;
    QElapsedTimer clock_;
    std::optional<TickGrid> grid_;
};

}  // namespace tavori::qt
