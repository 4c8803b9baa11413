#pragma once

// Kestrelwick without a window: every command line that is answered in the
// console, from start to exit status. This header is the console's front
// door: main() includes it and nothing else of this folder. The units, as a
// command runs them:
//   command_line.h     the options, read before any window system is touched
//   standard_streams.h the streams, held open and written as UTF-8
//   check_command.h    --check: the engine's result printed
//   spin_command.h     --spin: one spun article
//   batch_command.h    --spin --count: a batch of articles written to files

#include "console/batch_command.h"
#include "console/check_command.h"
#include "console/command_line.h"
#include "console/spin_command.h"
#include "console/standard_streams.h"

namespace kestrelwick {

// Handles a command line that needs no window (help, the version, --check,
// --spin, a usage error, no display); returns the exit status.
int runConsole(const CommandLine& command);

}  // namespace kestrelwick
