// The self-pipe: a signal handler that writes one byte, and a socket notifier that reads it.
#include "termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace tavori::qt {

namespace {

// The pipe's write end for the handler; a lock-free atomic is safe to read inside one.
std::atomic<int> signalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free);

void onTerminationSignal(int) {
    const int savedErrno = errno;
    const int fd = signalPipe.load();
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

bool install(int signal, struct sigaction& previous) {
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // Once handled, the signal's default comes back: a second one ends the program at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    return sigaction(signal, &action, &previous) == 0;
}

}  // namespace

TerminationSignals::PipeEnds TerminationSignals::openPipe() {
    int ends[2] = {-1, -1};
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return {};
    return {ends[0], ends[1]};
}

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : TerminationSignals(std::move(onSignal), openPipe()) {}

TerminationSignals::TerminationSignals(std::function<void()> onSignal, PipeEnds ends)
    : onSignal_(std::move(onSignal)), readEnd_(ends.read), writeEnd_(ends.write) {
    if (!readEnd_.valid() || !writeEnd_.valid()) return;
    signalPipe.store(writeEnd_.get());
    if (!install(SIGTERM, previousTerm_) || !install(SIGINT, previousInt_)) {
        sigaction(SIGTERM, &previousTerm_, nullptr);
        signalPipe.store(-1);
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_.get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::onReadable);
}

TerminationSignals::~TerminationSignals() {
    if (notifier_) {
        sigaction(SIGTERM, &previousTerm_, nullptr);
        sigaction(SIGINT, &previousInt_, nullptr);
        notifier_.reset();
    }
    signalPipe.store(-1);
}

void TerminationSignals::onReadable() {
    char bytes[16];
    bool signalled = false;
    while (::read(readEnd_.get(), bytes, sizeof bytes) > 0) signalled = true;
    if (signalled) onSignal_();
}

}  // namespace tavori::qt
