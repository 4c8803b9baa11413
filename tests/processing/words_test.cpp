// What a word is: the count of a paragraph's words, and its spin marks found
// in the same pass.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processing/check_articles.h"

namespace kestrelwick {
namespace {

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

TEST(ScanParagraph, FindsSpinMarksWhileCountingWords) {
    const auto kAmaMarks = spinMarks(SpinFormat::Ama).all();
    struct Case {
        std::u16string_view paragraph;
        WordCount words;
        bool mark;
    };
    const std::vector<Case> cases = {
        {u"", 0, false},
        {u"plain words only", 3, false},
        {u"{", 1, true},
        {u"a }", 2, true},
        {u"tilde~joined", 1, true},
        {u"pipe | and caret ^ are not marks", 8, false},
        {u"\u007f\u007b", 1, true},
    };
    for (const auto& c : cases) {
        const ParagraphScan scan = scanParagraph(c.paragraph, kAmaMarks);
        EXPECT_EQ(scan.words, c.words);
        EXPECT_EQ(scan.hasMark, c.mark);
    }
    // A mark far into a long paragraph, past the first block of the count.
    std::u16string longParagraph(200000, u'x');
    longParagraph[150000] = u' ';
    EXPECT_FALSE(scanParagraph(longParagraph, kAmaMarks).hasMark);
    longParagraph[199999] = u'~';
    EXPECT_EQ(scanParagraph(longParagraph, kAmaMarks).words, 2);
    EXPECT_TRUE(scanParagraph(longParagraph, kAmaMarks).hasMark);
}

}  // namespace
}  // namespace kestrelwick
