#pragma once

// The last step of every batch: no two of its articles read the same, and
// none reads as a written one (processing/article_spelling.h). The search
// tells articles apart by their choices, which is cheap; this step reads
// their texts, once, and changes each article that reads as one before it
// to one that reads as no other, within the share limit where there is one.

#include <cstdint>
#include <optional>
#include <vector>

#include "processing/article_share.h"
#include "processing/article_spelling.h"
#include "processing/spin_choices.h"

namespace kestrelwick {

// Changes the articles of batch that read as one before them, or as one of
// written; an article for which no other is found is left out, so that the
// batch is shorter only where the text reads as fewer different articles
// (or none is found within the limit).
void spellApart(std::vector<ArticleChoice>& batch, const SpinChoices& choices,
                const std::vector<GroupRuns>& runs, const ArticleSpellings& spellings,
                const std::vector<ArticleChoice>& written, std::optional<int> limit,
                std::uint64_t seed);

}  // namespace kestrelwick
