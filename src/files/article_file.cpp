#include "files/article_file.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <utility>

#include "files/file_names.h"
#include "files/utf8.h"

namespace kestrelwick {

namespace {

ArticleFile refused(const QString& name, const QString& why) {
    return {{}, QStringLiteral("Cannot read \"%1\": %2.").arg(name, why)};
}

ArticleFile tooLarge(const QString& name) {
    return refused(name, QStringLiteral("it is larger than 256 MiB"));
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

// Windows-1252: Latin-1 but for 0x80 to 0x9F, where it has typographic
// characters. The five bytes it leaves undefined stand for the control
// characters of the same number, as Windows itself reads them.
std::u16string fromWindows1252(const QByteArray& bytes) {
    static constexpr std::array<char16_t, 32> k80To9F = {
        u'\u20ac', u'\u0081', u'\u201a', u'\u0192', u'\u201e', u'\u2026', u'\u2020', u'\u2021',
        u'\u02c6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008d', u'\u017d', u'\u008f',
        u'\u0090', u'\u2018', u'\u2019', u'\u201c', u'\u201d', u'\u2022', u'\u2013', u'\u2014',
        u'\u02dc', u'\u2122', u'\u0161', u'\u203a', u'\u0153', u'\u009d', u'\u017e', u'\u0178'};
    std::u16string text;
    text.reserve(std::size_t(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += byte >= 0x80 && byte <= 0x9f ? k80To9F[byte - 0x80] : char16_t(byte);
    }
    return text;
}

std::optional<std::u16string> fromUtf16(const QByteArray& bytes, qsizetype start, bool bigEndian) {
    if ((bytes.size() - start) % 2 != 0) {
        return std::nullopt;
    }
    std::u16string text;
    text.reserve(std::size_t(bytes.size() - start) / 2);
    for (qsizetype i = start; i < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first);
    }
    return text;
}

std::u16string fromUtf8(const QByteArray& bytes, qsizetype start) {
    const QString text = QString::fromUtf8(bytes.constData() + start, bytes.size() - start);
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// CR LF, LF and a lone CR each become CR LF.
std::u16string withCrLfBreaks(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n') {
            out += u"\r\n";
            if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            out += unit;
        }
    }
    return out;
}

}  // namespace

QString systemReason(QString why) {
    if (why.isEmpty()) {
        return QStringLiteral("the system gives no reason");
    }
    why[0] = why[0].toLower();
    return why;
}

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
        return refused(name, QStringLiteral("it is not a text file (it holds NUL characters)"));
    }
    return {withCrLfBreaks(text), {}};
}

ArticleFile readArticleStream(QIODevice& stream, const QString& name) {
    // A read that fails is never taken for the end of the file: the article
    // would be cut short without a word.
    constexpr qint64 kChunk = qint64{1} << 20;
    QByteArray bytes;
    for (;;) {
        const qsizetype have = bytes.size();
        bytes.resize(have + kChunk);
        const qint64 got = stream.read(bytes.data() + have, kChunk);
        if (got < 0) {
            return refused(name, systemReason(stream.errorString()));
        }
        bytes.resize(have + qsizetype(got));
        if (got == 0) {
            break;
        }
        if (bytes.size() > kLargestArticleFile) {
            return tooLarge(name);
        }
    }
    return decodeArticleBytes(bytes, name);
}

ArticleFile readArticleFile(const QString& path) {
#ifdef Q_OS_UNIX
    // Opened by the name's own bytes, so that a name that is not UTF-8 is
    // found; then checked through the open file, so that what is checked is
    // what is read.
    const QByteArray name = systemFileName(path);
    // Without waiting: a FIFO would block until something writes to it.
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        struct stat link {};
        if (error == ENOENT && ::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
            return refused(path, QStringLiteral("it is a link to a file that does not exist"));
        }
        if (error == ELOOP) {
            return refused(path, QStringLiteral("it is a link that leads round in a loop"));
        }
        if (error == ENOENT) {
            return refused(path, QStringLiteral("there is no such file"));
        }
        return refused(path, systemReason(qt_error_string(error)));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return refused(path, systemReason(qt_error_string(error)));
    }
    if (S_ISDIR(status.st_mode)) {
        ::close(fd);
        return refused(path, QStringLiteral("it is a folder"));
    }
    if (!S_ISREG(status.st_mode)) {
        // A pipe, a socket or a device: standard input (-) reads those.
        ::close(fd);
        return refused(path, QStringLiteral("it is not a regular file (a pipe or a device)"));
    }
    if (S_ISREG(status.st_mode) && status.st_size > kLargestArticleFile) {
        ::close(fd);
        return tooLarge(path);
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refused(path, systemReason(file.errorString()));
    }
    return readArticleStream(file, path);
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        return refused(path, QStringLiteral("there is no such file"));
    }
    if (info.isDir()) {
        return refused(path, QStringLiteral("it is a folder"));
    }
    if (info.size() > kLargestArticleFile) {
        return tooLarge(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return refused(path, systemReason(file.errorString()));
    }
    return readArticleStream(file, path);
#endif
}

ArticleFile readArticleArgument(const QString& argument, QIODevice* standardInput) {
    const QString standardInputName = QStringLiteral("standard input");
    if (argument != kStandardInputArgument) {
        return readArticleFile(argument);
    }
    if (standardInput == nullptr) {
        return refused(argument, QStringLiteral("standard input is read only with --check"));
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
            refusals << file.refusal;
        }
    }
    return refusals.join(u'\n');
}

}  // namespace kestrelwick
