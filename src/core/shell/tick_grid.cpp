// Taking a due step jumps to the latest grid point passed, so a stall gives one step, not a burst.
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

std::int64_t TickGrid::skipPassed(std::int64_t nowMicroseconds) {
    if (nowMicroseconds < nextDueMicroseconds()) {
        return 0;
    }
    const std::int64_t before = taken_;
    taken_ = (nowMicroseconds - start_) / kPeriodMicroseconds;
    return taken_ - before;
}

}  // namespace tavori
