// What the spin text gives: the number of different articles and the share of
// wording two of them repeat. Counts and shares are worked out by hand in the
// comments.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "support/checked.h"
#include "support/dog_training_article.h"

namespace kestrelwick {
namespace {

using testing::checked;

std::u16string lines(const std::vector<std::u16string>& paragraphs) {
    std::u16string text;
    for (const auto& paragraph : paragraphs) {
        text += (text.empty() ? u"" : u"\r\n") + paragraph;
    }
    return text;
}

std::u16string yieldLineOf(std::u16string_view a1, std::u16string_view a2, std::u16string_view a3) {
    const auto shown = checked(a1, a2, a3);
    return shown.result->yield ? shown.result->yield->line() : u"(none)";
}

std::u16string line(std::u16string_view articles, int percent) {
    return u"The spin text gives " + std::u16string(articles) +
           u" different articles; two of them share on average " + decimalText(percent) +
           u" % of their runs of four words.";
}

TEST(SpinYield, ThreeDifferentVersionsShareAThird) {
    // Each pick repeats the other's version one time in three.
    EXPECT_EQ(yieldLineOf(testing::kDogs1, testing::kDogs2, testing::kDogs3), line(u"81", 33));
}

TEST(SpinYield, IdenticalVersionsShareEverything) {
    EXPECT_EQ(yieldLineOf(testing::kDogs1, testing::kDogs1, testing::kDogs1), line(u"1", 100));
}

TEST(SpinYield, TwoVersionsTheSame) {
    // Five words, two runs each; versions 1 and 2 share both. Over the nine
    // ordered pairs of picks: 2 x 3 on the diagonal and 2 x 2 between the
    // copies, 10 / 9 shared, against 6 / 3 runs: 56 %.
    const std::u16string same = u"the quick brown fox jumps";
    EXPECT_EQ(yieldLineOf(same, same, u"a lazy dog sleeps here"), line(u"2", 56));
}

TEST(SpinYield, ABlankVersionIsLeftOutOfItsGroup) {
    // Title: three one-word versions, one run each, all different: 3 / 9
    // shared, 3 / 3 runs. Paragraph 2: two versions of five words (two runs
    // each) that share one run: (4 + 2) / 4 shared, 4 / 2 runs. In all
    // (1/3 + 3/2) / (1 + 2) = 61 %.
    EXPECT_EQ(
        yieldLineOf(u"A\r\none two three four five", u"B\r\n   ", u"C\r\nzero one two three four"),
        line(u"6", 61));
}

TEST(SpinYield, ShortVersionsAreOneRunEach) {
    // One word, three words and one word again: one run each, the first and
    // the last the same: (3 + 2) / 9 shared, 3 / 3 runs: 56 %, and two
    // different versions.
    EXPECT_EQ(yieldLineOf(u"word", u"three short words", u"word"), line(u"2", 56));
}

TEST(SpinYield, AnEmptyThirdArticleGivesNoLine) {
    const auto shown = checked(u"a b", u"c d", u"  ");
    EXPECT_FALSE(shown.result->yield.has_value());
    EXPECT_EQ(shown.result->reportText(), u"Minimum length = 0 words");
}

TEST(SpinYield, TwelveDigitsInFullThenThreeSignificantOnes) {
    std::vector<std::u16string> one, two, three;
    for (int p = 0; p < 26; ++p) {
        one.push_back(u"first " + decimalText(p));
        two.push_back(u"second " + decimalText(p));
        three.push_back(u"third " + decimalText(p));
    }
    // 3^26 = 2,541,865,828,329 has thirteen digits.
    EXPECT_EQ(yieldLineOf(lines(one), lines(two), lines(three)),
              line(u"about 2.54 \u00d7 10^12", 33));
    // 3^25 = 847,288,609,443 has twelve.
    one.pop_back();
    two.pop_back();
    three.pop_back();
    EXPECT_EQ(yieldLineOf(lines(one), lines(two), lines(three)), line(u"847288609443", 33));
    // Far past any integer: 3^400 = 7.0559 x 10^190; 2^300 x 3^100 =
    // 1.0499 x 10^138.
    EXPECT_EQ((SpinYield{0, 400, 33}).articlesText(), u"about 7.06 \u00d7 10^190");
    EXPECT_EQ((SpinYield{300, 100, 33}).articlesText(), u"about 1.05 \u00d7 10^138");
    // 2^50 = 1.1259 x 10^15; 2 x 3^21 = 20,920,706,406 in full.
    EXPECT_EQ((SpinYield{50, 0, 0}).articlesText(), u"about 1.13 \u00d7 10^15");
    EXPECT_EQ((SpinYield{1, 21, 0}).articlesText(), u"20920706406");
}

// By sentence, N and P are those of the sentences' groups. The title's and
// the introduction's three copies share everything: 9 / 9 shared, 3 / 3
// runs each. Paragraph 3 is two groups, "One two three four." twice and
// "Alpha beta gamma.", then "Five six.", "Seven eight nine." and "Five
// six.": two different versions each, so N = 4; each version one run, one
// pair alike: (3 + 2) / 9 shared, 3 / 3 runs each. P = (1 + 1 + 5/9 + 5/9)
// / 4 = 78 %. By paragraph it is one group of three versions of 6, 7 and 5
// words (3, 4 and 2 runs; the first two share "One two three four."):
// (9 + 2) / 9 shared, 9 / 3 runs, so N = 3 and P = (1 + 1 + 11/9) / 5 = 64 %.
TEST(SpinYield, BySentenceTheGroupsAreTheSentences) {
    const std::u16string a1 = u"Title\r\nIntro\r\nOne two three four. Five six.";
    const std::u16string a2 = u"Title\r\nIntro\r\nOne two three four. Seven eight nine.";
    const std::u16string a3 = u"Title\r\nIntro\r\nAlpha beta gamma. Five six.";
    const auto sentence = checked(a1, a2, a3, SpinFormat::Ama, SpinBy::Sentence);
    EXPECT_EQ(sentence.result->yield->line(), line(u"4", 78));
    EXPECT_EQ(yieldLineOf(a1, a2, a3), line(u"3", 64));
    // Paragraphs that share no run: their sentences' runs are worked out
    // from their words. "Yes." twice and "No." share one run: (3 + 2) / 9;
    // the first sentences none: 3 / 9. P = (1 + 1 + 3/9 + 5/9) / 4 = 72 %,
    // N = 3 x 2.
    const auto apart =
        checked(u"Title\r\nIntro\r\nRed sky now. Yes.", u"Title\r\nIntro\r\nBlue sea here. Yes.",
                u"Title\r\nIntro\r\nGreen land far. No.", SpinFormat::Ama, SpinBy::Sentence);
    EXPECT_EQ(apart.result->yield->line(), line(u"6", 72));
}

}  // namespace
}  // namespace kestrelwick
