#pragma once

// What the spin text gives, in one line of the report:
//
//   The spin text gives N different articles; two of them share on average
//   P % of their runs of four words.
//
// N is the product, over the groups, of the number of different versions in
// each (versions of the same text count once): written in full up to twelve
// digits, beyond that as "about D.DD × 10^E". A group has one to three
// versions, so N is 2^a × 3^b and its size is known exactly however many
// groups there are. P is the share of processing/paragraph_comparison.h.

#include <cstdint>
#include <optional>
#include <string>

#include "processing/paragraph_comparison.h"
#include "processing/spin_text.h"

namespace kestrelwick {

struct SpinYield {
    // N = 2^twos × 3^threes.
    std::uint64_t twos = 0;
    std::uint64_t threes = 0;
    int sharePercent = 0;

    // N when it has at most twelve digits.
    std::optional<std::uint64_t> exactArticles() const;
    // N as the line writes it.
    std::u16string articlesText() const;
    // The whole line.
    std::u16string line() const;
};

// What a spin text gives; nothing for a spin text without groups.
std::optional<SpinYield> spinYield(const SpinText& spin, const RunShare& share);

}  // namespace kestrelwick
