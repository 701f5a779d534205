// Small helpers for the Qt front end's tests.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

namespace tavori::qt::testing {

// Lets the event loop run for about `milliseconds`.
inline void processEventsFor(int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

}  // namespace tavori::qt::testing
