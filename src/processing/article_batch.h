#pragma once

// A batch of articles spun from one spin text, chosen so that no two repeat
// each other more than they must (their share: processing/article_share.h).
//
// What is always true of a batch:
//   - every article is one that the spin text gives, and no two are alike;
//   - its highest share is never above that of the batch of the same size
//     drawn at random with the same seed;
//   - where every group of the text has at least as many alternatives as
//     the batch has articles, and no two of them share a run, no two
//     articles share anything (0 %);
//   - the same text, count, limit and seed give the same batch on every
//     system: the search takes its turns from its own generator and a
//     fixed amount of work, never from the clock.
// And in practice: nine articles of four groups of three wholly different
// alternatives share one group in four (25 %), the least there can be.
//
// How it is chosen: a first batch is built one article at a time, each
// taking in every group the alternative that adds least to the sum of the
// squares of what it shares with the articles before it, so that sharing is
// spread over the pairs rather than heaped on a few. A local search then
// takes an article of the pair that shares most, tries the other
// alternatives of its groups (of a sample of them, where there are many),
// and makes the change that lowers the highest share, or else the number of
// pairs at it, or else the sum of the squares of all shares; where no change
// helps, it makes one at random, and goes back to the best batch it has
// seen when that leads nowhere. The work it may do is set in advance, in
// proportion to the text it will write and at least enough to search a
// short text well, so that choosing costs little beside writing. The best
// batch found, or the random one where that is better, is the answer.
//
// With a share limit, the batch grows one article at a time for as long as
// the search can keep every share within the limit (to 2,048 articles; a
// limit of 100 % or more keeps any).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "processing/article_share.h"
#include "processing/batch_search.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

struct BatchRequest {
    std::uint64_t count = 1;      // how many articles: K, or the most with a limit
    std::optional<int> maxShare;  // no two share more than this percent
    std::uint64_t seed = 0;
    // The three articles the user wrote may be chosen, and take no part in
    // the limit: for a user who publishes none of them.
    bool withWritten = false;
};

struct Batch {
    std::vector<ArticleChoice> articles;
    SetShares shares;

    // "9 articles: any two share at most 25 % of their runs of four words,
    // on average 25 %."
    std::u16string summary() const;
};

// How many alternatives of a group a batch of count articles chooses from:
// every one, up to a bound that keeps a group of thousands from costing
// more than it gives (readSpinChoices' keep).
std::size_t alternativesToKeep(std::uint64_t count);

// Chooses the batch. The request's count is at least 1 and at most
// choices.articles(). Nothing when cancelled.
std::optional<Batch> chooseBatch(const SpinChoices& choices, const std::vector<GroupRuns>& runs,
                                 const BatchRequest& request, BatchProgress* progress = nullptr);

// The batch of count different articles drawn at random with a seed, each
// alternative of a group equally likely, as the guarantee above compares.
std::vector<ArticleChoice> randomBatch(const SpinChoices& choices, std::uint64_t count,
                                       std::uint64_t seed);

// A batch of the given articles, with its shares.
Batch measureBatch(const std::vector<GroupRuns>& runs, std::vector<ArticleChoice> articles);

}  // namespace kestrelwick
