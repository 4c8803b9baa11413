// A batch of articles written into a folder as one: names padded to the
// count's width, nothing written over a file, and a failure or a cancel in
// the middle leaving no file of the batch, half-written or whole, nor the
// folders made for it.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <functional>
#include <limits>
#include <string>

#include "files/batch_files.h"
#include "files/engine_text.h"
#include "files/new_file.h"

namespace kestrelwick {
namespace {

std::u16string articleNumber(std::size_t n) {
    return u"Article\r\n" + std::u16string(n, u'x');
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Writes count articles into folder as the export does, stopping after
// stopAfter of them; what was refused, if anything.
QString writeBatch(const QString& folder, std::size_t count,
                   const std::function<std::u16string(std::size_t)>& article = articleNumber,
                   std::size_t stopAfter = std::numeric_limits<std::size_t>::max()) {
    BatchFolder batch(folder);
    std::optional<Refusal> refusal = batch.check(count);
    for (std::size_t n = 1; n <= count && !refusal; ++n) {
        refusal = batch.write(n, count, article(n));
        if (n == stopAfter) {
            return QStringLiteral("stopped");
        }
    }
    if (!refusal) {
        refusal = batch.finish();
    }
    return refusal ? qtText(*refusal) : QString();
}

TEST(BatchFiles, NamesArePaddedToTheWidthOfTheCount) {
    EXPECT_EQ(batchFileName(1, 9), QStringLiteral("article-1.txt"));
    EXPECT_EQ(batchFileName(3, 12), QStringLiteral("article-03.txt"));
    EXPECT_EQ(batchFileName(100, 100), QStringLiteral("article-100.txt"));

    const QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("made/on/the/way"));
    ASSERT_EQ(writeBatch(folder, 10), QString());
    const QStringList names = filesIn(folder);
    ASSERT_EQ(names.size(), 10);
    EXPECT_EQ(names.front(), QStringLiteral("article-01.txt"));
    QFile third(QDir(folder).filePath(QStringLiteral("article-03.txt")));
    ASSERT_TRUE(third.open(QIODevice::ReadOnly));
    EXPECT_EQ(third.readAll(), QByteArray("Article\nxxx"));
}

TEST(BatchFiles, NothingIsLeftOfABatchThatStops) {
    const QTemporaryDir dir;
    // A file of one of the names, or a link of one that leads nowhere:
    // refused before anything is written, naming the lowest.
    QFile(dir.filePath(QStringLiteral("article-3.txt"))).open(QIODevice::WriteOnly);
    QFile::link(dir.filePath(QStringLiteral("nowhere")),
                dir.filePath(QStringLiteral("article-2.txt")));
    QFile(dir.filePath(QStringLiteral("article-02.txt")))
        .open(QIODevice::WriteOnly);  // not a name of 3
    EXPECT_TRUE(
        writeBatch(dir.path(), 3).contains(QStringLiteral("article-2.txt\" is there already")));
    EXPECT_EQ(filesIn(dir.path()).size(), 3);

    // A cancel after the second article, and a full disk at the third: no
    // file, and no folder the batch made.
    const QString folder = dir.filePath(QStringLiteral("batch/inner"));
    EXPECT_EQ(writeBatch(folder, 5, articleNumber, 2), QStringLiteral("stopped"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("batch"))));
    std::size_t written = 0;
    const QString full = writeBatch(folder, 5, [&written](std::size_t n) {
        if (++written == 3) {
            NewFile::failWritesWith(ENOSPC);
        }
        return articleNumber(n);
    });
    NewFile::failWritesWith(0);
    EXPECT_TRUE(
        full.endsWith(QStringLiteral("article-3.txt\": the disk is full. Nothing was written.")))
        << full.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("batch"))));

    // A file where the folder should be.
    EXPECT_TRUE(writeBatch(dir.filePath(QStringLiteral("article-3.txt/inside")), 2)
                    .contains(QStringLiteral("is a file where a folder should be")));
}

}  // namespace
}  // namespace kestrelwick
