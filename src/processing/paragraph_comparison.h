#pragma once

// The versions of every paragraph compared, once per check, for the two
// things that need it: the report's notes on versions worded the same or
// nearly the same, paragraph by paragraph, and the share of wording that two
// spun articles repeat, over the spin text's groups.
//
// Only the versions that go into the spin text take part: those of the third
// article's paragraphs that are not blank, which are exactly the versions of
// the spin text's groups.
//
// The share: pick one version of every group at random, each version of a
// group equally likely, twice and independently. It is the expected number
// of four-word runs that the two picks of a group share (as sets of runs,
// processing/wording.h), summed over the groups, over the expected number of
// runs of one pick summed over the groups. Both are kept as whole numbers,
// scaled by 36 (a multiple of the square of every group's size), so that
// the share is exact. Runs are counted within a group: by sentence, a run
// across two sentences' groups is not counted, so the share is then a lower
// estimate of what two articles repeat.

#include <array>
#include <cstdint>

#include "processing/counted_articles.h"
#include "processing/spin_text.h"
#include "processing/wording.h"

namespace kestrelwick {

// The pairs of articles whose versions are compared, in the order the report
// names them.
inline constexpr auto kArticlePairs = WordingComparer::kPairs;

// A fraction in whole percent, halves up: 100 x numerator / denominator
// rounded to the nearest whole number, a half upwards; 0 when the
// denominator is 0. Every share the user reads is rounded by this rule.
int percentHalvesUp(std::uint64_t numerator, std::uint64_t denominator);

struct RunShare {
    std::uint64_t sharedRuns = 0;  // expected runs the two picks share, x 36
    std::uint64_t runs = 0;        // expected runs of one pick, x 36

    // The share in whole percent, halves up; 0 without runs.
    int percent() const;
};

struct ParagraphComparison {
    // By pair of articles, the paragraphs that the two word the same, and
    // nearly the same.
    std::array<ParagraphNumbers, kArticlePairs.size()> same;
    std::array<ParagraphNumbers, kArticlePairs.size()> nearlySame;
    RunShare share;
};

// Compares every paragraph's versions, and counts the share over the groups
// of the spin text built from the same articles. A group of a whole
// paragraph is counted in the same reading as its paragraph. Long articles
// are compared on two threads; the comparers together take no more memory
// than the articles themselves (as 16-bit text), however long a paragraph
// is.
ParagraphComparison compareParagraphs(const CountedArticles& articles, const SpinText& spin);

}  // namespace kestrelwick
