// SIGTERM and SIGINT (a logout, systemctl, kill, Ctrl+C in a terminal) end the program as its
// close box does, so the session is recorded and the place in the text kept.
#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <csignal>
#include <functional>
#include <memory>

#include "grid_ticker.h"

namespace tavori::qt {

// While it lives, the two signals reach `onSignal` on the event loop's thread: the handler only
// writes a byte to a pipe (all a handler may safely do), which the loop reads. A second signal
// of the same kind ends the program at once, in case the close itself cannot go on. One at a
// time; the earlier handlers come back when it goes.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;

    // False when the pipe or a handler could not be set up: the signals then end the program as
    // they did before.
    bool installed() const { return notifier_ != nullptr; }

private:
    struct PipeEnds {
        int read = -1;
        int write = -1;
    };
    static PipeEnds openPipe();
    TerminationSignals(std::function<void()> onSignal, PipeEnds ends);
    void onReadable();

    std::function<void()> onSignal_;
    OwnedFd readEnd_;
    OwnedFd writeEnd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
};

}  // namespace tavori::qt
