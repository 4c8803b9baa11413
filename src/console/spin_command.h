#pragma once

// kestrelwick --spin [--format F] [--seed N] [FILE | -]: one article spun
// from the spin text in FILE (standard input when it is - or left out),
// written to standard output with LF line breaks. An empty spin text is
// refused, as the window refuses it. Without --format the text's
// own format is found (processing/spin_formats.h); a text whose groups hold
// the separators of several formats is spun all the same, with a warning. A spin text that cannot
// be spun is told on standard error with its line and column, and nothing is
// written to standard output (exit status 2).

#include <QString>

#include <string_view>

#include "processing/spinning.h"

class QIODevice;

namespace kestrelwick {

struct CommandLine;

// Returns the exit status.
int spinFile(const CommandLine& command, QIODevice& in, QIODevice& out, QIODevice& err);

// The format to spin the text in: --format, or the text's own
// (processing/spin_formats.h); a mixed text is told on err.
FoundFormat spinFormatFor(const CommandLine& command, std::u16string_view text, QIODevice& err);

// "the spin text in \"a.txt\" cannot be spun: line 1, column 4: ...", or
// "... is empty: there is nothing to spin."; name is a file name or "-".
QString cannotBeSpun(const QString& name, const Refusal& refusal);

// The file that --spin reads: its argument, or "-".
QString spinTextArgument(const CommandLine& command);

}  // namespace kestrelwick
