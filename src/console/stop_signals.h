#pragma once

// The signals that stop a command while it writes a batch: SIGINT (Ctrl+C),
// SIGTERM and SIGHUP. While a StopSignals lives, such a signal is only noted;
// the batch asks whether it was, stops at once with nothing left behind, and
// the program then ends as the signal would have ended it, so that a shell
// sees the same status (128 and the signal's number). A signal the program
// was started to ignore stays ignored.

namespace kestrelwick {

class StopSignals {
  public:
    StopSignals();
    // The program's own handling comes back.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The signal that came, or 0.
    static int caught();
    // Its name, "SIGTERM".
    static const char* nameOf(int signal);
    // Ends the program as the signal that came would have.
    [[noreturn]] static void endAsCaught();
};

}  // namespace kestrelwick
