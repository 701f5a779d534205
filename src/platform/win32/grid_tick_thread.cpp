// A waitable timer aimed at the time asked for (high-resolution, or with the system timer at 1 ms
// while it waits), and an event that wakes the thread when that time changes.
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
    armEvent_ = KernelHandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!timer_ || !stopEvent_ || !armEvent_) {
        return false;
    }
    if (!highResolution_ && !periodCalls_) {
        periodCalls_ = std::make_unique<TimerPeriodCalls>();
    }
    window_ = window;
    message_ = message;
    stopping_.store(false);
    due_.store(kNotArmed);
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

void GridTickThread::armFor(std::optional<std::int64_t> due) {
    const std::int64_t time = due.value_or(kNotArmed);
    if (due_.exchange(time) != time && armEvent_) {
        SetEvent(armEvent_.get());
    }
}

void GridTickThread::run() {
    while (!stopping_.load()) {
        std::int64_t due = due_.load();
        if (due == kNotArmed) {
            if (!sleepUntilArmed()) {
                return;
            }
            continue;
        }
        const std::int64_t wait = due - clock_();
        if (wait > 0) {
            // Aimed at the point itself, measured on the same clock at each wait, so a late
            // wake-up never moves the next point; an early one only waits the rest.
            if (!sleepFor(wait)) {
                return;
            }
            continue;
        }
        // Once per arming, unless the window's thread has asked for another time meanwhile.
        // Counted once posted, so a count seen by another thread means the message is queued.
        if (due_.compare_exchange_strong(due, kNotArmed)) {
            PostMessageW(window_, message_, 0, 0);
            posts_.fetch_add(1);
        }
    }
}

bool GridTickThread::sleepUntilArmed() {
    const HANDLE handles[] = {stopEvent_.get(), armEvent_.get()};
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
        const HANDLE handles[] = {stopEvent_.get(), armEvent_.get()};
        const DWORD result = WaitForMultipleObjects(2, handles, FALSE, milliseconds);
        return result != WAIT_OBJECT_0 && result != WAIT_FAILED;
    }
    const HANDLE handles[] = {stopEvent_.get(), armEvent_.get(), timer_.get()};
    const DWORD result = WaitForMultipleObjects(3, handles, FALSE, INFINITE);
    return result != WAIT_OBJECT_0 && result != WAIT_FAILED;
}

}  // namespace tavori::win32
