// The spin formats as data: what every row gives the check, the notes and
// --format, a text's own format found, and a format defined only here,
// which needs nothing but its row.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "processing/spinning.h"
#include "support/checked.h"
#include "support/dog_training_article.h"

namespace kestrelwick {
namespace {

using testing::checked;

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

TEST(SpinFormats, ATextsOwnFormatAndTheMixedOnesPlace) {
    struct Case {
        std::u16string_view text;
        std::optional<SpinFormat> given;
        SpinFormat fallback;
        SpinFormat found;
        std::u16string_view mixed;  // empty where the text is not mixed
    };
    const std::vector<Case> cases = {
        // Only one format's separator in the groups: that format.
        {u"x | {a|b}", std::nullopt, SpinFormat::Ama, SpinFormat::Pipe, u""},
        {u"{a~b} |", std::nullopt, SpinFormat::Pipe, SpinFormat::Ama, u""},
        // None, or both: the fallback decides; a format given always does.
        {u"{a} {b}", std::nullopt, SpinFormat::Pipe, SpinFormat::Pipe, u""},
        {u"{a|b}", SpinFormat::Ama, SpinFormat::Ama, SpinFormat::Ama, u""},
        {u"{a~b}\r\n\U0001F600 {c|d}", std::nullopt, SpinFormat::Ama, SpinFormat::Ama,
         u"the spin text's groups hold both ~ and |: it is spun in AMA format, in which | is "
         u"plain text (the first group with a | is at line 2, column 3)."},
        {u"{a~b} {c|d}", SpinFormat::Pipe, SpinFormat::Ama, SpinFormat::Pipe,
         u"the spin text's groups hold both ~ and |: it is spun in the pipe format, in which ~ "
         u"is plain text (the first group with a ~ is at line 1, column 1)."},
    };
    for (const Case& c : cases) {
        const FoundFormat found = findSpinFormat(c.text, c.given, c.fallback);
        EXPECT_EQ(found.format, c.found) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(found.mixed ? found.mixed->text : u"", c.mixed);
    }
    EXPECT_EQ(spinFormatOfWord(u"pipe"), SpinFormat::Pipe);
    EXPECT_EQ(spinFormatOfSetting(u"ama"), SpinFormat::Ama);
    EXPECT_EQ(spinFormatOfWord(u"Pipe"), std::nullopt);
}

// A third format is one row: the check writes and notes it, a text in it is
// found and spun in it, and the other formats' texts change into it.
TEST(SpinFormats, AThirdFormatIsOneRow) {
    static const SpinFormat hash = addSpinFormat({{u'{', u'}', u'#'},
                                                  u"hash format",
                                                  u"the hash format",
                                                  u"Hash format {a#b#c}",
                                                  u"hash",
                                                  u"hash"});
    EXPECT_EQ(spinFormatOfWord(u"hash"), hash);
    const auto ama = checked(testing::kDogs1, testing::kDogs2, testing::kDogs3);
    const auto hashed = checked(testing::kDogs1, testing::kDogs2, testing::kDogs3, hash);
    std::u16string swapped = ama.spinText;
    for (char16_t& unit : swapped) {
        unit = unit == u'~' ? u'#' : unit;
    }
    EXPECT_EQ(hashed.spinText, swapped);
    EXPECT_EQ(checked(u"t1\r\nx # y", u"t2\r\ny", u"t3\r\nz", hash).notes,
              (std::vector<std::u16string>{
                  u"Article 1: paragraph 2 contains {, } or #, which break the spin text."}));
    EXPECT_EQ(findSpinFormat(u"{a#b} ~", std::nullopt).format, hash);
    const auto changed = changeSpinFormat(ama.spinText, SpinFormat::Ama, hash);
    EXPECT_EQ(std::get<std::u16string>(changed), hashed.spinText);
    std::set<std::u16string> spun;
    for (std::uint64_t seed = 0; seed < 40; ++seed) {
        SpinRandom random(seed);
        spun.insert(std::get<std::u16string>(spinArticle(u"{a#b} ~|", hash, random)));
    }
    EXPECT_EQ(spun, (std::set<std::u16string>{u"a ~|", u"b ~|"}));
}

}  // namespace
}  // namespace kestrelwick
