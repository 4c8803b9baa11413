// Articles of a spin text that read the same.

#include <gtest/gtest.h>

#include <variant>

#include "processing/article_spelling.h"

namespace kestrelwick {
namespace {

// A fingerprint is the same for the same text however it is cut into
// groups, and the texts themselves tell.
TEST(ArticleSpelling, TellsArticlesThatReadTheSame) {
    const auto choices =
        std::get<SpinChoices>(readSpinChoices(u"{x~x y} {y z~z}!", SpinFormat::Ama, 1));
    const ArticleSpellings spellings(choices);
    const ArticleChoice all[] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
    for (const ArticleChoice& a : all) {
        for (const ArticleChoice& b : all) {
            const bool same = choices.article(a) == choices.article(b);
            EXPECT_EQ(spellings.same(a, b), same);
            EXPECT_TRUE(!same || spellings.fingerprint(a) == spellings.fingerprint(b));
        }
    }
    EXPECT_EQ(sameSpellings(spellings, {{0, 1}, {1, 1}, {0, 1}}, {{0, 0}}),
              (std::vector<std::size_t>{1, 2}));
}

}  // namespace
}  // namespace kestrelwick
