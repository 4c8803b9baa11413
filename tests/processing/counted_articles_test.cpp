// The three articles tidied and split into their paragraphs, and a second
// click that changes nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "support/checked.h"

namespace kestrelwick {
namespace {

using testing::checked;
using Lines = std::vector<std::u16string_view>;

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
