// The Linux program's footprint: time from entering main to the first presented frame,
// resident memory after start-up, and CPU use while each exercise idles on its tick, with the
// window presenting only what changed, glyphs kept and the tick asleep while the core waits for
// input (as built) beside the earlier design of a whole-window present at every step, every
// glyph rendered afresh and a tick at every grid point.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

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

    // Each exercise idles first as built, then as the earlier design drew it.
    const auto earlierDesign = [&window](bool earlier) {
        window.screen().setPresentWholeWindow(earlier);
        window.setTickMaySleep(!earlier);
        const std::size_t entries = earlier ? 0 : 4096;
        window.screen().canvas().setGlyphCacheLimits(entries, 24u << 20);
        dynamic_cast<tavori::qt::QtCanvas&>(window.platform().workBitmap()).setGlyphCacheLimits(entries, 24u << 20);
    };
    const auto idleCpu = [idleSeconds] {
        const double before = cpuSeconds();
        wait(idleSeconds * 1000);
        return 100.0 * (cpuSeconds() - before) / idleSeconds;
    };
    tavori::App& app = window.app();
    const std::pair<const char*, std::function<void()>> exercises[] = {
        {"image practice (start screen)", [] {}},
        // A click starts a question; after the 0.5 s flash the answer rows redraw at every step.
        {"image practice (answer phase)", [&app] { app.mouseDown(10, 10); }},
        {"speed reading, 16 rows, 0.1 s", [&window] { window.runCommand(251); window.runCommand(736); }},
        {"maze 10x10", [&window] { window.runCommand(703); }},
        {"puzzle", [&window] { window.runCommand(737); }}};
    std::printf("\n| CPU while idle, %d s each | earlier design | as built |\n|---|---|---|\n", idleSeconds);
    for (const auto& [name, enter] : exercises) {
        if (std::string(name).find(only) == std::string::npos) {
            continue;
        }
        enter();
        window.screen().present();
        wait(1000);
        const double built = idleCpu();
        earlierDesign(true);
        const double earlier = idleCpu();
        earlierDesign(false);
        std::printf("| %s | %.2f %% | %.2f %% |\n", name, earlier, built);
        std::fflush(stdout);
    }
    if (!only.empty()) {
        return 0;
    }
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
        tavori::qt::GridTicker tick([&window] { window.app().tick(); });
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
