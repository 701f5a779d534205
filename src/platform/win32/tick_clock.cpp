// The monotonic clock behind the tick grid: the performance counter in microseconds.
#include "tick_clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace tavori::win32 {

namespace {
constexpr UINT kFinestPeriodMilliseconds = 1;
}

std::int64_t performanceCounterMicroseconds() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0 || !QueryPerformanceCounter(&counter)) {
        return static_cast<std::int64_t>(GetTickCount64()) * 1000;
    }
    // Whole seconds and the remainder apart, so counter × 1,000,000 cannot overflow.
    const std::int64_t seconds = counter.QuadPart / frequency.QuadPart;
    const std::int64_t rest = counter.QuadPart % frequency.QuadPart;
    return seconds * 1'000'000 + rest * 1'000'000 / frequency.QuadPart;
}

FineTimerResolution::FineTimerResolution()
    : raised_(timeBeginPeriod(kFinestPeriodMilliseconds) == TIMERR_NOERROR) {}

FineTimerResolution::~FineTimerResolution() {
    if (raised_) {
        timeEndPeriod(kFinestPeriodMilliseconds);
    }
}

}  // namespace tavori::win32
