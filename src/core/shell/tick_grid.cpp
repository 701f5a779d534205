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

void TickGrid::skipPassed(std::int64_t nowMicroseconds) {
    if (nowMicroseconds >= nextDueMicroseconds()) {
        taken_ = (nowMicroseconds - start_) / kPeriodMicroseconds;
    }
}

}  // namespace tavori
