#include "window/saved_state/shutdown_signals.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace kestrelwick {

#ifdef Q_OS_UNIX

namespace {

// The handler only writes the signal's number down a pipe: nothing else is
// safe in a signal handler. The event loop reads it.
int signalPipe[2] = {-1, -1};

void onSignal(int number) {
    const int saved = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t wrote = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

void saveOnShutdownSignals(std::function<void()> save) {
    if (signalPipe[0] >= 0 || ::pipe(signalPipe) != 0) {
        return;
    }
    for (const int end : signalPipe) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, O_NONBLOCK);
    }
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [save = std::move(save)] {
        char number = 0;
        if (::read(signalPipe[0], &number, 1) != 1) {
            return;
        }
        save();
        QCoreApplication::exit(128 + number);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

#else

void saveOnShutdownSignals(std::function<void()> save) {
    static_cast<void>(save);
}

#endif

}  // namespace kestrelwick
