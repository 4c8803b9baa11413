// A batch of articles written as one: names padded to the count's width,
// nothing written over a file, and a failure or a cancel in the middle
// leaving no file of the batch, half-written or whole.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <string>

#include "files/batch_files.h"
#include "files/new_file.h"

namespace kestrelwick {
namespace {

std::u16string articleNumber(std::size_t n) {
    return u"Article\r\n" + std::u16string(n, u'x');
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(BatchFiles, NamesArePaddedToTheWidthOfTheCount) {
    EXPECT_EQ(batchFileName(1, 9), QStringLiteral("article-1.txt"));
    EXPECT_EQ(batchFileName(3, 12), QStringLiteral("article-03.txt"));
    EXPECT_EQ(batchFileName(100, 100), QStringLiteral("article-100.txt"));

    const QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("made/on/the/way"));
    const BatchFiles written =
        writeBatchFiles(folder, 10, articleNumber, [](std::size_t) { return true; });
    ASSERT_EQ(written.outcome, BatchFiles::Outcome::Written) << written.message.toStdString();
    const QStringList names = filesIn(folder);
    ASSERT_EQ(names.size(), 10);
    EXPECT_EQ(names.front(), QStringLiteral("article-01.txt"));
    QFile third(QDir(folder).filePath(QStringLiteral("article-03.txt")));
    ASSERT_TRUE(third.open(QIODevice::ReadOnly));
    EXPECT_EQ(third.readAll(), QByteArray("Article\nxxx"));
}

TEST(BatchFiles, NothingIsLeftOfABatchThatStops) {
    const QTemporaryDir dir;
    const auto goOn = [](std::size_t) { return true; };
    // A file of one of the names: refused before anything is written.
    QFile(dir.filePath(QStringLiteral("article-2.txt"))).open(QIODevice::WriteOnly);
    BatchFiles result = writeBatchFiles(dir.path(), 3, articleNumber, goOn);
    EXPECT_EQ(result.outcome, BatchFiles::Outcome::Refused);
    EXPECT_TRUE(result.message.contains(QStringLiteral("article-2.txt\" is there already")));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("article-2.txt")});

    // A cancel after the second article, and a full disk at the third.
    const QString folder = dir.filePath(QStringLiteral("batch"));
    result = writeBatchFiles(folder, 5, articleNumber, [](std::size_t n) { return n < 2; });
    EXPECT_EQ(result.outcome, BatchFiles::Outcome::Cancelled);
    EXPECT_EQ(filesIn(folder), QStringList());
    std::size_t written = 0;
    result = writeBatchFiles(
        folder, 5,
        [&written](std::size_t n) {
            if (++written == 3) {
                NewFile::failWritesWith(ENOSPC);
            }
            return articleNumber(n);
        },
        goOn);
    NewFile::failWritesWith(0);
    EXPECT_EQ(result.outcome, BatchFiles::Outcome::Refused);
    EXPECT_TRUE(result.message.endsWith(
        QStringLiteral("article-3.txt\": the disk is full. Nothing was written.")))
        << result.message.toStdString();
    EXPECT_EQ(filesIn(folder), QStringList());

    // A file where the folder should be.
    result = writeBatchFiles(dir.filePath(QStringLiteral("article-2.txt/inside")), 2, articleNumber,
                             goOn);
    EXPECT_EQ(result.outcome, BatchFiles::Outcome::Refused);
    EXPECT_TRUE(result.message.contains(QStringLiteral("is a file where a folder should be")));
}

}  // namespace
}  // namespace kestrelwick
