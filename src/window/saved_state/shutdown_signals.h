#pragma once

// The end of the program told by the system rather than the user: SIGTERM
// (a logout, a shutdown, kill) and SIGHUP (the terminal or session gone) on
// Unix. The window's work is saved first, then the program ends; on Windows
// the end of the session reaches the program as Qt's commitDataRequest.

#include <functional>

namespace kestrelwick {

// Calls save, in the event loop, when SIGTERM or SIGHUP arrives, then ends
// the event loop with 128 + the signal's number, as a shell reports a
// program that a signal ended. Once per program.
void saveOnShutdownSignals(std::function<void()> save);

}  // namespace kestrelwick
