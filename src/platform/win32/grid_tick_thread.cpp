// A waitable timer aimed at each point (high-resolution, or with the system timer at 1 ms while
// it waits), one tick message pending at a time, and an event that wakes the sleeping thread.
#include "grid_tick_thread.h"

namespace tavori::win32 {

namespace {

// Older headers lack it; systems before Windows 10 1803 refuse it, and the plain timer is used.
constexpr DWORD kHighResolutionTimer = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

KernelHandle createTimer(bool& highResolution) {
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
    highResolution = timer != nullptr;
    if (timer == nullptr) {
        timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    return KernelHandle(timer);
}

}  // namespace

GridTickThread::GridTickThread(Clock clock) : clock_(std::move(clock)) {}

bool GridTickThread::start(HWND window, UINT message) {
    stop();
    timer_ = createTimer(highResolution_);
    stopEvent_ = KernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    wakeEvent_ = KernelHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!timer_ || !stopEvent_ || !wakeEvent_) {
        return false;
    }
    if (!highResolution_ && !periodCalls_) {
        periodCalls_ = std::make_unique<TimerPeriodCalls>();
    }
    window_ = window;
    message_ = message;
    pending_.store(false);
    stopping_.store(false);
    asleep_.store(false);
    grid_.emplace(clock_());
    thread_ = KernelHandle(CreateThread(nullptr, 0, &GridTickThread::threadMain, this, 0, nullptr));
    return static_cast<bool>(thread_);
}

void GridTickThread::stop() {
    if (!thread_) {
        return;
    }
    stopping_.store(true);
    SetEvent(stopEvent_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
    thread_.reset();
}

DWORD WINAPI GridTickThread::threadMain(LPVOID self) {
    static_cast<GridTickThread*>(self)->run();
    return 0;
}

void GridTickThread::setAsleep(bool asleep) {
    if (asleep_.exchange(asleep) && !asleep && wakeEvent_) {
        SetEvent(wakeEvent_.get());
    }
}

void GridTickThread::run() {
    while (!stopping_.load()) {
        if (asleep_.load()) {
            if (!sleepUntilWoken()) {
                return;
            }
            if (!asleep_.load()) {
                grid_->skipPassed(clock_());
            }
            continue;
        }
        const std::int64_t now = clock_();
        const std::int64_t wait = grid_->nextDueMicroseconds() - now;
        if (wait > 0) {
            // Aimed at the point itself, measured on the grid's own clock at each wait, so a
            // late wake-up never moves the next point; an early one only waits the rest.
            if (!sleepFor(wait)) {
                return;
            }
            continue;
        }
        if (grid_->takeDue(now)) {
            pointsTaken_.fetch_add(1);
            if (!pending_.exchange(true) && !PostMessageW(window_, message_, 0, 0)) {
                pending_.store(false);
            }
        }
    }
}

bool GridTickThread::sleepUntilWoken() {
    const HANDLE handles[] = {stopEvent_.get(), wakeEvent_.get()};
    return WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

bool GridTickThread::sleepFor(std::int64_t microseconds) {
    // A relative time in 100 ns units: an absolute one would follow the wall clock, which
    // may be set back or forward while the program runs.
    LARGE_INTEGER due{};
    due.QuadPart = -microseconds * 10;
    std::optional<FineTimerResolution> fine;
    if (!highResolution_) {
        fine.emplace(*periodCalls_);
    }
    if (!SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, FALSE)) {
        const DWORD milliseconds = static_cast<DWORD>((microseconds + 999) / 1000);
        return WaitForSingleObject(stopEvent_.get(), milliseconds) == WAIT_TIMEOUT;
    }
    const HANDLE handles[] = {stopEvent_.get(), timer_.get()};
    return WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

}  // namespace tavori::win32
