#pragma once

// File names as the system gives them.
//
// On Linux a file name is any string of bytes, and most are UTF-8. The bytes
// of a name that are not part of valid UTF-8 are kept as the code points
// U+DC80 to U+DCFF, one for each byte, which no valid UTF-8 can produce, so
// that every name the shell can give comes back to the same bytes when the
// file is opened. In a message they show as U+FFFD.
//
// On Windows names are UTF-16 already; the command line is read as the
// system keeps it, in UTF-16, rather than through the ANSI code page.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kestrelwick {

// The program's arguments, the first being its own name.
QStringList systemArguments(int argc, char* argv[]);

// A name as the system gives it, and back.
QString fileNameFromSystem(const QByteArray& name);
QByteArray systemFileName(const QString& name);

}  // namespace kestrelwick
