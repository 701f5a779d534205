// The 100 ms grid tick driven by a fast window timer: the tick source of the Windows program.
#include "grid_tick_timer.h"

#include "tick_clock.h"

namespace tavori::win32 {

bool GridTickTimer::start(HWND window, UINT_PTR timerId) {
    stop();
    grid_.emplace(performanceCounterMicroseconds());
    if (SetTimer(window, timerId, kPollMilliseconds, nullptr) == 0) {
        return false;
    }
    window_ = window;
    timerId_ = timerId;
    return true;
}

void GridTickTimer::stop() {
    if (window_ != nullptr) {
        KillTimer(window_, timerId_);
        window_ = nullptr;
    }
}

bool GridTickTimer::takeDue() {
    return grid_ && grid_->takeDue(performanceCounterMicroseconds());
}

}  // namespace tavori::win32
