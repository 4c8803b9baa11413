#pragma once

// The first batch of articles, as a code: article t is the number t written
// in base m, and a group of m alternatives takes the alternative
// a . digits(t) + c (mod m), for a direction a and an offset c of its own.
// Two articles then agree in a group where a is at right angles to the
// difference of their digits, so what a pair shares depends only on that
// difference d: the groups whose directions lie in the plane at right
// angles to d.
//
// The directions are chosen group by group, heaviest first (by the runs of
// its alternatives), each the one of a sample that keeps the heaviest such
// plane lightest, and then the sum of the squares of their weights least: a
// pair of articles then shares as little as the code allows, and every pair
// about as much. Where a text has more groups than there are directions,
// every direction comes in turn as often (the simplex code, whose articles
// all agree equally often). Nine articles of four groups of three are the
// code in which any two agree in exactly one group.
//
// Offsets change no agreement between two articles of the code; they are
// chosen, group by group, so that its articles agree as little as they can
// with the written articles, which the batch keeps apart from.
//
// The code needs no table of pairs, so it is also the whole choice for
// batches too large to search.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "processing/article_share.h"
#include "processing/spin_random.h"

namespace kestrelwick {

class LinearCode {
  public:
    // sizes: the alternatives of each group (at least 2); weights: how much
    // agreeing in each group weighs; count: how many articles; apart: the
    // articles to keep apart from, a choice for each group.
    LinearCode(const std::vector<std::size_t>& sizes, const std::vector<std::uint64_t>& weights,
               std::uint64_t count, SpinRandom& random,
               const std::vector<std::vector<std::uint16_t>>& apart = {});

    // Article t's alternative in each group.
    void article(std::uint64_t t, std::uint16_t* choice) const;

  private:
    void keepApart(const std::vector<std::uint64_t>& weights, std::uint64_t count,
                   const std::vector<std::vector<std::uint16_t>>& apart);

    std::vector<std::size_t> sizes_;
    std::vector<std::vector<std::uint16_t>> directions_;  // of each group
    std::vector<std::uint16_t> offsets_;
};

// The code of count articles over the given groups of a text (those with a
// choice), agreeing in a group weighing as much as its alternatives' runs,
// kept apart from the given articles (whole choices).
LinearCode linearCodeOf(const std::vector<GroupRuns>& runs, const std::vector<std::size_t>& groups,
                        const std::vector<ArticleChoice>& apart, std::uint64_t count,
                        SpinRandom& random);

}  // namespace kestrelwick
