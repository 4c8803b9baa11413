// The article reader on arbitrary bytes: the file's bytes decoded at once,
// and the same bytes read from a stream a chunk at a time, agree; an article
// that is read holds no NUL and has every line break as CR LF; a file that
// is UTF-8 or UTF-16 reads as Qt's own decoders read it.

#include <QBuffer>
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

#include "files/files.h"
#include "fuzz/require.h"

namespace {

// Line breaks of every kind as CR LF, as the reader gives them.
QString withCrLf(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

}  // namespace

using kestrelwick::testing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrelwick;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ArticleFile whole = decodeArticleBytes(bytes, QStringLiteral("a.txt"));
    QBuffer stream;
    stream.setData(bytes);
    stream.open(QIODevice::ReadOnly);
    const ArticleFile streamed = readArticleStream(stream, QStringLiteral("a.txt"));
    require(whole.read() == streamed.read());
    if (!whole.read()) {
        require(whole.text.empty() && whole.refusal &&
                qtText(*whole.refusal).startsWith(QStringLiteral("Cannot read")));
        return 0;
    }
    require(whole.text == streamed.text);
    const std::u16string& text = whole.text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        require(text[i] != u'\0');
        require(text[i] != u'\r' || (i + 1 < text.size() && text[i + 1] == u'\n'));
        require(text[i] != u'\n' || (i > 0 && text[i - 1] == u'\r'));
    }
    // Unit for unit (QString::fromStdU16String would drop a leading U+FEFF).
    const QString read(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
    if (bytes.startsWith("\xef\xbb\xbf")) {
        require(read == withCrLf(QString::fromUtf8(bytes.sliced(3))));
    } else if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        const bool big = bytes.startsWith("\xfe\xff");
        QString units;
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const auto a = static_cast<unsigned char>(bytes[i]);
            const auto b = static_cast<unsigned char>(bytes[i + 1]);
            units += QChar(big ? char16_t(a << 8 | b) : char16_t(b << 8 | a));
        }
        require(read == withCrLf(units));
    } else if (QString::fromUtf8(bytes).toUtf8() == bytes) {
        require(read == withCrLf(QString::fromUtf8(bytes)));
    }
    return 0;
}
