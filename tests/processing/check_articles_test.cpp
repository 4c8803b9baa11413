#include "processing/check_articles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/checked.h"
#include "support/dog_training_article.h"

namespace kestrelwick {
namespace {

using testing::checked;
using testing::kDogs1;
using testing::kDogs2;
using testing::kDogs3;
using testing::kDogsGrid;
using testing::kDogsSpin;
using Lines = std::vector<std::u16string_view>;

std::u16string repeated(std::u16string_view piece, int times) {
    std::u16string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

TEST(CheckArticles, WorkedExampleShowsCountsGridAndMinimum) {
    const auto check = checked(kDogs1, kDogs2, kDogs3);
    EXPECT_EQ(check.captions[0], u"Words: 21");
    EXPECT_EQ(check.captions[1], u"Words: 20");
    EXPECT_EQ(check.captions[2], u"Words: 19");
    EXPECT_EQ(check.grid, kDogsGrid);
    EXPECT_EQ(check.captions[3], u"Minimum words: 7");
    EXPECT_EQ(check.message, u"Minimum length = 7 words");
    EXPECT_EQ(check.spinText, kDogsSpin);
}

TEST(CheckArticles, WorkedExampleCountsEveryParagraph) {
    const auto check = checked(kDogs1, kDogs2, kDogs3);
    const CheckResult& result = *check.result;
    EXPECT_EQ(result.articles.paragraphWords[0], (std::vector<WordCount>{3, 5, 8, 5}));
    EXPECT_EQ(result.articles.paragraphWords[1], (std::vector<WordCount>{4, 8, 4, 4}));
    EXPECT_EQ(result.articles.paragraphWords[2], (std::vector<WordCount>{5, 4, 7, 3}));
    EXPECT_EQ(result.articles.articleWords, (std::array<WordCount, 3>{21, 20, 19}));
    EXPECT_EQ(result.paragraphMinimums, (std::vector<WordCount>{0, 4, 4, 3}));
    EXPECT_EQ(result.minimumLength, 7);
    EXPECT_EQ(result.gridParagraphs, (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(result.spinText.groups().size(), 4u);
}

TEST(CheckArticles, EmptySecondWordingLeavesNoGapInTheGrid) {
    const auto check = checked(kDogs1,
                               u"Tips For Training Dogs\r\n"
                               u"Teaching a dog needs a lot of patience.\r\n"
                               u"\r\n"
                               u"Always reward good behaviour.",
                               kDogs3);
    EXPECT_EQ(check.captions[1], u"Words: 16");
    EXPECT_EQ(check.grid, u"5\t8\t4\t\r\n8\t7\t\r\n5\t4\t3\t\r\n");
    EXPECT_EQ(check.captions[3], u"Minimum words: 10");
    EXPECT_EQ(check.message, u"Minimum length = 10 words");
}

// The tidied texts are views into the texts given: nothing is copied.
TEST(CheckArticles, TidiedArticlesAreViewsIntoTheTextsGiven) {
    const std::u16string a1 = u"  a b\r\n", a2 = u"c\r\nd", a3 = u"e\r\nf g";
    const CheckResult result = checkArticles({a1, a2, a3});
    EXPECT_EQ(result.articles.tidied[0], u"a b");
    EXPECT_EQ(result.articles.tidied[0].data(), a1.data() + 2);
    EXPECT_EQ(result.articles.tidied[2].data(), a3.data());
    EXPECT_EQ(result.captions, (std::array<std::u16string, 4>{u"Words: 2", u"Words: 2", u"Words: 3",
                                                              u"Minimum words: 0"}));
    EXPECT_EQ(result.grid, u"1\t2\t\r\n");
    EXPECT_EQ(result.message, u"Minimum length = 0 words");
    ASSERT_EQ(result.spinText.groups().size(), 2u);
    EXPECT_EQ(result.spinText.group(1).version(1).data(), a3.data() + 3);
    EXPECT_EQ(std::u16string(writeSpinText(result.spinText)),
              u"{a b~c~e}\r\n\r\n\r\n{d~f g}\r\n\r\n");
}

TEST(CheckArticles, ParagraphRolesFollowTheThirdArticle) {
    // Only the third article's paragraph 0: no grid, no minimum, totals still shown.
    auto check = checked(u"a b\r\nc d e", u"f", u"g h i");
    EXPECT_EQ(check.grid, u"");
    EXPECT_EQ(check.captions[0], u"Words: 5");
    EXPECT_EQ(check.captions[3], u"Minimum words: 0");

    // Two paragraphs: paragraph 1 is in the grid but not in the minimum.
    check = checked(u"t\r\na b", u"t\r\nc", u"t\r\nd e f");
    EXPECT_EQ(check.grid, u"2\t1\t3\t\r\n");
    EXPECT_EQ(check.captions[3], u"Minimum words: 0");

    // Surplus paragraphs of the first two articles count in their totals only.
    check = checked(u"t\r\na\r\nb\r\nc d e f", u"t\r\na\r\nb\r\nc d e f", u"t\r\na b\r\nc d");
    EXPECT_EQ(check.captions[0], u"Words: 7");
    EXPECT_EQ(check.grid, u"1\t1\t2\t\r\n1\t1\t2\t\r\n");
    EXPECT_EQ(check.captions[3], u"Minimum words: 1");

    // A surplus paragraph of the third article has only its own count.
    check = checked(u"t\r\na", u"t\r\na", u"t\r\na\r\nb c d");
    EXPECT_EQ(check.grid, u"1\t1\t1\t\r\n3\t\r\n");
    EXPECT_EQ(check.captions[3], u"Minimum words: 3");

    // An empty line in all three articles takes a number but leaves no line.
    check = checked(u"t\r\n\r\na b", u"t\r\n\r\nc", u"t\r\n\r\nd e f");
    EXPECT_EQ(check.grid, u"2\t1\t3\t\r\n");
    EXPECT_EQ(check.captions[3], u"Minimum words: 1");
}

TEST(CheckArticles, EqualCountsGiveThatMinimum) {
    const auto check = checked(u"t\r\nx\r\na b", u"t\r\nx\r\nc d", u"t\r\nx\r\ne f g");
    EXPECT_EQ(check.captions[3], u"Minimum words: 2");
}

// Fixed tables of 41 paragraphs once silently ended the count; any length works.
TEST(CheckArticles, LongArticlesAreCountedToTheLastParagraph) {
    std::u16string article = u"Title";
    for (int p = 1; p <= 42; ++p) {
        article += u"\r\none two";
    }
    const auto check = checked(article, article, article);
    EXPECT_EQ(check.grid, repeated(u"2\t2\t2\t\r\n", 42));
    EXPECT_EQ(check.captions[3], u"Minimum words: 82");  // paragraphs 2 to 42
    EXPECT_EQ(check.captions[0], u"Words: 85");
}

// Counts past 16 bits are neither dropped nor wrapped.
TEST(CheckArticles, LargeCountsAreExact) {
    const std::u16string huge = repeated(u"w ", 40000);
    const std::u16string article = u"t\r\n" + huge + u"\r\n" + huge;
    const auto check = checked(article, article, article);
    EXPECT_EQ(check.captions[0], u"Words: 80001");
    EXPECT_EQ(check.grid, repeated(u"40000\t40000\t40000\t\r\n", 2));
    EXPECT_EQ(check.captions[3], u"Minimum words: 40000");
}

// Empty pieces made by extra spaces are not words, so they cannot push a short
// article over the minimum.
TEST(CheckArticles, ExtraSpacesAddNoWords) {
    const auto check = checked(u"t\r\nx\r\nOne.  Two.  ", u"t\r\n   \r\nz", u"t\r\nx\r\nThree.");
    EXPECT_EQ(check.captions[0], u"Words: 4");
    EXPECT_EQ(check.captions[1], u"Words: 2");
    EXPECT_EQ(check.grid, u"1\t1\t\r\n2\t1\t1\t\r\n");
    EXPECT_EQ(check.captions[3], u"Minimum words: 1");
}

TEST(CheckArticles, BlankThirdArticleVisitsNoParagraphs) {
    const auto check = checked(u"a b\r\nc", u"d", u"  \r\n ");
    EXPECT_EQ(check.tidied[2], u"");
    EXPECT_EQ(check.captions[0], u"Words: 3");
    EXPECT_EQ(check.captions[1], u"Words: 1");
    EXPECT_EQ(check.captions[2], u"Words: 0");
    EXPECT_EQ(check.grid, u"");
    EXPECT_EQ(check.captions[3], u"Minimum words: 0");
    EXPECT_EQ(check.message, u"Minimum length = 0 words");
    EXPECT_EQ(check.spinText, u"");
}

TEST(CheckArticles, AllBoxesEmpty) {
    const auto check = checked(u"", u"", u"");
    EXPECT_EQ(check.tidied, (std::array<std::u16string, 3>{}));
    EXPECT_EQ(check.spinText, u"");
    EXPECT_EQ(check.grid, u"");
    EXPECT_EQ(check.captions[0], u"Words: 0");
    EXPECT_EQ(check.message, u"Minimum length = 0 words");
}

// By sentence the minimum is the spin text's own: the shortest version of
// every sentence, from paragraph 3 on. Paragraph 3's versions have 8 words
// each, in sentences of 2 + 6, 6 + 2 and 4 + 4: by sentence 2 + 2. Paragraph
// 4 is one sentence of 3, 3 and 2 words. The line after the message says what
// the minimum would be by paragraph; the grid counts paragraphs either way.
TEST(CheckArticles, BySentenceTheMinimumTakesTheShortestOfEverySentence) {
    const std::array<std::u16string, 3> articles = {
        u"T\r\nI\r\nShort one. A much longer second sentence here.\r\nEnd of it.",
        u"T\r\nI\r\nThis first sentence is quite long. Brief end.\r\nEnd it now.",
        u"T\r\nI\r\nMiddle length first one. Middle second one here.\r\nThe end."};
    const auto paragraph = checked(articles[0], articles[1], articles[2]);
    const auto sentence =
        checked(articles[0], articles[1], articles[2], SpinFormat::Ama, SpinBy::Sentence);
    EXPECT_EQ(paragraph.captions[3], u"Minimum words: 10");
    EXPECT_EQ(sentence.captions[3], u"Minimum words: 6");
    EXPECT_EQ(sentence.message, u"Minimum length = 6 words");
    EXPECT_EQ(sentence.reportText.substr(0, sentence.reportText.find(u"\nThe spin text gives")),
              u"Minimum length = 6 words\nBy paragraph the minimum would be 10 words: an article "
              u"spun by sentence can take the shortest version of every sentence.");
    EXPECT_EQ(paragraph.reportText.find(u"By paragraph"), std::u16string::npos);
    EXPECT_EQ(sentence.grid, paragraph.grid);
    EXPECT_EQ(sentence.notes, paragraph.notes);
    // Where the sentences change nothing, neither does the report.
    const auto dogs = checked(kDogs1, kDogs2, kDogs3, SpinFormat::Ama, SpinBy::Sentence);
    EXPECT_EQ(dogs.reportText, checked(kDogs1, kDogs2, kDogs3).reportText);
}

}  // namespace
}  // namespace kestrelwick
