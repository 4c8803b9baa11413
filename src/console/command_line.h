#pragma once

// Kestrelwick's command line: what it asks for, read into one value before
// any window system is touched. What each command then does is in its own
// unit (console/console.h lists them).
//
//   kestrelwick [FILE...]                    the window, with the first three
//                                            files in article boxes 1, 2 and 3
//   kestrelwick --check [--format F] [--by B] FILE1 FILE2 FILE3
//                                            the check alone: the spin text on
//                                            standard output, the report on
//                                            standard error; by paragraph or
//                                            by sentence
//   kestrelwick --spin [--format F] [--seed N] [FILE]
//                                            one article spun from a spin text
//                                            (console/spin_command.h)
//   kestrelwick --spin --count K --out DIR [--max-share S] [--with-written]
//               [--seed N] [--format F] [FILE]
//                                            a batch of articles written to
//                                            files (console/batch_command.h)
//   kestrelwick --help | --version
//
// Exit statuses as diff has them: 0 nothing to report, 1 the report has
// notes, 2 trouble (a usage error or a refused file). The format words come
// from the formats' table (processing/spin_formats.h).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

#include "processing/check_articles.h"
#include "processing/spinning.h"

namespace kestrelwick {

struct CommandLine {
    enum class Mode { Window, Help, Version, Check, Spin, UsageError, NoDisplay };
    Mode mode = Mode::Window;
    QStringList files;
    SpinFormat format = SpinFormat::Ama;  // --format: a format's word
    bool formatGiven = false;
    SpinBy by = SpinBy::Paragraph;       // --by, for --check
    std::optional<std::uint64_t> seed;   // --seed, for --spin
    std::optional<std::uint64_t> count;  // --count, for a batch
    QString out;                         // --out: the batch's folder
    std::optional<int> maxShare;         // --max-share, in percent
    bool withWritten = false;            // --with-written: the articles written may be chosen
    QString error;                       // what is wrong, for a usage error
    bool namesPlatform = false;          // -platform was given: Qt decides where the window goes
};

// Reads the arguments; the first is the program's own name. Only the window
// needs a display: every other answer can be given without one.
CommandLine parseCommandLine(const QStringList& arguments);

// Whether the window has somewhere to open. On Linux and the other Unix
// desktops that means an X11 or Wayland display, unless a Qt platform is
// named (-platform or QT_QPA_PLATFORM), which then answers for itself.
bool displayAvailable(const CommandLine& command);

QString usageText();
QString versionText();

}  // namespace kestrelwick
