// The 100 ms grid tick driven by a fast window timer: the tick source of the Windows program.
#pragma once

#include <windows.h>

#include <optional>

#include "shell/tick_grid.h"

namespace tavori::win32 {

// A window timer that only polls the 100 ms grid of the performance counter. Owns the timer:
// it is killed on stop() or when this object goes.
class GridTickTimer {
public:
    // Polling ten times a period keeps each step within about one poll of its grid point
    // (with the system timer at 1 ms; see FineTimerResolution).
    static constexpr UINT kPollMilliseconds = 10;

    GridTickTimer() = default;
    GridTickTimer(const GridTickTimer&) = delete;
    GridTickTimer& operator=(const GridTickTimer&) = delete;
    ~GridTickTimer() { stop(); }

    // Starts the grid from now and the poll timer on the window; false if no timer was made.
    bool start(HWND window, UINT_PTR timerId);

    // Kills the poll timer; the grid stays as it was. Safe to call more than once.
    void stop();

    // Called on each WM_TIMER with this timer's id: true when a grid point has passed since
    // the last step, so one step is due now.
    bool takeDue();

    bool isTimer(WPARAM timerId) const { return window_ != nullptr && timerId == timerId_; }

private:
    HWND window_ = nullptr;
    UINT_PTR timerId_ = 0;
    std::optional<TickGrid> grid_;
};

}  // namespace tavori::win32
