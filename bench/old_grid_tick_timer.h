// The Windows tick as it was before the timer thread, kept only for comparison: a 10 ms window
// timer that polls the 100 ms grid, with the system timer raised to 1 ms for the whole run.
#pragma once

#include <windows.h>

#include <optional>

#include "shell/tick_grid.h"
#include "tick_clock.h"

namespace tavori::bench {

class PollingGridTickTimer {
public:
    static constexpr UINT kPollMilliseconds = 10;

    PollingGridTickTimer() = default;
    PollingGridTickTimer(const PollingGridTickTimer&) = delete;
    PollingGridTickTimer& operator=(const PollingGridTickTimer&) = delete;
    ~PollingGridTickTimer() { stop(); }

    bool start(HWND window, UINT_PTR timerId) {
        stop();
        grid_.emplace(win32::performanceCounterMicroseconds());
        if (SetTimer(window, timerId, kPollMilliseconds, nullptr) == 0) {
            return false;
        }
        window_ = window;
        timerId_ = timerId;
        return true;
    }

    void stop() {
        if (window_ != nullptr) {
            KillTimer(window_, timerId_);
            window_ = nullptr;
        }
    }

    // On each WM_TIMER with this timer's id: true when a grid point has passed.
    bool takeDue() { return grid_ && grid_->takeDue(win32::performanceCounterMicroseconds()); }

    bool isTimer(WPARAM timerId) const { return window_ != nullptr && timerId == timerId_; }

private:
    HWND window_ = nullptr;
    UINT_PTR timerId_ = 0;
    std::optional<TickGrid> grid_;
};

}  // namespace tavori::bench
