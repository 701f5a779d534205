// The monotonic clock behind the tick grid (the performance counter in microseconds) and the
// system timer resolution a coarse timer needs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "system_library.h"

namespace tavori::win32 {

std::int64_t performanceCounterMicroseconds();

// winmm's timeBeginPeriod and timeEndPeriod, looked up in winmm.dll from the system folder.
class TimerPeriodCalls {
public:
    TimerPeriodCalls();
    TimerPeriodCalls(const TimerPeriodCalls&) = delete;
    TimerPeriodCalls& operator=(const TimerPeriodCalls&) = delete;

    bool begin(UINT milliseconds) const;
    void end(UINT milliseconds) const;

private:
    using PeriodCall = UINT(WINAPI*)(UINT);
    SystemLibrary winmm_;
    PeriodCall begin_;
    PeriodCall end_;
};

// Raises the system timer resolution to 1 ms while it lives, so a timer fires within about a
// millisecond of its time rather than on the default 15.6 ms beat. It costs the whole system
// a faster timer interrupt, so it is held only while a tick is awaited.
class FineTimerResolution {
public:
    explicit FineTimerResolution(const TimerPeriodCalls& calls);
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
    ~FineTimerResolution();

private:
    const TimerPeriodCalls& calls_;
    bool raised_;
};

}  // namespace tavori::win32
