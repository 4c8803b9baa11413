// Spinning a spin text as a spinner does, the places where a text cannot be
// spun, and a text written in another format.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>
#include <vector>

#include "processing/spinning.h"
#include "support/checked.h"
#include "support/dog_training_article.h"

namespace kestrelwick {
namespace {

using testing::checked;

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
        TextPlace place;
        std::u16string said;
    };
    const std::vector<Case> cases = {
        {u"{a~b}\r\nx {c~d\r\n", {2, 3}, u"line 2, column 3: a { has no } to close it."},
        {u"ok}", {1, 3}, u"line 1, column 3: a } has no { before it."},
        {u"\n\r{a{b}}", {3, 3}, u"line 3, column 3: a { stands inside another group."},
        {u"\r\n\r\n  }", {3, 3}, u"line 3, column 3: a } has no { before it."},
        {u"\U0001F600 }", {1, 3}, u"line 1, column 3: a } has no { before it."},
    };
    for (const Case& c : cases) {
        SpinRandom random(0);
        const auto result = spinArticle(c.text, SpinFormat::Ama, random);
        const auto* refusal = std::get_if<Refusal>(&result);
        ASSERT_NE(refusal, nullptr);
        EXPECT_EQ(*refusal, (Refusal{Refusal::Kind::CannotSpin, c.said, c.place}));
    }
}

TEST(Spinner, ChangesFormatOnlyWhereItIsSafe) {
    EXPECT_EQ(std::get<std::u16string>(
                  changeSpinFormat(u"{a~b} ~ |\r\n{c}", SpinFormat::Ama, SpinFormat::Pipe)),
              u"{a|b} ~ |\r\n{c}");
    EXPECT_EQ(
        std::get<std::u16string>(changeSpinFormat(u"{a|b} ~", SpinFormat::Pipe, SpinFormat::Ama)),
        u"{a~b} ~");
    // An alternative holding the new separator, or a broken group: left
    // alone, with the place.
    EXPECT_EQ(
        std::get<Refusal>(changeSpinFormat(u"x\r\n{a|b~c}", SpinFormat::Ama, SpinFormat::Pipe)),
        (Refusal{Refusal::Kind::WouldSplit,
                 u"line 2, column 3: an alternative holds |, which the pipe format reads as "
                 u"a separator.",
                 TextPlace{2, 3}}));
    EXPECT_EQ(std::get<Refusal>(changeSpinFormat(u"{a~b", SpinFormat::Ama, SpinFormat::Pipe)).kind,
              Refusal::Kind::CannotSpin);
}

}  // namespace
}  // namespace kestrelwick
