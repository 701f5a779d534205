// Measures the Windows tick: tavori's grid tick (the program's own GridTickTimer) and a plain
// 100 ms SetTimer side by side on one window, with drift from the ideal 100 ms grid and per-tick
// lateness. Says in its heading when it runs under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "grid_tick_timer.h"
#include "tick_clock.h"
#include "tick_table.h"

namespace {

using tavori::bench::TickSeries;
using tavori::win32::FineTimerResolution;
using tavori::win32::GridTickTimer;
using tavori::win32::performanceCounterMicroseconds;

constexpr wchar_t kClassName[] = L"TavoriTickTiming";
constexpr UINT_PTR kGridTimerId = 1;
constexpr UINT_PTR kPlainTimerId = 2;
constexpr UINT_PTR kGiveUpTimerId = 3;
constexpr UINT kPlainPeriodMilliseconds = 100;
constexpr int kDefaultTicks = 600;
constexpr int kMostTicks = 100'000;  // under three hours; keeps the give-up delay in range

struct Measurement {
    int ticks = kDefaultTicks;
    std::int64_t start = 0;
    GridTickTimer grid;
    TickSeries gridSeries{"tavori grid tick (Win32)", {}};
    TickSeries plainSeries{"plain SetTimer 100 ms", {}};

    bool complete() const {
        return static_cast<int>(gridSeries.times.size()) >= ticks && static_cast<int>(plainSeries.times.size()) >= ticks;
    }
};

void onTimer(Measurement& measurement, WPARAM timerId) {
    if (measurement.grid.isTimer(timerId)) {
        if (measurement.grid.takeDue()) {
            measurement.gridSeries.times.push_back(performanceCounterMicroseconds() - measurement.start);
        }
    } else if (timerId == kPlainTimerId) {
        measurement.plainSeries.times.push_back(performanceCounterMicroseconds() - measurement.start);
    } else if (timerId == kGiveUpTimerId) {
        PostQuitMessage(1);
        return;
    }
    if (measurement.complete()) {
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK measurementWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_TIMER) {
        if (auto* measurement = reinterpret_cast<Measurement*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            onTimer(*measurement, wParam);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window that receives both timers; destroyed with this object.
class MeasurementWindow {
public:
    MeasurementWindow(HINSTANCE instance, Measurement& measurement)
        : window_(CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, &measurement)) {}
    MeasurementWindow(const MeasurementWindow&) = delete;
    MeasurementWindow& operator=(const MeasurementWindow&) = delete;
    ~MeasurementWindow() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }
    HWND get() const { return window_; }

private:
    HWND window_;
};

// Wine's ntdll exports its version; Windows' does not.
bool runsUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

int tickCountFrom(int argc, char** argv) {
    if (argc < 2) {
        return kDefaultTicks;
    }
    const long asked = std::strtol(argv[1], nullptr, 10);
    return static_cast<int>(std::clamp<long>(asked, 1, kMostTicks));
}

}  // namespace

int main(int argc, char** argv) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = measurementWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassExW(&windowClass) == 0) {
        std::fprintf(stderr, "tick timing: cannot register the window class\n");
        return 1;
    }

    // The program raises the timer resolution for its whole run; so does the measurement.
    const FineTimerResolution timerResolution;
    Measurement measurement;
    measurement.ticks = tickCountFrom(argc, argv);
    const MeasurementWindow window(instance, measurement);
    if (window.get() == nullptr) {
        std::fprintf(stderr, "tick timing: cannot create the window\n");
        return 1;
    }

    // Twice the ideal time and ten seconds more: a timer that never fires ends the run.
    const UINT giveUpMilliseconds = static_cast<UINT>(measurement.ticks) * 2 * kPlainPeriodMilliseconds + 10'000;
    measurement.start = performanceCounterMicroseconds();
    if (!measurement.grid.start(window.get(), kGridTimerId) ||
        SetTimer(window.get(), kPlainTimerId, kPlainPeriodMilliseconds, nullptr) == 0 ||
        SetTimer(window.get(), kGiveUpTimerId, giveUpMilliseconds, nullptr) == 0) {
        std::fprintf(stderr, "tick timing: cannot start the timers\n");
        return 1;
    }

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    measurement.grid.stop();
    KillTimer(window.get(), kPlainTimerId);
    KillTimer(window.get(), kGiveUpTimerId);

    const bool complete = measurement.complete();
    if (complete) {
        measurement.gridSeries.times.resize(static_cast<std::size_t>(measurement.ticks));
        measurement.plainSeries.times.resize(static_cast<std::size_t>(measurement.ticks));
    } else {
        std::fprintf(stderr, "tick timing: gave up before %d ticks of each source\n", measurement.ticks);
    }
    tavori::bench::printTickTable(runsUnderWine() ? " under Wine" : " on Windows", measurement.ticks,
                                  {&measurement.gridSeries, &measurement.plainSeries});
    return complete ? 0 : 1;
}
