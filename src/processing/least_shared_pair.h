#pragma once

// The two articles of a spin text that share least, found exactly: what a
// batch of two is (processing/article_batch.h).
//
// The share 2 S / (R1 + R2) is a ratio, lowered in turns (Dinkelbach's
// way): for the lowest share found so far, p / q, the pair that makes
// q S - p (R1 + R2) least is found group by group, as a sum of what each
// group adds; where that least is below 0, that pair shares less, and the
// next turn starts from it; where it is 0, nothing shares less. Everything
// is counted in whole numbers (128 bits), so the answer is exact.
//
// Each turn goes through the groups once, keeping for every state of what
// is settled the cheapest way to it: whether the two articles differ yet,
// and whether each differs yet from each written article it must keep
// apart from (at most 2^7 states). A pair of alternatives of a group
// settles some of that; the cheapest pair of each kind is all a group
// needs to offer.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "processing/article_share.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

// The pair of different articles, each different from every written one
// given, that shares least; nothing where no such pair exists or the work
// would pass the given amount (in steps of the search's kind).
std::optional<std::array<ArticleChoice, 2>> leastSharedPair(
    const std::vector<GroupRuns>& runs, const std::vector<ArticleChoice>& written,
    std::int64_t work);

}  // namespace kestrelwick
