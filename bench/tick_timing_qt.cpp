// Measures the Linux tick: tavori's grid tick and a plain 100 ms QTimer side by side, with
// total drift from the ideal 100 ms grid and per-tick lateness.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

#include "grid_ticker.h"
#include "tick_table.h"

using tavori::bench::TickSeries;

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;

    QElapsedTimer clock;
    TickSeries grid{"tavori grid tick (Qt)", {}};
    TickSeries plain{"plain QTimer 100 ms", {}};

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

    tavori::bench::printTickTable("", ticks, {&grid, &plain});
    return 0;
}
