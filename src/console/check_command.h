#pragma once

// kestrelwick --check [--format F] [--by B] FILE1 FILE2 FILE3: Check
// Articles without a window, the groups by paragraph or by sentence. The engine's result is
// printed: the spin text on standard output (UTF-8, LF line breaks), then the captions, the
// message, what the spin text gives and the notes on standard error, one a line. Exit status 0
// without notes, 1 with notes, 2 for a refused file, output that could not
// be written, or too little memory.

#include <QStringList>

#include "processing/check_articles.h"

class QIODevice;

namespace kestrelwick {

// Runs Check Articles on the three files and writes its results; "-" names
// standard input (in). Returns the exit status.
int checkFiles(const QStringList& files, SpinFormat format, SpinBy by, QIODevice& in,
               QIODevice& out, QIODevice& err);

}  // namespace kestrelwick
