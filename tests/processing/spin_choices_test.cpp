// A spin text read for many articles: the written articles it records.

#include <gtest/gtest.h>

#include <variant>

#include "processing/spin_choices.h"

namespace kestrelwick {
namespace {

// Written article i takes each group's i-th version as written, the last
// where the group has fewer; versions alike are one alternative.
TEST(SpinChoices, RecordsTheWrittenArticles) {
    const auto read = [](std::u16string_view text) {
        return std::get<SpinChoices>(readSpinChoices(text, SpinFormat::Ama, 1));
    };
    const SpinChoices choices = read(u"{a~b~a} {c~d} {e} {f~g~h~i}");
    EXPECT_EQ(choices.writtenArticle(0), (ArticleChoice{0, 0, 0, 0}));
    EXPECT_EQ(choices.writtenArticle(1), (ArticleChoice{1, 1, 0, 1}));
    EXPECT_EQ(choices.writtenArticle(2), (ArticleChoice{0, 1, 0, 2}));
    EXPECT_EQ(choices.writtenArticles().size(), 3u);
    EXPECT_EQ(read(u"{a~b} {c}").writtenArticles(), (std::vector<ArticleChoice>{{0, 0}, {1, 0}}));
}

}  // namespace
}  // namespace kestrelwick
