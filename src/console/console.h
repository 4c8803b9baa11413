#pragma once

// Kestrelwick without a window: every command line that is answered in the
// console, from start to exit status. The units, as a command runs them:
//   command_line.h     the options, read before any window system is touched
//   standard_streams.h the streams, held open and written as UTF-8
//   check_command.h    --check: the engine's result printed
//   spin_command.h     --spin: one spun article
//   batch_command.h    --spin --count: a batch of articles written to files

namespace kestrelwick {

struct CommandLine;

// Handles a command line that needs no window (help, the version, --check,
// --spin, a usage error, no display); returns the exit status.
int runConsole(const CommandLine& command);

}  // namespace kestrelwick
