#include "console/stop_signals.h"

#include <QtGlobal>

#include <atomic>
#include <csignal>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace kestrelwick {

namespace {

std::atomic<int> stopped{0};

extern "C" void noteSignal(int number) {
    stopped = number;
}

#ifdef Q_OS_UNIX
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction before[3];
#else
constexpr int kSignals[] = {SIGINT, SIGTERM};
void (*before[2])(int) = {};
#endif

}  // namespace

StopSignals::StopSignals() {
    stopped = 0;
    for (std::size_t k = 0; k < std::size(kSignals); ++k) {
#ifdef Q_OS_UNIX
        struct sigaction action {};
        action.sa_handler = noteSignal;
        sigemptyset(&action.sa_mask);
        // Reads and writes go on: the batch asks after each file, and a write
        // cut short would be a failure to report rather than a stop.
        action.sa_flags = SA_RESTART;
        ::sigaction(kSignals[k], nullptr, &before[k]);
        // A signal the program was started to ignore (a job in the
        // background, nohup) stays ignored.
        if (before[k].sa_handler != SIG_IGN) {
            ::sigaction(kSignals[k], &action, nullptr);
        }
#else
        before[k] = std::signal(kSignals[k], noteSignal);
        if (before[k] == SIG_IGN) {
            std::signal(kSignals[k], SIG_IGN);
        }
#endif
    }
}

StopSignals::~StopSignals() {
    for (std::size_t k = 0; k < std::size(kSignals); ++k) {
#ifdef Q_OS_UNIX
        ::sigaction(kSignals[k], &before[k], nullptr);
#else
        std::signal(kSignals[k], before[k]);
#endif
    }
}

int StopSignals::caught() {
    return stopped;
}

const char* StopSignals::nameOf(int signal) {
    switch (signal) {
        case SIGINT:
            return "SIGINT";
        case SIGTERM:
            return "SIGTERM";
#ifdef Q_OS_UNIX
        case SIGHUP:
            return "SIGHUP";
#endif
        default:
            return "a signal";
    }
}

void StopSignals::endAsCaught() {
    const int signal = stopped;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);  // where the default is not to end
}

}  // namespace kestrelwick
