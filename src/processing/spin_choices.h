#pragma once

// A spin text read for writing many articles from it: the text between the
// groups, which every article keeps, and each group's alternatives, every
// different text once. An article is then one choice of alternative per
// group, and two different choices are two different articles.
//
// The groups are found as the spinner finds them (processing/spinner.h): a {
// opens a group, the format's separator divides it, a } closes it, and a text
// that cannot be spun says where.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "processing/counted_articles.h"
#include "processing/refusal.h"
#include "processing/spin_formats.h"

namespace kestrelwick {

// An article: for each group, the number of its alternative.
using ArticleChoice = std::vector<std::uint16_t>;

struct SpinChoices {
    struct Group {
        std::size_t open = 0;   // where its { stands in the text
        std::size_t close = 0;  // where its } stands
        // Its different alternatives in the order they first appear: all of
        // them, or the first kept ones where it has more (read()).
        std::vector<std::u16string_view> alternatives;
        // How many different alternatives it has in all.
        std::uint64_t different = 0;
        // The alternative each written article takes here, by its number
        // among the different ones; always one of the first three, so kept.
        std::array<std::uint16_t, kArticleCount> written{};
    };

    std::u16string_view text;
    std::vector<Group> groups;

    // The number of different articles the text gives: the product of the
    // groups' different alternatives, or the largest 64-bit number when it
    // is larger.
    std::uint64_t articles() const;
    // The same of the alternatives kept to choose from.
    std::uint64_t keptArticles() const;

    // The article of a choice, line breaks as in the text.
    std::u16string article(const ArticleChoice& choice) const;

    // Written article i (from 0), as a choice.
    ArticleChoice writtenArticle(std::size_t i) const;
    // The written articles, each different choice once: one to three.
    std::vector<ArticleChoice> writtenArticles() const;
};

// Reads the groups of a spin text; keep is the most alternatives of one
// group that are kept to choose from (at least 1; the first three are kept
// whatever it is, as the written articles take them). The choices view into
// text, which outlives them.
OrRefusal<SpinChoices> readSpinChoices(std::u16string_view text, SpinFormat format,
                                       std::size_t keep);

}  // namespace kestrelwick
