#pragma once

// What a batch of articles is, and the record of it that the user gets: the
// summary line, and a table of what each article shares, written beside the
// articles as shares.csv.
//
// A batch is measured by reading every pair of its articles once, keeping
// nothing per pair, so that a batch of many thousands takes memory in
// proportion to its articles only. Every number it reports comes from exact
// counts of runs, in whole percent, halves up (percentHalvesUp).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "processing/article_share.h"
#include "processing/batch_progress.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

// What one article of a batch shares: the most with another of the batch,
// and with each written article.
struct ArticleShares {
    Share highest;
    std::size_t partner = 0;  // the article it shares that with (itself when alone)
    std::array<Share, kArticleCount> written;
};

struct Batch {
    std::vector<ArticleChoice> articles;
    SetShares shares;  // between the articles: the highest (X) and the mean (Y)
    // The highest share of an article with a written one (Z).
    Share writtenHighest;
    std::vector<ArticleShares> each;

    // As asked: whether the written articles were chosen like any other (and
    // so take no part in the line), the share limit, and the seed.
    bool withWritten = false;
    std::optional<int> maxShare;
    std::uint64_t seed = 0;
    // The search for the most articles within the limit stopped before it
    // could tell that there are no more.
    bool mayFindMore = false;

    // "9 articles: any two share at most 25 % of their runs of four words,
    // on average 25 %; with the three you wrote at most 50 %. Seed 7."
    std::u16string summary() const;
    // shares.csv: a line of column names, then a line for each article: its
    // file, its highest share, the file it shares that with, and its share
    // with each written article; LF line breaks.
    std::u16string sharesTable() const;
};

// The file of article number (from 1) of a batch of count: article-1.txt,
// the number padded with zeros to the width of count (article-01.txt for
// twelve).
std::u16string articleFileName(std::size_t number, std::size_t count);

// A batch of the given articles, with its shares; nothing when cancelled.
std::optional<Batch> measureBatch(const SpinChoices& choices, const std::vector<GroupRuns>& runs,
                                  std::vector<ArticleChoice> articles,
                                  BatchProgress* progress = nullptr);

}  // namespace kestrelwick
