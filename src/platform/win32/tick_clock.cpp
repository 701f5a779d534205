// The performance counter split into seconds and remainder so it cannot overflow, and
// timeBeginPeriod and timeEndPeriod found in winmm.dll at run time.
#include "tick_clock.h"

namespace tavori::win32 {

namespace {
constexpr UINT kFinestPeriodMilliseconds = 1;
constexpr UINT kTimerNoError = 0;  // TIMERR_NOERROR
}  // namespace

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

TimerPeriodCalls::TimerPeriodCalls()
    : winmm_(L"winmm.dll"),
      begin_(winmm_.find<PeriodCall>("timeBeginPeriod")),
      end_(winmm_.find<PeriodCall>("timeEndPeriod")) {}

bool TimerPeriodCalls::begin(UINT milliseconds) const {
    return begin_ != nullptr && end_ != nullptr && begin_(milliseconds) == kTimerNoError;
}

void TimerPeriodCalls::end(UINT milliseconds) const {
    if (end_ != nullptr) {
        end_(milliseconds);
    }
}

FineTimerResolution::FineTimerResolution(const TimerPeriodCalls& calls)
    : calls_(calls), raised_(calls.begin(kFinestPeriodMilliseconds)) {}

FineTimerResolution::~FineTimerResolution() {
    if (raised_) {
        calls_.end(kFinestPeriodMilliseconds);
    }
}

}  // namespace tavori::win32
