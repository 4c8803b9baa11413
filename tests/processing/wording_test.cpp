// How alike two versions of a paragraph are worded.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "processing/wording.h"
#include "support/checked.h"
#include "support/words.h"

namespace kestrelwick {
namespace {

using testing::kSixteen;
using testing::numbered;

TEST(CompareWording, SameWordsInTheSameOrderAreTheSame) {
    EXPECT_EQ(compareWording(u"Tea", u"Tea"), Likeness::Same);
    // Spaces between and around the words do not matter.
    EXPECT_EQ(compareWording(u"a  cup of tea", u" a cup  of tea "), Likeness::Same);
    // Case, punctuation, tabs and non-breaking spaces do.
    EXPECT_EQ(compareWording(u"Tea", u"tea"), Likeness::Different);
    EXPECT_EQ(compareWording(u"a cup", u"a cup."), Likeness::Different);
    EXPECT_EQ(compareWording(u"a\tcup", u"a cup"), Likeness::Different);
    EXPECT_EQ(compareWording(u"a\u00a0cup", u"a cup"), Likeness::Different);
    // The same words in another order are not the same wording.
    EXPECT_EQ(compareWording(u"cup tea", u"tea cup"), Likeness::Different);
}

TEST(CompareWording, NearlyTheSameFromThreeQuartersOfTheRunsShared) {
    const std::u16string base(kSixteen);
    std::u16string lastChanged = base;
    lastChanged.replace(lastChanged.rfind(u' ') + 1, std::u16string::npos, u"end");
    std::u16string middleChanged = base;
    middleChanged.replace(middleChanged.find(u"eight"), 5, u"ate");

    // 12 of 14 runs shared.
    EXPECT_EQ(compareWording(base, lastChanged), Likeness::NearlySame);
    // 9 of 17.
    EXPECT_EQ(compareWording(base, middleChanged), Likeness::Different);
    // 3 of 4, exactly three quarters, and 4 of 5.
    EXPECT_EQ(compareWording(u"a b c d e f", u"a b c d e f g"), Likeness::NearlySame);
    EXPECT_EQ(compareWording(u"a b c d e f g", u"a b c d e f g h"), Likeness::NearlySame);
    // 2 of 3, just under.
    EXPECT_EQ(compareWording(u"a b c d e", u"a b c d e f"), Likeness::Different);
    // The order of the two versions does not matter.
    EXPECT_EQ(compareWording(lastChanged, base), Likeness::NearlySame);
    EXPECT_EQ(compareWording(u"a b c d e f", u"a b c d e"), Likeness::Different);
}

TEST(CompareWording, ShortVersionsHaveOneRunOfAllTheirWords) {
    EXPECT_EQ(compareWording(u"a b c", u"a b d"), Likeness::Different);
    EXPECT_EQ(compareWording(u"a b c", u"a b c d"), Likeness::Different);
    EXPECT_EQ(compareWording(u"a b c", u"a b c"), Likeness::Same);
    // Four words are one run of four.
    EXPECT_EQ(compareWording(u"a b c d", u"a b c x"), Likeness::Different);
}

TEST(CompareWording, ARunRepeatedInAVersionCountsOnce) {
    // Nine runs, but only four different ones, and the other version has
    // three of them: 3 of 4 shared.
    EXPECT_EQ(compareWording(u"x y z w x y z w x y z w", u"x y z w x y z"), Likeness::NearlySame);
    EXPECT_EQ(compareWording(u"x y z w x y z w x y z w", u"x y z w x"), Likeness::Different);
}

TEST(CompareWording, EqualHashesAreConfirmedByTheWords) {
    // Two words of eight units, and two of sixteen, that hash alike.
    ASSERT_EQ(wordingHash(u"abcdefgh"), wordingHash(u"abbdmfgh"));
    ASSERT_EQ(wordingHash(u"abcdefghabcdefgh"), wordingHash(u"abcdefghabbdmfgh"));
    EXPECT_EQ(compareWording(u"abcdefgh b c d", u"abbdmfgh b c d"), Likeness::Different);
    EXPECT_EQ(compareWording(u"abcdefghabcdefgh", u"abcdefghabbdmfgh"), Likeness::Different);
    EXPECT_EQ(compareWording(u"abcdefgh b c d e f g h i j", u"abbdmfgh b c d e f g h i j"),
              Likeness::NearlySame);
    // Words hash from all their units: a long prefix in common is no collision.
    EXPECT_NE(wordingHash(u"https://example.com/page1"), wordingHash(u"https://example.com/page2"));
    // Words that run past the end of the other are no match either.
    EXPECT_EQ(compareWording(u"ab", u"a"), Likeness::Different);
    // Nor are NULs padding.
    EXPECT_EQ(compareWording(std::u16string{u'a', u'\0'}, u"a"), Likeness::Different);
}

TEST(CompareWording, RunsOfTheirOwnFirstDoNotHideThreeQuartersShared) {
    // 73 words, 70 runs. The other version changes words at its start, so
    // that its first runs are all its own and the shared ones come after.
    std::u16string base;
    for (int i = 0; i < 73; ++i) {
        base += numbered(u"w", i);
    }
    const auto changedAtStart = [&base](int words) {
        std::u16string text;
        for (int i = 0; i < words; ++i) {
            text += numbered(u"x", i);
        }
        std::size_t at = 0;
        for (int i = 0; i < words; ++i) {
            at = base.find(u' ', at) + 1;
        }
        return text + base.substr(at);
    };
    // Ten words changed: runs 0 to 9 are its own, 60 of 80 shared.
    EXPECT_EQ(compareWording(base, changedAtStart(10)), Likeness::NearlySame);
    // Eleven: 59 of 81.
    EXPECT_EQ(compareWording(base, changedAtStart(11)), Likeness::Different);
    // The same with the changed version first.
    EXPECT_EQ(compareWording(changedAtStart(10), base), Likeness::NearlySame);
}

TEST(CompareWording, ReadsLongVersionsWhole) {
    std::u16string a;
    std::u16string b;
    for (int i = 0; i < 50000; ++i) {
        const std::u16string word = numbered(u"w", i);
        a += word;
        b += i == 25000 ? u"x " : word;
    }
    // Four of the 49,997 runs differ.
    EXPECT_EQ(compareWording(a, b), Likeness::NearlySame);
    EXPECT_EQ(compareWording(a, a), Likeness::Same);
}

// Long paragraphs from a small vocabulary, so that runs repeat within and
// across versions, with a share of the words changed in each variant.
class LongParagraphs {
  public:
    explicit LongParagraphs(std::uint32_t seed) : state_(seed) {}

    std::u16string paragraph(std::size_t words) {
        std::u16string text;
        for (std::size_t w = 0; w < words; ++w) {
            text += numbered(u"v", std::int64_t(next() % 40));
        }
        return text;
    }
    // The paragraph with about one word in every `every` replaced.
    std::u16string variant(std::u16string_view text, std::uint32_t every) {
        std::u16string out;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find(u' ', at);
            out += next() % every == 0 ? numbered(u"x", std::int64_t(next() % 1000))
                                       : std::u16string(text.substr(at, end + 1 - at));
            at = end + 1;
        }
        return out;
    }

  private:
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::uint32_t state_;
};

WordingComparer::Versions versionsOf(const std::array<std::u16string, 3>& texts) {
    WordingComparer::Versions versions;
    for (std::size_t v = 0; v < texts.size(); ++v) {
        versions[v] = WordingComparer::Version{texts[v], std::size_t(countWords(texts[v]))};
    }
    return versions;
}

TEST(CompareWording, ParagraphsBeyondTheBudgetTakePassesThatAgreeWithOne) {
    LongParagraphs make(7);
    WordingComparer roomy(std::size_t{1} << 30);
    WordingComparer tight(WordingComparer::kSmallestBudget);
    int nearlySame = 0;
    for (std::uint32_t every : {3u, 5u, 8u, 13u, 40u}) {
        const std::u16string base = make.paragraph(20000);
        const std::array<std::u16string, 3> texts = {base, make.variant(base, every),
                                                     make.variant(base, 2 * every)};
        const auto versions = versionsOf(texts);
        const auto expected = roomy.compare(versions);
        EXPECT_EQ(roomy.passesTaken(), 1u);
        EXPECT_EQ(tight.compare(versions), expected) << "one word in " << every << " changed";
        EXPECT_GT(tight.passesTaken(), 1u);
        EXPECT_LE(tight.memoryHeld(), WordingComparer::kSmallestBudget + sizeof(WordingComparer));
        nearlySame += int(std::count(expected.begin(), expected.end(), Likeness::NearlySame));
    }
    // Both sides of three quarters were met.
    EXPECT_GT(nearlySame, 0);
    EXPECT_LT(nearlySame, 15);
}

TEST(CompareWording, OneParagraphArticlesStayWithinTheirOwnSize) {
    // Three one-paragraph articles of 150,000 words, about 600,000 code units
    // each, with the budget the check gives: the articles' own size.
    LongParagraphs make(11);
    const std::u16string base = make.paragraph(150000);
    const std::array<std::u16string, 3> texts = {base, make.variant(base, 40),
                                                 make.paragraph(150000)};
    const std::size_t articleBytes = 2 * (texts[0].size() + texts[1].size() + texts[2].size());
    WordingComparer comparer(articleBytes);
    const auto likeness = comparer.compare(versionsOf(texts));
    EXPECT_EQ(likeness,
              (std::array{Likeness::NearlySame, Likeness::Different, Likeness::Different}));
    EXPECT_EQ(likeness, WordingComparer(std::size_t{1} << 30).compare(versionsOf(texts)));
    EXPECT_GT(comparer.passesTaken(), 1u);
    EXPECT_LE(comparer.memoryHeld(), articleBytes);
}

TEST(SameWording, SpacesDoNotMatterButEveryWordDoes) {
    EXPECT_TRUE(sameWording(u"  a  cup of tea ", u"a cup of  tea"));
    EXPECT_TRUE(sameWording(u"tea", u"tea"));
    EXPECT_FALSE(sameWording(u"a cup of tea", u"a cup of"));
    EXPECT_FALSE(sameWording(u"a cup of", u"a cup of tea"));
    EXPECT_FALSE(sameWording(u"a cup", u"a cupful"));
    EXPECT_FALSE(sameWording(u"a cupful", u"a cup"));
}

}  // namespace
}  // namespace kestrelwick
