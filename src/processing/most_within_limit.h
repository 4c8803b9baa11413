#pragma once

// The most articles of a spin text of which no two share more than a limit,
// found exactly where the text gives at most about a thousand articles that
// could be in such a batch: not written ones, none that shares more than
// the limit with a written one, and of articles that read the same only one
// at a time.
//
// Those articles are the points of a graph in which two are joined where
// they share at most the limit and read differently; a batch is a set of
// points each joined to every other (a clique), and the most articles are
// the largest. It is found by branch and bound over sets of points held as
// bits: the points left to add are coloured greedily so that no two of one
// colour are joined, and a branch stops where the articles so far and the
// colours left cannot pass the largest batch known (Tomita's and San
// Segundo's way). The search starts from the batch the heuristic found, and
// stops early once it has the count asked or the work is spent.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "processing/article_share.h"
#include "processing/article_spelling.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

struct MostWithin {
    std::vector<ArticleChoice> articles;
    // Whether no batch of more (up to the count asked) exists.
    bool proven = false;
};

// written: the articles to keep apart from (none where the written ones are
// chosen like any other); found: a batch within the limit already. Nothing
// where the text gives too many articles to search, or work runs out
// before the articles are even compared.
std::optional<MostWithin> mostWithinLimit(
    const SpinChoices& choices, const std::vector<GroupRuns>& runs,
    const ArticleSpellings& spellings, const std::vector<ArticleChoice>& written, int limit,
    std::uint64_t count, const std::vector<ArticleChoice>& found, std::int64_t work);

// The two articles of different texts, neither a written one nor reading
// as one, that share least, every pair tried; nothing where the text gives
// too many articles or the work would pass the given amount. Where the pair
// that shares least (processing/least_shared_pair.h) reads the same.
std::optional<std::array<ArticleChoice, 2>> leastSharedReadPair(
    const SpinChoices& choices, const std::vector<GroupRuns>& runs,
    const ArticleSpellings& spellings, const std::vector<ArticleChoice>& written,
    std::int64_t work);

}  // namespace kestrelwick
