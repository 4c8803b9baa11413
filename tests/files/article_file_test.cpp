// Reading articles from text files: encodings, line breaks and refusals.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <string>

#include "files/article_file.h"
#include "files/engine_text.h"
#include "files/file_names.h"

namespace kestrelwick {
namespace {

// What a refusal says; empty for a file that was read.
QString said(const ArticleFile& file) {
    return file.refusal ? qtText(*file.refusal) : QString();
}

QByteArray bytes(std::initializer_list<unsigned char> values) {
    QByteArray out;
    for (const unsigned char value : values) {
        out += char(value);
    }
    return out;
}

std::u16string decoded(const QByteArray& data) {
    const ArticleFile file = decodeArticleBytes(data, QStringLiteral("a.txt"));
    EXPECT_TRUE(file.read()) << said(file).toStdString();
    return file.text;
}

TEST(ArticleFile, ByteOrderMarkDecidesAndIsNoPartOfTheText) {
    EXPECT_EQ(decoded(bytes({0xef, 0xbb, 0xbf, 'T', 0xc3, 0xa9})), u"T\u00e9");
    EXPECT_EQ(decoded(bytes({0xff, 0xfe, 'T', 0, 0xe9, 0, 0x3c, 0xd8, 0x75, 0xdf})),
              u"T\u00e9\U0001F375");
    EXPECT_EQ(decoded(bytes({0xfe, 0xff, 0, 'T', 0, 0xe9})), u"T\u00e9");
    // A lone surrogate is kept as it is, as a box keeps it.
    EXPECT_EQ(decoded(bytes({0xff, 0xfe, 0x00, 0xd8})), std::u16string(1, u'\xd800'));
    // UTF-16 without a mark is not guessed: it holds NULs.
    EXPECT_FALSE(decodeArticleBytes(bytes({'T', 0, 'e', 0}), QStringLiteral("a.txt")).read());
    EXPECT_EQ(decoded(QByteArray()), u"");
    EXPECT_EQ(decoded(bytes({0xef, 0xbb, 0xbf})), u"");
}

TEST(ArticleFile, ValidUtf8IsUtf8AndAnythingElseWindows1252) {
    EXPECT_EQ(decoded("plain ASCII"), u"plain ASCII");
    EXPECT_EQ(decoded(bytes({'C', 'a', 'f', 0xc3, 0xa9, ' ', 0xe2, 0x80, 0x9c, 'x', 0xe2, 0x80,
                             0x9d, ' ', 0xf0, 0x9f, 0x8d, 0xb5})),
              u"Caf\u00e9 \u201cx\u201d \U0001F375");
    // Curly quotes, a euro sign and an e acute as Windows-1252 writes them.
    EXPECT_EQ(decoded(bytes({0x93, 'x', 0x94, ' ', 0x80, ' ', 'C', 'a', 'f', 0xe9})),
              u"\u201cx\u201d \u20ac Caf\u00e9");
    // The five bytes that Windows-1252 leaves open are control characters.
    EXPECT_EQ(decoded(bytes({0x81, 0x8d, 0x8f, 0x90, 0x9d})), u"\u0081\u008d\u008f\u0090\u009d");
    // Not UTF-8: an overlong form, an encoded surrogate, a cut sequence.
    EXPECT_EQ(decoded(bytes({0xc0, 0xaf})), u"\u00c0\u00af");
    EXPECT_EQ(decoded(bytes({0xed, 0xa0, 0x80})), u"\u00ed\u00a0\u20ac");
    EXPECT_EQ(decoded(bytes({'a', 0xe2, 0x80})), u"a\u00e2\u20ac");
    EXPECT_EQ(decoded(bytes({0xf4, 0x90, 0x80, 0x80})), u"\u00f4\u0090\u20ac\u20ac");
}

TEST(ArticleFile, EveryLineBreakBecomesCrLf) {
    EXPECT_EQ(decoded("a\r\nb\nc\rd"), u"a\r\nb\r\nc\r\nd");
    EXPECT_EQ(decoded("\n\n"), u"\r\n\r\n");
    EXPECT_EQ(decoded("a\n\rb"), u"a\r\n\r\nb");
    EXPECT_EQ(decoded("a\r\r\nb"), u"a\r\n\r\nb");
    EXPECT_EQ(decoded(bytes({0xfe, 0xff, 0, 'a', 0, '\r', 0, 'b'})), u"a\r\nb");
    // Other separators are text.
    EXPECT_EQ(decoded(bytes({'a', 0xe2, 0x80, 0xa8, 'b'})), u"a\u2028b");
}

TEST(ArticleFile, RefusesWhatIsNotText) {
    const ArticleFile nul = decodeArticleBytes(QByteArray("a\0b", 3), QStringLiteral("x.bin"));
    EXPECT_EQ(said(nul),
              QStringLiteral("Cannot read \"x.bin\": it is not a text file (it holds NUL "
                             "characters)."));
    EXPECT_TRUE(nul.text.empty());
    const ArticleFile odd = decodeArticleBytes(bytes({0xff, 0xfe, 'a'}), QStringLiteral("y.txt"));
    EXPECT_EQ(said(odd),
              QStringLiteral("Cannot read \"y.txt\": its UTF-16 text ends in half a character."));
}

TEST(ArticleFile, RefusesFilesItCannotRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_EQ(said(readArticleFile(missing)),
              QStringLiteral("Cannot read \"%1\": there is no such file.").arg(missing));
    EXPECT_EQ(said(readArticleFile(dir.path())),
              QStringLiteral("Cannot read \"%1\": it is a folder.").arg(dir.path()));

    // Larger than 256 MiB: refused from its size, without reading it.
    const QString large = dir.filePath(QStringLiteral("large.txt"));
    QFile file(large);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kLargestArticleFile + 1));
    file.close();
    EXPECT_EQ(said(readArticleFile(large)),
              QStringLiteral("Cannot read \"%1\": it is larger than 256 MiB.").arg(large));

    // Sixteen NULs are no text either, and 200 MB of them are refused as
    // soon as the first is read (a source of NULs that never ends shows it).
    ASSERT_TRUE(QFile::resize(large, 16));
    EXPECT_FALSE(readArticleFile(large).read());
    ASSERT_TRUE(QFile::resize(large, 200'000'000));
    EXPECT_EQ(said(readArticleFile(large)),
              QStringLiteral("Cannot read \"%1\": it is not a text file (it holds NUL "
                             "characters).")
                  .arg(large));
    class EndlessNuls : public QIODevice {
      public:
        qint64 served = 0;
        qint64 readData(char* into, qint64 size) override {
            for (qint64 i = 0; i < size; ++i) {
                into[i] = served + i < 100 ? 'a' : '\0';
            }
            served += size;
            return size;
        }
        qint64 writeData(const char*, qint64) override { return -1; }
    } nuls;
    nuls.open(QIODevice::ReadOnly);
    EXPECT_FALSE(readArticleStream(nuls, QStringLiteral("endless")).read());
    EXPECT_LE(nuls.served, qint64{4} << 20);

    const QString text = dir.filePath(QStringLiteral("text.txt"));
    QFile plain(text);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("Title\nBody");
    plain.close();
    EXPECT_EQ(readArticleFile(text).text, u"Title\r\nBody");

#ifdef Q_OS_UNIX
    if (geteuid() != 0) {  // the superuser reads every file
        ASSERT_TRUE(plain.setPermissions(QFileDevice::Permissions()));
        const QString refusal = said(readArticleFile(text));
        EXPECT_TRUE(refusal.startsWith(QStringLiteral("Cannot read \"%1\": ").arg(text)))
            << refusal.toStdString();
        EXPECT_TRUE(refusal.contains(QStringLiteral("ermission"))) << refusal.toStdString();
    }
#endif
}

TEST(ArticleFile, ReadsAStreamToItsEnd) {
    QByteArray data(3 << 20, 'x');
    data[1 << 20] = ' ';
    QBuffer buffer(&data);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    const ArticleFile file = readArticleStream(buffer, QStringLiteral("standard input"));
    EXPECT_TRUE(file.read());
    EXPECT_EQ(file.text.size(), std::size_t(3 << 20));
    EXPECT_EQ(file.text[1 << 20], u' ');
}

// A stream whose reads fail once it has given a number of bytes, as a disk
// or a network share does part way through a file.
class FailingStream final : public QIODevice {
  public:
    explicit FailingStream(qint64 good) : good_(good) { open(QIODevice::ReadOnly); }

  protected:
    qint64 readData(char* data, qint64 most) override {
        if (good_ == 0) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        const qint64 given = std::min(most, good_);
        std::fill(data, data + given, 'x');
        good_ -= given;
        return given;
    }
    qint64 writeData(const char*, qint64) override { return -1; }
    bool isSequential() const override { return true; }

  private:
    qint64 good_;
};

TEST(ArticleFile, AReadThatFailsRefusesTheFileWhereverItFails) {
    for (const qint64 good : {qint64{0}, qint64{10}, qint64{3} << 20}) {
        FailingStream stream(good);
        const ArticleFile file = readArticleStream(stream, QStringLiteral("standard input"));
        EXPECT_EQ(said(file), QStringLiteral("Cannot read \"standard input\": input/output error."))
            << good << " bytes before the failure";
        EXPECT_TRUE(file.text.empty());
    }
}

TEST(ArticleFile, AMarkThatPromisesUtf8OverOtherBytesIsRefused) {
    const ArticleFile file =
        decodeArticleBytes(bytes({0xef, 0xbb, 0xbf, 'C', 'a', 'f', 0xe9}), QStringLiteral("m.txt"));
    EXPECT_EQ(said(file), QStringLiteral("Cannot read \"m.txt\": it starts with a UTF-8 "
                                         "byte-order mark, but its text is not valid UTF-8."));
}

TEST(FileNames, EveryNameTheSystemGivesComesBackToItsBytes) {
    for (const QByteArray& name :
         {QByteArray("plain.txt"), QByteArray("caf\xc3\xa9.txt"), QByteArray("bad\xffname.txt"),
          QByteArray("\xed\xa0\x80 surrogate"), QByteArray("cut \xe2\x80"),
          QByteArray("\xf0\x9f\x8d\xb5 and \x80\xc0")}) {
        EXPECT_EQ(systemFileName(fileNameFromSystem(name)), name) << name.toStdString();
    }
    EXPECT_EQ(fileNameFromSystem("caf\xc3\xa9"), QStringLiteral("caf\u00e9"));
#ifdef Q_OS_UNIX

    // A file whose name is not UTF-8 is read.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray path = QFile::encodeName(dir.path()) + "/bad\xffname.txt";
    {
        QFile file;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_TRUE(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        file.write("Title\nBody");
    }
    EXPECT_EQ(readArticleFile(fileNameFromSystem(path)).text, u"Title\r\nBody");
#endif
}

}  // namespace
}  // namespace kestrelwick
