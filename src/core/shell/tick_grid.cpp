// The 100 ms tick on a fixed grid of a monotonic clock: lateness never accumulates.
#include "shell/tick_grid.h"

namespace tavori {

bool TickGrid::takeDue(std::int64_t nowMicroseconds) {
    if (nowMicroseconds < nextDueMicroseconds()) {
        return false;
    }
    // Skip to the latest grid point passed: after a stall one step runs, not a burst.
    taken_ = (nowMicroseconds - start_) / kPeriodMicroseconds;
    ++steps_;
    return true;
}

void TickGrid::skipPassed(std::int64_t nowMicroseconds) {
    if (nowMicroseconds >= nextDueMicroseconds()) {
        taken_ = (nowMicroseconds - start_) / kPeriodMicroseconds;
    }
}

}  // namespace tavori
