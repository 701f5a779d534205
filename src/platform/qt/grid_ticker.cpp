// The Linux tick source: a precise single-shot timer aimed at each 100 ms grid point.
#include "grid_ticker.h"

namespace tavori::qt {

GridTicker::GridTicker(std::function<void()> onTick, QObject* parent)
    : QObject(parent), onTick_(std::move(onTick)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &GridTicker::onTimer);
}

void GridTicker::start() {
    clock_.start();
    grid_.emplace(elapsedMicroseconds());
    scheduleNext();
}

void GridTicker::stop() { timer_.stop(); }

void GridTicker::onTimer() {
    if (grid_->takeDue(elapsedMicroseconds())) {
        onTick_();
    }
    scheduleNext();
}

void GridTicker::scheduleNext() {
    // Aim at the next grid point itself, not one period after this tick ran. The timer counts
    // whole milliseconds, so it is set to the millisecond before the point; the check above
    // finds no step due then and waits out the remaining fraction.
    const std::int64_t wait = grid_->nextDueMicroseconds() - elapsedMicroseconds();
    timer_.start(static_cast<int>(std::max<std::int64_t>(0, wait / 1000)));
}

}  // namespace tavori::qt
