// Measures the Linux tick: tavori's grid tick and a plain 100 ms QTimer side by side, with
// total drift from the ideal 100 ms grid and per-tick lateness.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "grid_ticker.h"

namespace {

struct Series {
    const char* name;
    std::vector<std::int64_t> times;  // microseconds since the common start
};

void report(const Series& series, std::int64_t period) {
    std::vector<std::int64_t> lateness;
    for (std::size_t index = 0; index < series.times.size(); ++index) {
        lateness.push_back(series.times[index] - static_cast<std::int64_t>(index + 1) * period);
    }
    std::vector<std::int64_t> sorted = lateness;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double fraction) {
        return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(fraction * static_cast<double>(sorted.size())))];
    };
    const std::size_t withinTwo = static_cast<std::size_t>(std::count_if(
        lateness.begin(), lateness.end(), [](std::int64_t late) { return late >= -2000 && late <= 2000; }));
    std::printf("| %-26s | %5zu | %10.3f s | %+9.2f ms | %8.2f ms | %8.2f ms | %8.2f ms | %5.1f %% |\n",
                series.name, series.times.size(), static_cast<double>(series.times.back()) / 1e6,
                static_cast<double>(lateness.back()) / 1000.0, static_cast<double>(at(0.5)) / 1000.0,
                static_cast<double>(at(0.99)) / 1000.0, static_cast<double>(sorted.back()) / 1000.0,
                100.0 * static_cast<double>(withinTwo) / static_cast<double>(lateness.size()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
    constexpr std::int64_t kPeriod = 100'000;

    QElapsedTimer clock;
    Series grid{"tavori grid tick (Qt)", {}};
    Series plain{"plain QTimer 100 ms", {}};

    tavori::qt::GridTicker ticker([&] { grid.times.push_back(clock.nsecsElapsed() / 1000); });
    QTimer timer;
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, [&] { plain.times.push_back(clock.nsecsElapsed() / 1000); });
    QTimer finish;
    finish.setInterval(50);
    QObject::connect(&finish, &QTimer::timeout, [&] {
        if (static_cast<int>(grid.times.size()) >= ticks && static_cast<int>(plain.times.size()) >= ticks) {
            QCoreApplication::quit();
        }
    });

    clock.start();
    ticker.start();
    timer.start();
    finish.start();
    QCoreApplication::exec();
    grid.times.resize(static_cast<std::size_t>(ticks));
    plain.times.resize(static_cast<std::size_t>(ticks));

    std::printf("Tick timing over %d ticks (ideal: %.1f s)\n\n", ticks, static_cast<double>(ticks) * 0.1);
    std::printf("| %-26s | %5s | %12s | %12s | %11s | %11s | %11s | %7s |\n", "tick source", "ticks",
                "last tick", "drift", "late p50", "late p99", "late max", "<=2 ms");
    std::printf("|----------------------------|-------|--------------|--------------|-------------|-------------|-------------|---------|\n");
    report(grid, kPeriod);
    report(plain, kPeriod);
    return 0;
}
