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

// --- Cleaning and splitting ---------------------------------------------------

TEST(tidyArticleText, DropsLeadingSpacesAndTrailingSpacesAndBreaks) {
    struct Case {
        std::u16string in, out;
    };
    const std::vector<Case> cases = {
        {u"", u""},
        {u"  Hello world  ", u"Hello world"},
        {u"Para one\r\nPara two\r\n\r\n", u"Para one\r\nPara two"},
        {u"Para one\r\n\r\nPara two", u"Para one\r\n\r\nPara two"},
        // Spaces before the breaks, breaks before spaces, runs that alternate.
        {u"Hello \r\n", u"Hello"},
        {u"Hello\r\n   ", u"Hello"},
        {u"Hello  \r\n \r\n\n  \r \r\n", u"Hello"},
        {u"a \n \r \n", u"a"},
        // A line break at the start is content, and so is the space after it.
        {u"\r\nHello", u"\r\nHello"},
        {u"\r\n x \r\n ", u"\r\n x"},
        {u"  \r\n x", u"\r\n x"},
        // Only spaces and breaks: nothing is left.
        {u"\r\n\r\n", u""},
        {u"\n", u""},
        {u"\r\n \r\n", u""},
        {u" \r \n ", u""},
        {u"     ", u""},
        {u"a\n\r", u"a"},
        {u"a\r\r", u"a"},
        {u"a\nb", u"a\nb"},
        // Tabs and non-breaking spaces are not spaces.
        {u"\ta\t", u"\ta\t"},
        {u"a\t\r\n", u"a\t"},
        {u"\u00a0a\u00a0 ", u"\u00a0a\u00a0"},
        {u"a \u00a0\r\n", u"a \u00a0"},
    };
    for (const auto& c : cases) {
        const std::u16string once(tidyArticleText(c.in));
        EXPECT_EQ(once, c.out);
        EXPECT_EQ(tidyArticleText(once), once);
    }
}

TEST(splitIntoParagraphs, SplitsAtCrLfOnlyAndKeepsEmptyParagraphs) {
    EXPECT_EQ(splitIntoParagraphs(u"Para one\r\nPara two"), (Lines{u"Para one", u"Para two"}));
    EXPECT_EQ(splitIntoParagraphs(u"Para one\r\n\r\nPara two"),
              (Lines{u"Para one", u"", u"Para two"}));
    EXPECT_EQ(splitIntoParagraphs(u"\r\nHello"), (Lines{u"", u"Hello"}));
    EXPECT_EQ(splitIntoParagraphs(u"\r\n "), (Lines{u"", u" "}));
    EXPECT_EQ(splitIntoParagraphs(u"a\nb\rc"), (Lines{u"a\nb\rc"}));
    EXPECT_EQ(splitIntoParagraphs(u"a\r\r\nb"), (Lines{u"a\r", u"b"}));
    EXPECT_EQ(splitIntoParagraphs(u" a "), (Lines{u" a "}));
    // A blank article has no paragraphs, not one empty paragraph.
    EXPECT_TRUE(splitIntoParagraphs(u"").empty());
    EXPECT_TRUE(splitIntoParagraphs(u"   ").empty());
}

TEST(CountWords, CountsRunsOfNonSpaces) {
    struct Case {
        std::u16string_view paragraph;
        WordCount words;
    };
    const std::vector<Case> cases = {
        {u"", 0},
        {u"   ", 0},
        {u"word", 1},
        {u"a  b", 2},
        {u"  leading and trailing  ", 3},
        {u"Two spaces.  After stops.", 4},
        {u"tab\tinside", 1},
        {u"no\u00a0break", 1},
        {u"lone\rcr and\nlf", 2},
        {u"\t", 1},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(countWords(cases[i].paragraph), cases[i].words) << "case " << i;
    }
}

TEST(DecimalText, WritesPlainDigits) {
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(7), u"7");
    EXPECT_EQ(decimalText(1234567890123), u"1234567890123");
    EXPECT_EQ(decimalText(-40), u"-40");
    EXPECT_EQ(decimalText(INT64_MIN), u"-9223372036854775808");
}

// --- The whole action ---------------------------------------------------------

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

// --- The spin text --------------------------------------------------------------

TEST(SpinText, EveryGroupIsComplete) {
    struct Case {
        const char* name;
        std::u16string a1, a2, a3, out;
    };
    const std::vector<Case> cases = {
        {"two paragraphs", u"A1\r\nA2", u"B1\r\nB2", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2~C2}\r\n\r\n"},
        {"empty lines between paragraphs", u"A1\r\n\r\nA2", u"B1\r\n\r\nB2", u"C1\r\n\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2~C2}\r\n\r\n"},
        {"third article shorter", u"A1\r\nA2\r\nA3", u"B1\r\nB2\r\nB3", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2~C2}\r\n\r\n"},
        {"third article longer", u"A1", u"B1", u"C1\r\nC2\r\n ",
         u"{A1~B1~C1}\r\n\r\n\r\n{C2}\r\n\r\n"},
        {"first two blank", u"", u" ", u"C1\r\nC2", u"{C1}\r\n\r\n\r\n{C2}\r\n\r\n"},
        {"first version lacking", u"A1", u"B1\r\nB2", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{B2~C2}\r\n\r\n"},
        {"first version blank", u"A1\r\n  \r\nA3", u"B1\r\nB2", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{B2~C2}\r\n\r\n"},
        {"second version blank", u"A1\r\nA2", u"B1\r\n \r\nB3", u"C1\r\nC2",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~C2}\r\n\r\n"},
        {"third version blank", u"A1\r\nA2\r\nA3", u"B1\r\nB2\r\nB3", u"C1\r\n \r\nC3",
         u"{A1~B1~C1}\r\n\r\n\r\n{A2~B2}\r\n\r\n{A3~B3~C3}\r\n\r\n"},
        {"title blank everywhere", u"\r\nA1", u"\r\nB1", u"\r\nC1", u"\r\n{A1~B1~C1}\r\n\r\n"},
        {"title of the third article blank", u"A0\r\nA1", u"B0\r\nB1", u" \r\nC1",
         u"{A0~B0}\r\n\r\n\r\n{A1~B1~C1}\r\n\r\n"},
        {"tab is not blank", u"\t", u"b", u"c", u"{\t~b~c}\r\n\r\n\r\n"},
        {"outer spaces kept", u"t\r\n a \r\ne", u"t\r\nb  \r\ne", u"t\r\n c\r\ne",
         u"{t~t~t}\r\n\r\n\r\n{ a ~b  ~ c}\r\n\r\n{e~e~e}\r\n\r\n"},
        {"braces copied", u"{x}", u"~", u"}{", u"{{x}~~~}{}\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checked(c.a1, c.a2, c.a3).spinText, c.out) << c.name;
    }
}

TEST(SpinText, RepeatsExactly) {
    const auto first = checked(kDogs1, kDogs2, kDogs3);
    const auto second = checked(kDogs1, kDogs2, kDogs3);
    EXPECT_EQ(second.tidied, first.tidied);
    EXPECT_EQ(second.spinText, first.spinText);
    EXPECT_EQ(second.grid, first.grid);
    EXPECT_EQ(second.captions, first.captions);
    EXPECT_EQ(second.message, first.message);
}

// A second click on boxes that the first one left gives the same result.
TEST(Tidying, SecondClickChangesNothing) {
    const auto twice = [](std::u16string_view a1, std::u16string_view a2, std::u16string_view a3) {
        const auto check = checked(a1, a2, a3);
        const auto again = checked(check.tidied[0], check.tidied[1], check.tidied[2]);
        EXPECT_EQ(again.tidied, check.tidied);
        EXPECT_EQ(again.spinText, check.spinText);
        EXPECT_EQ(again.grid, check.grid);
        EXPECT_EQ(again.captions, check.captions);
        EXPECT_EQ(again.notes, check.notes);
        return check;
    };

    // Spaces before the last line break go with it.
    const auto spaces = twice(u"a \r\n", u"b", u"c");
    EXPECT_EQ(spaces.tidied[0], u"a");
    EXPECT_EQ(spaces.spinText, u"{a~b~c}\r\n\r\n\r\n");

    // A last line of spaces is no paragraph, so it does not bring article 1's
    // fourth paragraph into the minimum.
    const auto lastLine = twice(u"T\r\nI\r\nx\r\ny y", u"T\r\nI\r\nx", u"T\r\nI\r\nx\r\n   \r\n");
    EXPECT_EQ(lastLine.tidied[2], u"T\r\nI\r\nx");
    EXPECT_EQ(lastLine.captions[3], u"Minimum words: 1");
    EXPECT_EQ(lastLine.message, u"Minimum length = 1 words");

    // A third article of a break, a space and a break is empty.
    const auto blank = twice(u"Title one", u"Title two", u"\r\n \r\n");
    EXPECT_EQ(blank.tidied[2], u"");
    EXPECT_EQ(blank.spinText, u"");
    EXPECT_EQ(blank.notes,
              (std::vector<std::u16string>{u"Article 3 is empty, so there is nothing to spin."}));
}

TEST(Tidying, KeepsEveryCodeUnit) {
    // Lone surrogates, NUL and non-breaking spaces are text like any other.
    const std::u16string odd{u'\xd800', u'\0', u'\x00a0', u'\xdfff', u'x'};
    const auto check = checked(odd, odd, odd);
    EXPECT_EQ(check.tidied[0], odd);
    EXPECT_EQ(check.captions[0], u"Words: 1");
    EXPECT_EQ(check.spinText, u"{" + odd + u"~" + odd + u"~" + odd + u"}\r\n\r\n\r\n");
}

}  // namespace
}  // namespace kestrelwick
