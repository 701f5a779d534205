// The monotonic clock behind the tick grid: the performance counter in microseconds.
#pragma once

#include <cstdint>

namespace tavori::win32 {

std::int64_t performanceCounterMicroseconds();

// Raises the system timer resolution to 1 ms while it lives, so the window timer that polls
// the tick grid fires close to its period rather than on the default 15.6 ms beat.
class FineTimerResolution {
public:
    FineTimerResolution();
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
    ~FineTimerResolution();

private:
    bool raised_;
};

}  // namespace tavori::win32
