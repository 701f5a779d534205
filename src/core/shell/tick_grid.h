// The 100 ms tick on a fixed grid of a monotonic clock: lateness never accumulates.
#pragma once

#include <cstdint>

namespace tavori {

// A front end's timer may fire early, late or often; it asks the grid whether a step is due.
// One step per grid point passed; grid points missed in a stall are skipped, not replayed.
class TickGrid {
public:
    static constexpr std::int64_t kPeriodMicroseconds = 100'000;

    explicit TickGrid(std::int64_t startMicroseconds) : start_(startMicroseconds) {}

    // True when a grid point has passed since the last step; it is then taken.
    bool takeDue(std::int64_t nowMicroseconds);

    // Takes every grid point up to `nowMicroseconds` without a step: a tick that slept
    // through them while no step could change anything then steps at the following point, as
    // it would have had each of them run. Returns how many were taken.
    std::int64_t skipPassed(std::int64_t nowMicroseconds);

    // The time of the next grid point not yet taken.
    std::int64_t nextDueMicroseconds() const { return start_ + (taken_ + 1) * kPeriodMicroseconds; }

    // Grid points taken so far (the number of steps run).
    std::int64_t stepsTaken() const { return steps_; }

private:
    std::int64_t start_;
    std::int64_t taken_ = 0;  // index of the last grid point stepped or skipped
    std::int64_t steps_ = 0;
};

}  // namespace tavori
