#pragma once

// How much two articles spun from one spin text repeat each other: their
// share.
//
// In each group, two articles share the four-word runs that the alternatives
// they chose have in common, counted as sets (processing/wording.h; an
// alternative of fewer than four words is one run, a blank one none). Their
// share is those runs summed over the groups, divided by the mean of the two
// articles' runs summed over the groups:
//
//   share = 2 S / (R1 + R2)
//
// The text between the groups is the same in every article and takes no part,
// as in the report's share P (processing/spin_yield.h): P is what this share
// is on average for two articles spun at random, so the numbers agree.
// Shares are kept as exact fractions, compared exactly, and written in whole
// percent, halves up (percentHalvesUp).

#include <cstdint>
#include <map>
#include <vector>

#include "processing/paragraph_comparison.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

// The runs of each kept alternative of a group, and those each pair shares.
// An article is at most 256 Mi code units, so the runs of one, and those two
// share, fit in 32 bits.
class GroupRuns {
  public:
    explicit GroupRuns(std::size_t alternatives)
        : count_(alternatives), shared_(alternatives * alternatives, 0) {}

    std::size_t alternatives() const { return count_; }
    // The runs of alternative a.
    std::uint32_t runs(std::size_t a) const { return shared_[a * count_ + a]; }
    // The runs that alternatives a and b share; runs(a) when a is b.
    std::uint32_t shared(std::size_t a, std::size_t b) const { return shared_[a * count_ + b]; }
    // The runs that alternative a shares with each alternative, in order.
    const std::uint32_t* sharedWith(std::size_t a) const { return shared_.data() + a * count_; }
    void set(std::size_t a, std::size_t b, std::uint64_t runs) {
        shared_[a * count_ + b] = std::uint32_t(runs);
        shared_[b * count_ + a] = std::uint32_t(runs);
    }

  private:
    std::size_t count_;
    std::vector<std::uint32_t> shared_;
};

// Counts the runs of every group's kept alternatives.
std::vector<GroupRuns> countGroupRuns(const SpinChoices& choices);

// A share as a fraction: 2 S / (R1 + R2).
struct Share {
    std::uint64_t shared = 0;  // S
    std::uint64_t runs = 0;    // R1 + R2

    int percent() const { return percentHalvesUp(2 * shared, runs); }
    // Whether the share is at most the given whole percent.
    bool atMost(int percent) const;
    double value() const { return runs == 0 ? 0.0 : 2.0 * double(shared) / double(runs); }
};
// Exact comparison of two shares.
bool operator<(const Share& a, const Share& b);
bool operator==(const Share& a, const Share& b);

// What a set of articles shares: the highest share of any two, exactly and
// in whole percent, and the mean share over all pairs in whole percent,
// halves up; all 0 for fewer than two articles.
struct SetShares {
    Share highest;
    int highestPercent = 0;
    int meanPercent = 0;
};

// The mean of the shares of many pairs, in whole percent, halves up. It is
// exact where the sum of the pairs' fractions has a common denominator
// within 128 bits, as it has for all but sets of very many different
// lengths; beyond that it is summed in long double.
class MeanShare {
  public:
    __extension__ using Wide = unsigned __int128;

    // Counts pairs of articles whose runs add up to runs, and whose shared
    // runs add up to shared over the pairs.
    void add(std::uint64_t runs, Wide shared, std::uint64_t pairs);
    int percent() const;

  private:
    // Beyond this many different sums of runs, the exact sum is given up.
    static constexpr std::size_t kMostExact = 256;

    std::map<std::uint64_t, Wide> sharedByRuns_;
    bool exact_ = true;
    long double approximate_ = 0;
    std::uint64_t pairs_ = 0;
};

// The runs of one article, summed over the groups.
std::uint64_t runsOf(const std::vector<GroupRuns>& runs, const ArticleChoice& article);
// The share of two articles.
Share shareOf(const std::vector<GroupRuns>& runs, const ArticleChoice& a, const ArticleChoice& b);

}  // namespace kestrelwick
