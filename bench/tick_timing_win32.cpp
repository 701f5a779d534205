// Measures the Windows tick: tavori's tick thread, the 10 ms polling timer it replaced and a
// plain 100 ms SetTimer side by side on one window, with drift from the ideal 100 ms grid and
// per-tick lateness; how often the window's thread wakes while the program idles in a maze
// with nothing drawn, with each tick source; and the program's CPU and wake-ups while steps only
// repeat, with the tick asleep then (as built) and with it asleep only in a maze (before). Says
// in its heading when it runs under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "called_steps.h"
#include "grid_tick_thread.h"
#include "main_window.h"
#include "menu_bar.h"
#include "old_grid_tick_timer.h"
#include "shell/menu.h"
#include "shell/tick_driver.h"
#include "tick_clock.h"
#include "tick_table.h"

namespace {

using tavori::bench::PollingGridTickTimer;
using tavori::bench::TickSeries;
using tavori::win32::GridTickThread;
using tavori::win32::performanceCounterMicroseconds;

constexpr wchar_t kClassName[] = L"TavoriTickTiming";
constexpr UINT kThreadTickMessage = WM_APP + 1;
constexpr UINT_PTR kPollingTimerId = 1;
constexpr UINT_PTR kPlainTimerId = 2;
constexpr UINT_PTR kGiveUpTimerId = 3;
constexpr UINT kPlainPeriodMilliseconds = 100;
constexpr int kDefaultTicks = 600;
constexpr int kMostTicks = 100'000;  // under three hours; keeps the give-up delay in range
constexpr int kDefaultIdleSeconds = 10;
constexpr WPARAM kMazeTenByTen = 703;

struct Measurement {
    int ticks = kDefaultTicks;
    std::int64_t start = 0;
    GridTickThread thread;
    tavori::bench::CalledSteps threadSteps{[] {}};
    tavori::TickDriver driver{threadSteps, tavori::TickSleep::Never};
    PollingGridTickTimer polling;
    TickSeries threadSeries{"tavori tick thread (Win32)", {}};
    TickSeries pollingSeries{"old grid tick (10 ms poll)", {}};
    TickSeries plainSeries{"plain SetTimer 100 ms", {}};
    // While the idle program is measured, the polling timer steps its App, as it used to.
    tavori::App* idleApp = nullptr;

    bool complete() const {
        return static_cast<int>(std::min({threadSeries.times.size(), pollingSeries.times.size(),
                                          plainSeries.times.size()})) >= ticks;
    }
    void note(TickSeries& series) { series.times.push_back(performanceCounterMicroseconds() - start); }
};

void onMessage(Measurement& measurement, UINT message, WPARAM timerId) {
    if (message == kThreadTickMessage) {
        measurement.driver.step(measurement.thread.now());
        measurement.thread.armFor(measurement.driver.nextDue());
    } else if (timerId == kPollingTimerId) {
        if (measurement.polling.takeDue()) {
            if (measurement.idleApp != nullptr) {
                measurement.idleApp->tick();
                return;
            }
            measurement.note(measurement.pollingSeries);
        }
    } else if (timerId == kPlainTimerId) {
        measurement.note(measurement.plainSeries);
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
    } else if (message == WM_TIMER || message == kThreadTickMessage) {
        if (auto* measurement = reinterpret_cast<Measurement*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            onMessage(*measurement, message, wParam);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window that receives the tick sources; destroyed with this object.
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

int argumentOr(int argc, char** argv, int index, int fallback, int most) {
    if (argc <= index) {
        return fallback;
    }
    return static_cast<int>(std::clamp<long>(std::strtol(argv[index], nullptr, 10), 1, most));
}

// Runs this thread's messages for `seconds` as the program's loop does, counting the times the
// thread is woken from its wait.
int countWakes(int seconds) {
    const std::int64_t end = performanceCounterMicroseconds() + std::int64_t{seconds} * 1'000'000;
    int wakes = 0;
    MSG message{};
    for (std::int64_t now = performanceCounterMicroseconds(); now < end; now = performanceCounterMicroseconds()) {
        const DWORD left = static_cast<DWORD>((end - now + 999) / 1000);
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT) == WAIT_OBJECT_0) {
            ++wakes;
        }
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return wakes;
}

// The program's own window idling in a 10 × 10 maze (drawn once, then nothing until a click),
// first with its tick thread, then with the old polling timer stepping it: the window thread's
// wake-ups per second with each.
void measureIdleWakes(HINSTANCE instance, Measurement& measurement, HWND measurementWindow, int seconds) {
    using namespace tavori::win32;
    WindowSession session(tavori::AppConfig{1, ""});
    session.menuBar = buildMenuBar();
    const HWND window = createMainWindow(instance, session, L"", 800, 600);
    if (window == nullptr) {
        std::fprintf(stderr, "tick timing: cannot create the program's window\n");
        return;
    }
    startTick(session);
    session.app.startUp();
    session.platform.createWorkBitmap();
    ShowWindow(window, SW_SHOWNORMAL);
    SendMessageW(window, WM_COMMAND, kMazeTenByTen, 0);
    countWakes(1);  // the first paint and the maze settle
    const double threadRate = static_cast<double>(countWakes(seconds)) / seconds;

    session.tick.stop();
    measurement.idleApp = &session.app;
    double pollingRate = 0;
    {
        const TimerPeriodCalls periodCalls;
        const FineTimerResolution wholeRun(periodCalls);  // as the program held it before
        measurement.polling.start(measurementWindow, kPollingTimerId);
        countWakes(1);
        pollingRate = static_cast<double>(countWakes(seconds)) / seconds;
        measurement.polling.stop();
    }
    measurement.idleApp = nullptr;
    DestroyWindow(window);

    std::printf("\nWindow-thread wake-ups per second, program idle in a 10x10 maze with nothing drawn, %d s each\n\n",
                seconds);
    std::printf("| %-28s | %10s |\n|------------------------------|------------|\n", "tick source", "wakes/s");
    std::printf("| %-28s | %10.1f |\n", "tavori tick thread (Win32)", threadRate);
    std::printf("| %-28s | %10.1f |\n", "old grid tick (10 ms poll)", pollingRate);
}

double processCpuSeconds() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](FILETIME time) {
        return static_cast<double>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// The program's window idling where steps only repeat what is on screen, with the tick asleep
// only while the core waits for input (before) and with the core's tick driver (as built): the
// process's CPU share and the window thread's wake-ups per second.
void measureRepeatingSteps(HINSTANCE instance, int seconds) {
    using namespace tavori::win32;
    using tavori::TickSleep;
    namespace CommandId = tavori::CommandId;
    const auto command = [](HWND window, int id) { SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); };
    const std::pair<const char*, std::function<void(HWND)>> places[] = {
        {"image practice (start screen)", [](HWND) {}},
        // A click starts a question; after its flash the answer rows stand.
        {"image practice (answer rows)", [](HWND window) {
             SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
             SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
         }},
        {"puzzle between moves", [command](HWND window) { command(window, CommandId::Puzzle); }},
        {"paused page", [command](HWND window) {
             command(window, CommandId::lines(16));
             command(window, CommandId::PauseOrResume);
         }},
    };
    std::printf("\nProgram idle where steps only repeat, %d s each: CPU share of one core and window-thread "
                "wake-ups per second\n\n", seconds);
    std::printf("| %-30s | %12s | %12s | %12s | %12s |\n", "place", "CPU before", "CPU as built", "wakes before",
                "wakes built");
    std::printf("|--------------------------------|--------------|--------------|--------------|--------------|\n");
    for (const auto& [name, enter] : places) {
        double cpu[2] = {}, wakes[2] = {};
        for (const int built : {0, 1}) {
            WindowSession session(tavori::AppConfig{1, ""},
                                  built ? TickSleep::WhileStepsOnlyRepeat : TickSleep::WhileWaitingForInput);
            session.menuBar = buildMenuBar();
            const HWND window = createMainWindow(instance, session, L"", 800, 600);
            if (window == nullptr) {
                std::fprintf(stderr, "tick timing: cannot create the program's window\n");
                return;
            }
            startTick(session);
            session.app.startUp();
            session.platform.createWorkBitmap();
            ShowWindow(window, SW_SHOWNORMAL);
            enter(window);
            countWakes(2);  // the flash ends and the picture settles
            const double before = processCpuSeconds();
            wakes[built] = static_cast<double>(countWakes(seconds)) / seconds;
            cpu[built] = 100.0 * (processCpuSeconds() - before) / seconds;
            DestroyWindow(window);
            MSG quit{};  // posted by WM_DESTROY for the program's loop
            PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        }
        std::printf("| %-30s | %10.2f %% | %10.2f %% | %12.1f | %12.1f |\n", name, cpu[0], cpu[1], wakes[0], wakes[1]);
        std::fflush(stdout);
    }
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

    if (!tavori::win32::registerMainWindowClass(instance)) {
        std::fprintf(stderr, "tick timing: cannot register the program's window class\n");
        return 1;
    }
    Measurement measurement;
    measurement.threadSteps.call = [&measurement] { measurement.note(measurement.threadSeries); };
    measurement.ticks = argumentOr(argc, argv, 1, kDefaultTicks, kMostTicks);
    const int idleSeconds = argumentOr(argc, argv, 2, kDefaultIdleSeconds, 3600);
    const MeasurementWindow window(instance, measurement);
    if (window.get() == nullptr) {
        std::fprintf(stderr, "tick timing: cannot create the window\n");
        return 1;
    }

    bool complete = false;
    {
        // The old design raised the timer resolution for the whole run; so does its row here.
        const tavori::win32::TimerPeriodCalls periodCalls;
        const tavori::win32::FineTimerResolution wholeRun(periodCalls);
        // Twice the ideal time and ten seconds more: a timer that never fires ends the run.
        const UINT giveUpMilliseconds = static_cast<UINT>(measurement.ticks) * 2 * kPlainPeriodMilliseconds + 10'000;
        measurement.start = performanceCounterMicroseconds();
        const bool threadStarted = measurement.thread.start(window.get(), kThreadTickMessage);
        measurement.driver.start(measurement.thread.now());
        measurement.thread.armFor(measurement.driver.nextDue());
        if (!threadStarted ||
            !measurement.polling.start(window.get(), kPollingTimerId) ||
            SetTimer(window.get(), kPlainTimerId, kPlainPeriodMilliseconds, nullptr) == 0 ||
            SetTimer(window.get(), kGiveUpTimerId, giveUpMilliseconds, nullptr) == 0) {
            std::fprintf(stderr, "tick timing: cannot start the timers\n");
            return 1;
        }
        MSG message{};
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            DispatchMessageW(&message);
        }
        measurement.thread.stop();
        measurement.polling.stop();
        KillTimer(window.get(), kPlainTimerId);
        KillTimer(window.get(), kGiveUpTimerId);
        complete = measurement.complete();
    }

    if (complete) {
        for (TickSeries* series : {&measurement.threadSeries, &measurement.pollingSeries, &measurement.plainSeries}) {
            series->times.resize(static_cast<std::size_t>(measurement.ticks));
        }
    } else {
        std::fprintf(stderr, "tick timing: gave up before %d ticks of each source\n", measurement.ticks);
    }
    std::printf("Tick thread timer: %s\n\n", measurement.thread.highResolution()
                                                   ? "high-resolution waitable timer"
                                                   : "waitable timer with the system timer at 1 ms while waiting");
    tavori::bench::printTickTable(runsUnderWine() ? " under Wine" : " on Windows", measurement.ticks,
                                  {&measurement.threadSeries, &measurement.pollingSeries, &measurement.plainSeries});
    std::fflush(stdout);
    measureIdleWakes(instance, measurement, window.get(), idleSeconds);
    measureRepeatingSteps(instance, idleSeconds);
    return complete ? 0 : 1;
}
