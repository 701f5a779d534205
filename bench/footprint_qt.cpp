// The Linux program's footprint: time from entering main to the first presented frame,
// resident memory after start-up, and CPU use while each exercise idles on its tick, in a window
// as built (the screen's memory, glyphs kept, only what changed presented, the tick asleep while
// no step could change the screen) beside one whose tick sleeps only while the core waits for
// input (the tick before its driver) and one of the earlier design (every drawing passed on,
// every glyph rendered afresh, a whole-window present at every step, a tick at every grid point).
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "called_steps.h"
#include "main_window.h"
#include "old_grid_ticker_qt.h"

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return 0;
}

void wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Notes when the client area is first painted, that is presented.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {}
    qint64 microseconds = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && microseconds < 0) {
            microseconds = clock_.nsecsElapsed() / 1000;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    // Every window starts as a first run, whatever the user has kept.
    const QTemporaryDir configuration;
    qputenv("TAVORI_CONFIG_DIR", configuration.path().toLocal8Bit());
    const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    // An optional second argument measures only the exercises whose name holds it.
    const std::string only = argc > 2 ? argv[2] : "";

    tavori::qt::MainWindow window(tavori::AppConfig{1, ""});
    FirstPaint firstPaint(clock);
    window.screen().installEventFilter(&firstPaint);
    window.startUp();
    while (firstPaint.microseconds < 0 && clock.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    // Only the first paint is timed; the idle figures below are the program's own.
    window.screen().removeEventFilter(&firstPaint);
    wait(1000);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("| measure | value |\n|---|---|\n");
    std::printf("| start-up to first presented frame (from main) | %.1f ms |\n", static_cast<double>(firstPaint.microseconds) / 1000.0);
    std::printf("| resident memory 1 s after start-up | %.1f MiB |\n", static_cast<double>(residentKilobytes()) / 1024.0);

    // The start-up window rests while the others are measured.
    window.ticker().stop();
    window.hide();
    const auto idleCpu = [idleSeconds] {
        const double before = cpuSeconds();
        wait(idleSeconds * 1000);
        return 100.0 * (cpuSeconds() - before) / idleSeconds;
    };
    // Each exercise idles in a window of its own: as built, with the tick asleep only while the
    // core waits for input, and as the earlier design.
    enum class Design { Built, TickSleepsOnlyForInput, Earlier };
    const auto idleIn = [&idleCpu](Design design, const std::function<void(tavori::qt::MainWindow&)>& enter) {
        const bool earlier = design == Design::Earlier;
        // A folder of its own, so that no window starts from what the one before it kept.
        const QTemporaryDir ownConfiguration;
        qputenv("TAVORI_CONFIG_DIR", ownConfiguration.path().toLocal8Bit());
        tavori::AppConfig config{1, ""};
        config.remembersScreen = !earlier;
        tavori::qt::WindowOptions options;
        if (earlier) {
            options = tavori::qt::WindowOptions{tavori::GlyphLimits{0, 0}, true, tavori::TickSleep::Never};
        }
        if (design == Design::TickSleepsOnlyForInput) options.tickSleep = tavori::TickSleep::WhileWaitingForInput;
        tavori::qt::MainWindow measured(std::move(config), options);
        measured.startUp();
        wait(500);
        enter(measured);
        wait(1000);
        return idleCpu();
    };
    using Window = tavori::qt::MainWindow;
    const std::pair<const char*, std::function<void(Window&)>> exercises[] = {
        {"image practice (start screen)", [](Window&) {}},
        // A click starts a question; after the 0.5 s flash the answer rows redraw at every step.
        {"image practice (answer phase)", [](Window& w) { w.app().mouseDown(10, 10); }},
        {"speed reading, 16 rows, 0.1 s", [](Window& w) { w.runCommand(251); w.runCommand(736); }},
        // The same page in sixteen columns (縦書き).
        {"speed reading, 16 columns, 0.1 s", [](Window& w) { w.runCommand(251); w.runCommand(736); w.runCommand(915); }},
        // Two phrases a flash at 600 文字/分, beside the 0.1 s pages above.
        {"phrase flash, 2 phrases, 600 文字/分", [](Window& w) { w.runCommand(918); w.runCommand(954); }},
        {"speed reading, paused page", [](Window& w) { w.runCommand(251); w.runCommand(736); w.runCommand(911); }},
        {"maze 10x10", [](Window& w) { w.runCommand(703); }},
        // A reading test's first page on an easy passage: the clock runs, the page waits for →.
        {"reading test, reading a page", [](Window& w) {
             w.runCommand(971);
             wait(300);  // the next step loads the passage
             QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
             QCoreApplication::sendEvent(&w, &right);
         }},
        // Checked practice's question after a stretch paged with →, waiting for its answer.
        {"checked practice, a question waiting", [](Window& w) {
             w.runCommand(736);
             w.runCommand(920);
             for (int press = 0; press < 20 && !w.app().reading().checked.question; ++press) w.app().key(tavori::Key::Right);
         }},
        {"puzzle", [](Window& w) { w.runCommand(737); }}};
    std::printf("\n| CPU while idle, %d s each | earlier design | tick asleep only for input | as built |\n"
                "|---|---|---|---|\n", idleSeconds);
    for (const auto& [name, enter] : exercises) {
        if (std::string(name).find(only) == std::string::npos) {
            continue;
        }
        const double built = idleIn(Design::Built, enter);
        const double forInput = idleIn(Design::TickSleepsOnlyForInput, enter);
        const double earlier = idleIn(Design::Earlier, enter);
        std::printf("| %s | %.2f %% | %.2f %% | %.2f %% |\n", name, earlier, forInput, built);
        std::fflush(stdout);
    }
    if (!only.empty()) {
        return 0;
    }
    window.show();
    // The maze again with the tick the program had before, and each tick source stepping the
    // maze without presenting, which shows what the tick itself costs.
    window.runCommand(703);
    window.ticker().stop();
    const auto idleRow = [idleSeconds](const char* name) {
        const double before = cpuSeconds();
        wait(idleSeconds * 1000);
        std::printf("| CPU while idle in maze 10x10, %s, %d s | %.2f %% |\n", name, idleSeconds,
                    100.0 * (cpuSeconds() - before) / idleSeconds);
    };
    {
        tavori::bench::PollingGridTicker oldTick([&window] {
            window.app().tick();
            window.screen().update();
        });
        oldTick.start();
        idleRow("old polling tick");
        oldTick.stop();
    }
    {
        tavori::bench::CalledSteps steps([&window] { window.app().tick(); });
        tavori::TickDriver driver(steps, tavori::TickSleep::Never);
        tavori::qt::GridTicker tick(driver, [] {});
        tick.start();
        idleRow("tick and step only, no present");
    }
    {
        tavori::bench::PollingGridTicker oldTick([&window] { window.app().tick(); });
        oldTick.start();
        idleRow("old polling tick and step only, no present");
        oldTick.stop();
    }
    idleRow("no tick at all (the floor)");
    std::fflush(stdout);
    return 0;
}
