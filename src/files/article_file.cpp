#include "files/article_file.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "files/engine_text.h"
#include "files/regular_file.h"
#include "files/system_reason.h"
#include "files/utf8.h"

namespace kestrelwick {

namespace {

ArticleFile refused(const QString& name, const QString& why) {
    return {{},
            refusalOf(Refusal::Kind::CannotRead,
                      QStringLiteral("Cannot read \"%1\": %2.").arg(name, why))};
}

ArticleFile tooLarge(const QString& name) {
    return refused(name, QStringLiteral("it is larger than 256 MiB"));
}

ArticleFile notText(const QString& name) {
    return refused(name, QStringLiteral("it is not a text file (it holds NUL characters)"));
}

// Whether the bytes are UTF-8 as the standard has it (files/utf8.h).
bool isValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Plain ASCII is by far the most common.
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const std::ptrdiff_t length = utf8SequenceAt(p, end);
        if (length == 0) {
            return false;
        }
        p += length;
    }
    return true;
}

// Text with its line breaks made CR LF as it is written: CR LF, LF and a
// lone CR each become one CR LF. The file's text is decoded straight into
// it, with no copy in between: an article of many megabytes takes its own
// size once beside the file's bytes.
class CrLfText {
  public:
    explicit CrLfText(std::size_t units) { text_.reserve(units + units / 32); }
    void add(char16_t unit) {
        if (unit == u'\n' && afterCr_) {
            afterCr_ = false;
            return;  // the LF of a CR LF
        }
        afterCr_ = unit == u'\r';
        if (unit == u'\r' || unit == u'\n') {
            text_ += u"\r\n";
        } else {
            text_ += unit;
        }
    }
    std::u16string take() { return std::move(text_); }

  private:
    std::u16string text_;
    bool afterCr_ = false;
};

// Windows-1252: Latin-1 but for 0x80 to 0x9F, where it has typographic
// characters. The five bytes it leaves undefined stand for the control
// characters of the same number, as Windows itself reads them.
std::u16string fromWindows1252(const QByteArray& bytes) {
    static constexpr std::array<char16_t, 32> k80To9F = {
        u'\u20ac', u'\u0081', u'\u201a', u'\u0192', u'\u201e', u'\u2026', u'\u2020', u'\u2021',
        u'\u02c6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008d', u'\u017d', u'\u008f',
        u'\u0090', u'\u2018', u'\u2019', u'\u201c', u'\u201d', u'\u2022', u'\u2013', u'\u2014',
        u'\u02dc', u'\u2122', u'\u0161', u'\u203a', u'\u0153', u'\u009d', u'\u017e', u'\u0178'};
    CrLfText text(std::size_t(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.add(byte >= 0x80 && byte <= 0x9f ? k80To9F[byte - 0x80] : char16_t(byte));
    }
    return text.take();
}

std::optional<std::u16string> fromUtf16(const QByteArray& bytes, qsizetype start, bool bigEndian) {
    if ((bytes.size() - start) % 2 != 0) {
        return std::nullopt;
    }
    CrLfText text(std::size_t(bytes.size() - start) / 2);
    for (qsizetype i = start; i < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.add(bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first));
    }
    return text.take();
}

// Bytes already found to be valid UTF-8 (isValidUtf8). A byte-order mark
// at the start of the text is no part of it, as Qt's own decoder reads it.
std::u16string fromUtf8(const QByteArray& bytes, qsizetype start) {
    CrLfText text(std::size_t(bytes.size() - start));
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData()) + start;
    const auto* end = reinterpret_cast<const unsigned char*>(bytes.constData()) + bytes.size();
    if (end - p >= 3 && p[0] == 0xef && p[1] == 0xbb && p[2] == 0xbf) {
        p += 3;
    }
    while (p < end) {
        const std::ptrdiff_t length = utf8SequenceAt(p, end);
        char32_t point = length == 1 ? *p : *p & (0x7f >> length);
        for (std::ptrdiff_t i = 1; i < length; ++i) {
            point = (point << 6) | (p[i] & 0x3f);
        }
        p += length;
        if (point >= 0x10000) {
            text.add(char16_t(0xd800 + ((point - 0x10000) >> 10)));
            text.add(char16_t(0xdc00 + ((point - 0x10000) & 0x3ff)));
        } else {
            text.add(char16_t(point));
        }
    }
    return text.take();
}

}  // namespace

ArticleFile decodeArticleBytes(const QByteArray& bytes, const QString& name) {
    if (bytes.size() > kLargestArticleFile) {
        return tooLarge(name);
    }
    std::u16string text;
    if (bytes.startsWith("\xef\xbb\xbf")) {
        // The mark says UTF-8: bytes that are not would be lost.
        if (!isValidUtf8(QByteArrayView(bytes).sliced(3))) {
            return refused(name, QStringLiteral("it starts with a UTF-8 byte-order mark, but "
                                                "its text is not valid UTF-8"));
        }
        text = fromUtf8(bytes, 3);
    } else if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        auto decoded = fromUtf16(bytes, 2, bytes.startsWith("\xfe\xff"));
        if (!decoded) {
            return refused(name, QStringLiteral("its UTF-16 text ends in half a character"));
        }
        text = std::move(*decoded);
    } else if (isValidUtf8(bytes)) {
        text = fromUtf8(bytes, 0);
    } else {
        text = fromWindows1252(bytes);
    }
    if (text.find(u'\0') != std::u16string::npos) {
        return notText(name);
    }
    return {std::move(text), {}};
}

namespace {

// An article's bytes as they are read, a chunk at a time. A NUL character is
// refused at the first chunk that holds one, so that a large file that is
// not text is not read to its end first.
class ArticleBytes {
  public:
    // expected: the size the source has, where it is known, so that the
    // bytes take their room once rather than growing into it.
    explicit ArticleBytes(QString name, qint64 expected = 0) : name_(std::move(name)) {
        bytes_.reserve(qsizetype(std::min(expected, kLargestArticleFile)) + kChunk);
    }

    // Reads the whole source through read (as QIODevice::read: bytes read,
    // 0 at the end, -1 on failure); returns the article or why it was
    // refused.
    template <typename Read, typename Failure>
    ArticleFile readAll(Read read, Failure failure) {
        // A read that fails is never taken for the end of the file: the
        // article would be cut short without a word.
        for (;;) {
            const qsizetype have = bytes_.size();
            bytes_.resize(have + kChunk);
            const qint64 got = read(bytes_.data() + have, kChunk);
            if (got < 0) {
                return refused(name_, failure());
            }
            bytes_.resize(have + qsizetype(got));
            if (got == 0) {
                break;
            }
            if (bytes_.size() > kLargestArticleFile) {
                return tooLarge(name_);
            }
            if (holdsNul(false)) {
                return notText(name_);
            }
        }
        if (holdsNul(true)) {
            return notText(name_);
        }
        return decodeArticleBytes(bytes_, name_);
    }

  private:
    // Whether the bytes read since the last look hold a NUL character: a
    // zero byte in UTF-8 and Windows-1252, a zero code unit in UTF-16. The
    // byte-order mark says which, so the look waits for its three bytes.
    bool holdsNul(bool atEnd) {
        if (bytes_.size() < 3 && !atEnd) {
            return false;
        }
        const bool utf16 = bytes_.startsWith("\xff\xfe") || bytes_.startsWith("\xfe\xff");
        const char* data = bytes_.constData();
        if (!utf16) {
            const bool found =
                std::memchr(data + looked_, 0, std::size_t(bytes_.size() - looked_)) != nullptr;
            looked_ = bytes_.size();
            return found;
        }
        looked_ = std::max<qsizetype>(looked_, 2);
        for (; looked_ + 1 < bytes_.size(); looked_ += 2) {
            if (data[looked_] == 0 && data[looked_ + 1] == 0) {
                return true;
            }
        }
        return false;
    }

    static constexpr qint64 kChunk = qint64{1} << 20;
    QString name_;
    QByteArray bytes_;
    qsizetype looked_ = 0;
};

}  // namespace

ArticleFile readArticleStream(QIODevice& stream, const QString& name) {
    return ArticleBytes(name).readAll(
        [&stream](char* into, qint64 bytes) { return stream.read(into, bytes); },
        [&stream] { return systemReason(stream.errorString()); });
}

ArticleFile readArticleFile(const QString& path) {
    RegularFile file(path, kLargestArticleFile, RegularFile::Links::Follow);
    switch (file.problem()) {
        case RegularFile::Problem::None:
            break;
        case RegularFile::Problem::Missing:
            return refused(path, QStringLiteral("there is no such file"));
        case RegularFile::Problem::DanglingLink:
            return refused(path, QStringLiteral("it is a link to a file that does not exist"));
        case RegularFile::Problem::LinkLoop:
        case RegularFile::Problem::Link:
            return refused(path, QStringLiteral("it is a link that leads round in a loop"));
        case RegularFile::Problem::Folder:
            return refused(path, QStringLiteral("it is a folder"));
        case RegularFile::Problem::NotRegular:
            // Standard input (-) reads those.
            return refused(path, QStringLiteral("it is not a regular file (a pipe or a device)"));
        case RegularFile::Problem::TooLarge:
            return tooLarge(path);
        case RegularFile::Problem::System:
            return refused(path, file.reason());
    }
    return ArticleBytes(path, file.size())
        .readAll([&file](char* into, qint64 bytes) { return file.read(into, bytes); },
                 [&file] { return file.reason(); });
}

ArticleFile readArticleArgument(const QString& argument, QIODevice* standardInput) {
    const QString standardInputName = QStringLiteral("standard input");
    if (argument != kStandardInputArgument) {
        return readArticleFile(argument);
    }
    if (standardInput == nullptr) {
        return refused(argument,
                       QStringLiteral("standard input is read only by --check and --spin"));
    }
    if (!standardInput->isOpen()) {
        // A stream the program was started without.
        return refused(standardInputName, systemReason(qt_error_string(EBADF)));
    }
    return readArticleStream(*standardInput, standardInputName);
}

std::vector<ArticleFile> readArticleArguments(const QStringList& arguments,
                                              QIODevice* standardInput) {
    std::vector<ArticleFile> files;
    for (const QString& argument : arguments) {
        files.push_back(readArticleArgument(argument, standardInput));
    }
    return files;
}

QString refusalsOf(const std::vector<ArticleFile>& files) {
    QStringList refusals;
    for (const ArticleFile& file : files) {
        if (!file.read()) {
            refusals << qtText(*file.refusal);
        }
    }
    return refusals.join(u'\n');
}

}  // namespace kestrelwick
