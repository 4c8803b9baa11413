#pragma once

// Kestrelwick's command line: what it asks for, and the check of three files
// without a window.
//
//   kestrelwick [FILE...]                    the window, with the first three
//                                            files in article boxes 1, 2 and 3
//   kestrelwick --check FILE1 FILE2 FILE3    the check alone: the spin text on
//                                            standard output, the report on
//                                            standard error
//   kestrelwick --help | --version
//
// Exit statuses as diff has them: 0 nothing to report, 1 the report has
// notes, 2 trouble (a usage error or a refused file).
//
// The check runs the same engine call as the window and prints its result:
// the spin text on standard output, then the captions, the message and the
// notes on standard error.

#include <QString>
#include <QStringList>

class QIODevice;

namespace kestrelwick {

inline constexpr int kExitClean = 0;
inline constexpr int kExitNotes = 1;
inline constexpr int kExitTrouble = 2;

struct CommandLine {
    enum class Mode { Window, Help, Version, Check, UsageError, NoDisplay };
    Mode mode = Mode::Window;
    QStringList files;
    QString error;               // what is wrong, for a usage error
    bool namesPlatform = false;  // -platform was given: Qt decides where the window goes
};

// Called first in main, before Qt opens anything: a standard stream that
// the program was started without (closed by the shell) gets its number held
// by the null device, so that no file or Qt's own machinery takes that number
// and is written or read in its place; the check then treats the stream as
// closed and says so.
void holdStandardStreams();

// Reads the arguments; the first is the program's own name. Only the window
// needs a display: every other answer can be given without one.
CommandLine parseCommandLine(const QStringList& arguments);

// Whether the window has somewhere to open. On Linux and the other Unix
// desktops that means an X11 or Wayland display, unless a Qt platform is
// named (-platform or QT_QPA_PLATFORM), which then answers for itself.
bool displayAvailable(const CommandLine& command);

QString usageText();
QString versionText();

// Runs Check Articles on the three files and writes its results; "-" names
// standard input (in). Returns the exit status.
int checkFiles(const QStringList& files, QIODevice& in, QIODevice& out, QIODevice& err);

// Handles a command line that needs no window, from start to exit status.
int runConsole(const CommandLine& command);

}  // namespace kestrelwick
