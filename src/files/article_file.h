#pragma once

// Reading an article from a text file: one routine with one set of rules for
// every way a file comes in (dropped on a box, named on the command line, or
// piped to standard input).
//
// Encoding: a byte-order mark decides (UTF-8, UTF-16 LE or BE; the mark is
// not part of the text). Without one, text that is valid UTF-8 is UTF-8, and
// anything else is Windows-1252, in which every byte is a character. Line
// breaks CR LF, LF and a lone CR each become one CR LF, as the boxes give
// their text to the Check Articles engine.
//
// A file is refused, with a message that names it and says why, when it
// cannot be read, when it is larger than 256 MiB, or when its text holds a
// NUL character (it is not text).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

#include "processing/spinning.h"

class QIODevice;

namespace kestrelwick {

inline constexpr qint64 kLargestArticleFile = qint64{256} << 20;

struct ArticleFile {
    std::u16string text;             // line breaks as CR LF
    std::optional<Refusal> refusal;  // why it was not read: a whole sentence

    bool read() const { return !refusal; }
};

// The text of the file at path, or why it was refused.
ArticleFile readArticleFile(const QString& path);

// The same for a stream that is already open, such as standard input; name
// stands for it in a refusal.
ArticleFile readArticleStream(QIODevice& stream, const QString& name);

// The text of a file's bytes, or why they were refused; name stands for the
// file in a refusal.
ArticleFile decodeArticleBytes(const QByteArray& bytes, const QString& name);

// The argument that stands for standard input, in place of a file name.
inline constexpr QLatin1StringView kStandardInputArgument("-");

// Reads the article that an argument names: a file name, or "-" for standard
// input. standardInput is the stream that "-" reads (the check from the
// command line, where it may have been closed); without one (the window,
// which has no terminal) "-" is refused.
ArticleFile readArticleArgument(const QString& argument, QIODevice* standardInput);
// The same for every argument, in order.
std::vector<ArticleFile> readArticleArguments(const QStringList& arguments,
                                              QIODevice* standardInput);

// The refusals among files read, one a line; empty when all were read.
QString refusalsOf(const std::vector<ArticleFile>& files);

}  // namespace kestrelwick
