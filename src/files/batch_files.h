#pragma once

// The articles of a batch written into a folder, for the command line and
// the window alike (the export's writer, processing/spin_export.h):
// article-1.txt to article-K.txt, the numbers padded with zeros to the width
// of K (article-01.txt to article-12.txt for 12), each article as a spun
// article is written (files/text_files.h).
//
// The batch is written as one. Nothing is written when a file of one of its
// names is there already; each article goes to a new file of its own
// (files/new_file.h), and the files are given their names only once every
// one is written, never over a file. A failure, a full disk or a cancel
// leaves no file of the batch behind, half-written or whole, nor the folders
// the batch made for it. New files of a batch whose writer was killed
// before it could remove them are removed by the next batch into the
// folder, which names them.

#include <QString>
#include <QStringList>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "processing/spinning.h"

namespace kestrelwick {

class NewFile;

// The name of article number (from 1) of a batch of count
// (articleFileName), and of the batch's record.
QString batchFileName(std::size_t number, std::size_t count);
inline constexpr QLatin1StringView kBatchRecordName("shares.csv");

// Why a batch of count cannot go into folder because a file of one of its
// names is there already, naming it (the one of the lowest number, or the
// record); nothing when none is. One listing of the folder, however large
// the count.
std::optional<Refusal> fileInTheWay(const QString& folder, std::size_t count);

class BatchFolder final : public ArticleWriter {
  public:
    explicit BatchFolder(QString folder);
    // Removes what was written but not named, and the folders made for it.
    ~BatchFolder() override;
    BatchFolder(const BatchFolder&) = delete;
    BatchFolder& operator=(const BatchFolder&) = delete;

    std::optional<Refusal> check(std::size_t count) override;
    // The first article makes the folder where it is missing.
    std::optional<Refusal> write(std::size_t number, std::size_t count,
                                 std::u16string_view article) override;
    std::optional<Refusal> writeRecord(std::u16string_view table) override;
    std::optional<Refusal> finish() override;

    // What a batch stopped before it named its files left in the folder,
    // removed by this one: "Removed 5 files that a stopped batch left
    // there: article-1.txt.new-4711-0a1b2c3d, ... ." Empty for none.
    QString leftoversRemoved() const;

  private:
    // Makes the folder, finds nothing in the way and removes what stopped
    // batches left: before the first file.
    std::optional<Refusal> prepare(std::size_t count);
    void removeLeftovers();
    // Writes a file of the batch, to be named with the others.
    std::optional<Refusal> add(const QString& path, std::u16string_view text);

    QString folder_;
    QStringList made_;       // folders this batch made, the deepest first
    QStringList leftovers_;  // removed, by name
    std::vector<std::unique_ptr<NewFile>> files_;
    std::vector<QString> paths_;
    bool named_ = false;
};

}  // namespace kestrelwick
