#pragma once

// The export of a batch of spun articles, for the window and the command
// line alike: from a spin text already read (processing/spin_source.h), the
// batch chosen (processing/article_batch.h) and written through a writer
// that the front end gives (the files room writes them into a folder),
// with one outcome that says what was done.
//
// In order: a count larger than the text gives is refused (the three
// articles the user wrote left out, unless they may be taken); a file in the
// way is refused before any time goes into choosing (unless a share limit
// leaves the count open); the batch is chosen; each article is written, then
// its record (shares.csv), and all are named at the end, whole or not at all. The user's cancel is
// asked for throughout, and stops the export with nothing left behind.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "processing/article_batch.h"
#include "processing/refusal.h"
#include "processing/spin_source.h"

namespace kestrelwick {

// The most articles one batch can be: every pair of them is measured for the
// batch's line (fifty million pairs at this count, under a second for a
// short text, half a minute for one of a thousand paragraphs, and four times
// as long at twice the count), and each is a file of its own. A larger count
// is refused before any work.
inline constexpr std::uint64_t kMostArticlesInABatch = 10000;
// Why, as a clause: "a batch is at most 100000 articles: ..."
std::u16string mostArticlesReason();

// Where the articles of a batch go.
class ArticleWriter {
  public:
    virtual ~ArticleWriter() = default;
    // Before the choice: why a batch of count cannot go where it is to go
    // (a file of one of its names is there), or nothing. Changes nothing.
    virtual std::optional<Refusal> check(std::size_t count) = 0;
    // Writes article number (from 1) of count, not yet under its name.
    virtual std::optional<Refusal> write(std::size_t number, std::size_t count,
                                         std::u16string_view article) = 0;
    // Writes the record of the batch (shares.csv), not yet under its name.
    virtual std::optional<Refusal> writeRecord(std::u16string_view table) = 0;
    // Gives every article written its name: all of them, or none.
    virtual std::optional<Refusal> finish() = 0;
};

// Asked whether to stop, and told how far the writing has come.
class ExportProgress : public BatchProgress {
  public:
    virtual void written(std::size_t /*count*/, std::size_t /*total*/) {}
};

struct ExportOutcome {
    enum class Kind { Written, Refused, Cancelled };
    Kind kind = Kind::Written;
    // Written: the batch's line (Batch::summary).
    std::u16string summary;
    // Refused: why; NoMemory where memory ran short while choosing.
    std::optional<Refusal> refusal;
};

ExportOutcome exportSpunArticles(const SpinSource& spin, const BatchRequest& request,
                                 ExportProgress& progress, ArticleWriter& writer);

}  // namespace kestrelwick
