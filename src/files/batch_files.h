#pragma once

// A batch of articles written to a folder, for the command line and the
// window alike: article-1.txt to article-K.txt, the numbers padded with
// zeros to the width of K (article-01.txt to article-12.txt for 12), each
// article as a spun article is written (files/text_files.h).
//
// The batch is written as one. Nothing is written when a file of one of its
// names is there already; each article goes to a new file of its own
// (files/new_file.h), and the files are given their names only once every
// one is written, never over a file. A failure, a full disk or a cancel
// leaves no file of the batch behind, half-written or whole.

#include <QString>

#include <cstddef>
#include <functional>
#include <string>

namespace kestrelwick {

// The name of article number (from 1) of a batch of count.
QString batchFileName(std::size_t number, std::size_t count);

// Why a batch of count cannot go into folder because a file of one of its
// names is there already, naming it; empty when none is.
QString fileInTheWay(const QString& folder, std::size_t count);

struct BatchFiles {
    enum class Outcome { Written, Refused, Cancelled };
    Outcome outcome = Outcome::Written;
    // Why it was refused, naming the file or folder: a sentence.
    QString message;
};

// Writes count articles into folder, which is made when missing. article(n)
// gives article n (from 1), line breaks CR LF; goOn(n) is asked after each
// one is written and stops the batch when it says no.
BatchFiles writeBatchFiles(const QString& folder, std::size_t count,
                           const std::function<std::u16string(std::size_t)>& article,
                           const std::function<bool(std::size_t)>& goOn);

}  // namespace kestrelwick
