// The spin text in both formats, what it gives (the number of different
// articles and the share of wording two of them repeat), and spinning it.
// Counts and shares are worked out by hand in the comments.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "processing/check_articles.h"
#include "processing/spinner.h"
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

// --- Formats ----------------------------------------------------------------

TEST(SpinFormats, PipeIsTheAmaTextWithItsSeparators) {
    const auto ama = checked(testing::kDogs1, testing::kDogs2, testing::kDogs3);
    const auto pipe = checked(testing::kDogs1, testing::kDogs2, testing::kDogs3, SpinFormat::Pipe);
    std::u16string swapped = ama.spinText;
    for (char16_t& unit : swapped) {
        unit = unit == u'~' ? u'|' : unit;
    }
    EXPECT_EQ(pipe.spinText, swapped);
    EXPECT_NE(pipe.spinText, ama.spinText);
    EXPECT_EQ(pipe.captions, ama.captions);
    EXPECT_EQ(pipe.grid, ama.grid);
    EXPECT_EQ(pipe.notes, ama.notes);
}

TEST(SpinFormats, NotesNameTheMarksOfTheFormatInUse) {
    const std::u16string a1 = u"t1\r\nx | y", a2 = u"t2\r\nx ~ y", a3 = u"t3\r\nz";
    EXPECT_EQ(checked(a1, a2, a3).notes,
              (std::vector<std::u16string>{
                  u"Article 2: paragraph 2 contains {, } or ~, which break the spin text."}));
    EXPECT_EQ(checked(a1, a2, a3, SpinFormat::Pipe).notes,
              (std::vector<std::u16string>{
                  u"Article 1: paragraph 2 contains {, } or |, which break the spin text."}));
    // Braces break either format.
    EXPECT_EQ(checked(u"t1\r\n{", u"t2\r\nb", u"t3\r\nc", SpinFormat::Pipe).notes.size(), 1u);
}

// --- What the spin text gives ---------------------------------------------------

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

// --- Spinning -------------------------------------------------------------------

std::u16string spun(std::u16string_view text, SpinFormat format, std::uint64_t seed) {
    SpinRandom random(seed);
    const auto result = spinArticle(text, format, random);
    const auto* article = std::get_if<std::u16string>(&result);
    return article != nullptr ? *article : u"(error)";
}

TEST(Spinner, KeepsTheTextBetweenGroupsAndPicksEveryAlternative) {
    const std::u16string text = u"Intro ~|\r\n{a~b~c} and {x~y}.\r\n";
    std::set<std::u16string> seen;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        const std::u16string article = spun(text, SpinFormat::Ama, seed);
        seen.insert(article);
        EXPECT_TRUE(article.starts_with(u"Intro ~|\r\n")) << seed;
        EXPECT_TRUE(article.ends_with(u".\r\n")) << seed;
    }
    EXPECT_EQ(seen.size(), 6u);  // every alternative of both groups, in every pairing
    // The same seed gives the same article.
    EXPECT_EQ(spun(text, SpinFormat::Ama, 42), spun(text, SpinFormat::Ama, 42));
    // In the pipe format, ~ is plain text and | separates.
    EXPECT_EQ(spun(u"{a~b}", SpinFormat::Pipe, 1), u"a~b");
    std::set<std::u16string> pipe;
    for (std::uint64_t seed = 0; seed < 50; ++seed) {
        pipe.insert(spun(u"{a|b}", SpinFormat::Pipe, seed));
    }
    EXPECT_EQ(pipe, (std::set<std::u16string>{u"a", u"b"}));
}

TEST(Spinner, GivesOneAlternativeOfEveryGroupOfACheck) {
    const auto shown = checked(testing::kDogs1, testing::kDogs2, testing::kDogs3);
    const std::u16string article = spun(shown.spinText, SpinFormat::Ama, 7);
    std::size_t at = 0;
    for (const SpinGroup& group : shown.result->spinText.groups()) {
        std::size_t found = std::u16string::npos;
        for (std::size_t k = 0; k < group.count && found == std::u16string::npos; ++k) {
            if (article.compare(at, group.version(k).size(), group.version(k)) == 0) {
                found = k;
                at += group.version(k).size();
            }
        }
        ASSERT_NE(found, std::u16string::npos);
        while (at < article.size() && (article[at] == u'\r' || article[at] == u'\n')) {
            ++at;
        }
    }
    EXPECT_EQ(at, article.size());
}

TEST(Spinner, SaysWhereABrokenGroupIs) {
    struct Case {
        std::u16string text;
        SpinError::Kind kind;
        std::size_t line, column;
        std::u16string said;
    };
    const std::vector<Case> cases = {
        {u"{a~b}\r\nx {c~d\r\n", SpinError::Kind::UnclosedGroup, 2, 3,
         u"line 2, column 3: a { has no } to close it."},
        {u"ok}", SpinError::Kind::StrayClose, 1, 3, u"line 1, column 3: a } has no { before it."},
        {u"\n\r{a{b}}", SpinError::Kind::NestedGroup, 3, 3,
         u"line 3, column 3: a { stands inside another group."},
        {u"\r\n\r\n  }", SpinError::Kind::StrayClose, 3, 3,
         u"line 3, column 3: a } has no { before it."},
    };
    for (const Case& c : cases) {
        SpinRandom random(0);
        const auto result = spinArticle(c.text, SpinFormat::Ama, random);
        const auto* error = std::get_if<SpinError>(&result);
        ASSERT_NE(error, nullptr);
        EXPECT_EQ(error->kind, c.kind);
        EXPECT_EQ(error->line, c.line);
        EXPECT_EQ(error->column, c.column);
        EXPECT_EQ(error->text(), c.said);
    }
}

TEST(Spinner, ChangesFormatOnlyWhereItIsSafe) {
    EXPECT_EQ(changeSpinFormat(u"{a~b} ~ |\r\n{c}", SpinFormat::Ama, SpinFormat::Pipe).text,
              u"{a|b} ~ |\r\n{c}");
    EXPECT_EQ(changeSpinFormat(u"{a|b} ~", SpinFormat::Pipe, SpinFormat::Ama).text, u"{a~b} ~");
    // An alternative holding the new separator, or a broken group: left
    // alone, with the place.
    const FormatChange splits =
        changeSpinFormat(u"x\r\n{a|b~c}", SpinFormat::Ama, SpinFormat::Pipe);
    EXPECT_EQ(splits.text, std::nullopt);
    ASSERT_TRUE(splits.splits.has_value());
    EXPECT_EQ(splits.splits->line, 2u);
    EXPECT_EQ(splits.splits->column, 3u);
    const FormatChange broken = changeSpinFormat(u"{a~b", SpinFormat::Ama, SpinFormat::Pipe);
    EXPECT_EQ(broken.text, std::nullopt);
    ASSERT_TRUE(broken.broken.has_value());
    EXPECT_EQ(broken.broken->kind, SpinError::Kind::UnclosedGroup);
}

// The check's spin text in the other format: its separators changed where
// it wrote them, so that a ~ in a version stays plain text in the pipe
// format and the text is what a check in that format writes.
TEST(SpinText, ItsSeparatorsAloneChangeWithTheFormat) {
    const auto ama = checked(u"T\r\nprepare ~ well\r\nb", u"T2\r\nsow\r\n", u"T3\r\nx | y\r\nc");
    const auto pipe = checked(u"T\r\nprepare ~ well\r\nb", u"T2\r\nsow\r\n", u"T3\r\nx | y\r\nc",
                              SpinFormat::Pipe);
    std::vector<std::size_t> places;
    std::u16string text(writeSpinText(ama.result->spinText, SpinFormat::Ama, &places));
    EXPECT_EQ(text, ama.spinText);
    changeSeparators(text, places, SpinFormat::Pipe);
    EXPECT_EQ(text, pipe.spinText);
    changeSeparators(text, places, SpinFormat::Ama);
    EXPECT_EQ(text, ama.spinText);
}

}  // namespace
}  // namespace kestrelwick
