#pragma once

// A batch of articles spun from one spin text, chosen so that no two repeat
// each other more than they must (their share: processing/article_share.h),
// nor the three articles the user wrote, which are published already.
//
// What is always true of a batch:
//   - every article is one that the spin text gives, no two are alike and
//     no two read the same, and none is or reads as a written one (unless
//     asked to take those like any other);
//   - its highest share is never above that of the batch of the same size
//     drawn at random with the same seed;
//   - where every group of the text has at least as many alternatives as
//     the batch has articles, and no two of them share a run, no two
//     articles share anything (0 %);
//   - the same text, count, limit and seed give the same batch on every
//     system: the search takes its turns from its own generator and a
//     fixed amount of work, never from the clock.
//
// What it lowers: first the highest share of two of its articles (X), then
// the highest share of one of them with a written one (Z).
//
// How it is chosen:
//   - Two articles: the pair that shares least, exactly
//     (processing/least_shared_pair.h), where the work that takes is small;
//     the search below then lowers Z without raising X.
//   - More, up to 2,048: a linear code (processing/linear_code.h), then a
//     local search (processing/batch_search.h) that takes an article of the
//     pair that shares most, tries other alternatives in the groups where
//     the two share runs (a sample of them, where there are many), and makes
//     the change that lowers what it lowers most; where no change helps it
//     makes one at random, and goes back to the best batch it has seen when
//     that leads nowhere. The work it may do is set in advance, in
//     proportion to the pairs of the batch times the groups of the text, and
//     at least enough to search a short text well.
//   - More than 2,048: the linear code alone, which needs no table of
//     pairs.
//   - With a share limit: the batch grows one article at a time while one
//     can be placed within the limit, a few tries for each; then, where the
//     text gives at most about a thousand articles to choose from, the most
//     there can be is found exactly (processing/most_within_limit.h), and
//     otherwise the batch says that a longer search may find more.
// Two articles that read the same are found by their text
// (processing/article_spelling.h) and one of them changed. The best batch
// found, or the random one where that is better, is the answer.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "processing/article_share.h"
#include "processing/batch_progress.h"
#include "processing/batch_record.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

struct BatchRequest {
    std::uint64_t count = 1;      // how many articles: K, or the most with a limit
    std::optional<int> maxShare;  // no two share more than this percent
    std::uint64_t seed = 0;
    // The written articles may be chosen like any other, take no part in
    // the limit, and are not kept apart from.
    bool withWritten = false;
};

// How many articles a batch can take: those the text gives, but for the
// written ones unless they are taken like any other (and fewer where
// articles read the same: chooseBatch then returns fewer). Callers refuse a
// larger count.
std::uint64_t availableArticles(const SpinChoices& choices, bool withWritten);

// How many alternatives of a group a batch of count articles chooses from:
// every one, up to a bound that keeps a group of thousands from costing
// more than it gives (readSpinChoices' keep).
std::size_t alternativesToKeep(std::uint64_t count);

// Chooses the batch: the count asked, or as many as the text gives where
// that is fewer. Nothing when cancelled.
std::optional<Batch> chooseBatch(const SpinChoices& choices, const std::vector<GroupRuns>& runs,
                                 const BatchRequest& request, BatchProgress* progress = nullptr);

// The batch of count different articles drawn at random with a seed, each
// alternative of a group equally likely, none a written one unless those
// are taken like any other: what the guarantee above compares with.
std::vector<ArticleChoice> randomBatch(const SpinChoices& choices, std::uint64_t count,
                                       std::uint64_t seed, bool withWritten = false);

}  // namespace kestrelwick
