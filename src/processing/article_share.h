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
#include <vector>

#include "processing/paragraph_comparison.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

// The runs of each kept alternative of a group, and those each pair shares.
class GroupRuns {
  public:
    explicit GroupRuns(std::size_t alternatives)
        : count_(alternatives), shared_(alternatives * alternatives, 0) {}

    std::size_t alternatives() const { return count_; }
    // The runs of alternative a.
    std::uint64_t runs(std::size_t a) const { return shared_[a * count_ + a]; }
    // The runs that alternatives a and b share; runs(a) when a is b.
    std::uint64_t shared(std::size_t a, std::size_t b) const { return shared_[a * count_ + b]; }
    void set(std::size_t a, std::size_t b, std::uint64_t runs) {
        shared_[a * count_ + b] = runs;
        shared_[b * count_ + a] = runs;
    }

  private:
    std::size_t count_;
    std::vector<std::uint64_t> shared_;
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

// What a set of articles shares: the highest share of any two, exactly and
// in whole percent, and the mean share over all pairs in whole percent,
// halves up; all 0 for fewer than two articles. The mean is exact where the
// sum of the pairs' fractions has a common denominator within 128 bits, as
// it has for all but sets of very many different lengths.
struct SetShares {
    Share highest;
    int highestPercent = 0;
    int meanPercent = 0;
};
// From the shares of the pairs: pairs[a] holds those of article a with each
// later one.
SetShares sharesOf(const std::vector<std::vector<Share>>& pairs);
SetShares sharesOf(const std::vector<GroupRuns>& runs, const std::vector<ArticleChoice>& articles);

// The runs of one article, summed over the groups.
std::uint64_t runsOf(const std::vector<GroupRuns>& runs, const ArticleChoice& article);
// The share of two articles.
Share shareOf(const std::vector<GroupRuns>& runs, const ArticleChoice& a, const ArticleChoice& b);

}  // namespace kestrelwick
