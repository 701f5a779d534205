// Measures the Linux tick: tavori's grid tick (a timer descriptor armed with each grid point),
// the polling timer it replaced and a plain 100 ms QTimer side by side, with total drift from
// the ideal 100 ms grid, per-tick lateness and the event loop's wake-ups per tick.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

#include "called_steps.h"
#include "grid_ticker.h"
#include "old_grid_ticker_qt.h"
#include "tick_table.h"

using tavori::bench::TickSeries;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;

    QElapsedTimer clock;
    TickSeries grid{"tavori grid tick (timerfd)", {}};
    TickSeries polling{"old grid tick (ms polling)", {}};
    TickSeries plain{"plain QTimer 100 ms", {}};

    tavori::bench::CalledSteps steps([&] { grid.times.push_back(clock.nsecsElapsed() / 1000); });
    tavori::TickDriver driver(steps, tavori::TickSleep::Never);
    tavori::qt::GridTicker ticker(driver, [] {});
    tavori::bench::PollingGridTicker oldTicker([&] { polling.times.push_back(clock.nsecsElapsed() / 1000); });
    QTimer timer;
    timer.setInterval(100);
    QObject::connect(&timer, &QTimer::timeout, [&] { plain.times.push_back(clock.nsecsElapsed() / 1000); });
    QTimer finish;
    finish.setInterval(50);
    QObject::connect(&finish, &QTimer::timeout, [&] {
        if (static_cast<int>(std::min({grid.times.size(), polling.times.size(), plain.times.size()})) >= ticks) {
            QCoreApplication::quit();
        }
    });

    // All three share one event loop, as the program's tick shares it with everything else.
    clock.start();
    ticker.start();
    oldTicker.start();
    timer.start();
    finish.start();
    QCoreApplication::exec();
    grid.wakesPerTick = static_cast<double>(ticker.wakes()) / static_cast<double>(grid.times.size());
    polling.wakesPerTick = static_cast<double>(oldTicker.wakes()) / static_cast<double>(polling.times.size());
    plain.wakesPerTick = 1.0;
    for (TickSeries* series : {&grid, &polling, &plain}) {
        series->times.resize(static_cast<std::size_t>(ticks));
    }

    tavori::bench::printTickTable("", ticks, {&grid, &polling, &plain});
    return 0;
}
