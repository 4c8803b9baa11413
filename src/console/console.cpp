#include "console/console.h"

#include <QtGlobal>

#include <csignal>

namespace kestrelwick {

int runConsole(const CommandLine& command) {
#ifdef Q_OS_UNIX
    // A reader that stops early makes a write fail, which is then told and
    // ends with status 2, rather than ending the program without a word.
    ::signal(SIGPIPE, SIG_IGN);
#endif
    StandardStreams streams;
    switch (command.mode) {
        case CommandLine::Mode::Help:
            return writeUtf8(streams.out, usageText()) ? kExitClean : kExitTrouble;
        case CommandLine::Mode::Version:
            return writeUtf8(streams.out, versionText()) ? kExitClean : kExitTrouble;
        case CommandLine::Mode::Check:
            return checkFiles(command.files, command.format, command.by, streams.in, streams.out,
                              streams.err);
        case CommandLine::Mode::Spin:
            if (command.count) {
                return spinBatch(command, streams.in, streams.err);
            }
            return spinFile(command, streams.in, streams.out, streams.err);
        case CommandLine::Mode::NoDisplay:
            writeUtf8(
                streams.err,
                QStringLiteral("kestrelwick: no display to open the window on. To check files "
                               "without a window: kestrelwick --check FILE1 FILE2 FILE3\n"));
            return kExitTrouble;
        case CommandLine::Mode::UsageError:
        case CommandLine::Mode::Window:
            break;
    }
    writeUtf8(streams.err,
              QStringLiteral("kestrelwick: ") + command.error +
                  QStringLiteral("\nTry 'kestrelwick --help' for more information.\n"));
    return kExitTrouble;
}

}  // namespace kestrelwick
