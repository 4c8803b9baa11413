// How alike two versions of a paragraph are worded, and the notes of the
// report that name the paragraphs that would spin into copies.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "processing/wording.h"
#include "support/checked.h"

namespace kestrelwick {
namespace {

using Notes = std::vector<std::u16string>;

// A numbered word, such as "w12 ". Appended piece by piece: GCC 12 at -O3
// takes a literal put in front of a temporary string for an overlapping copy.
std::u16string numbered(std::u16string_view prefix, std::int64_t number,
                        std::u16string_view after = u" ") {
    std::u16string word(prefix);
    word += decimalText(number);
    word += after;
    return word;
}

// Sixteen words, for versions that differ in one word.
constexpr std::u16string_view kSixteen =
    u"one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen "
    u"sixteen";

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

// --- The notes ---------------------------------------------------------------

Notes notesFor(std::u16string_view a1, std::u16string_view a2, std::u16string_view a3) {
    return testing::checked(a1, a2, a3).notes;
}

TEST(WordingNotes, SameTitles) {
    EXPECT_EQ(notesFor(u"Tea", u"Tea", u"Coffee"),
              Notes{u"Articles 1 and 2 give the same wording of paragraph 1."});
}

TEST(WordingNotes, PairsInTheirOrderTheSameBeforeTheNearlySame) {
    const std::u16string s(kSixteen);
    const std::u16string near = s + u" more";
    EXPECT_EQ(notesFor(u"T1\r\nI\r\n" + s + u"\r\nx y", u"T2\r\nI\r\nq r\r\nx y",
                       u"T3\r\nI x\r\n" + near + u"\r\nx y"),
              (Notes{u"Articles 1 and 2 give the same wording of paragraphs 2 and 4.",
                     u"Articles 1 and 3 give the same wording of paragraph 4.",
                     u"Articles 2 and 3 give the same wording of paragraph 4.",
                     u"Articles 1 and 3 give nearly the same wording of paragraph 3."}));
}

TEST(WordingNotes, OnlyVersionsThatAreSpunTakePart) {
    // Blank versions of paragraph 2 and article 1's surplus paragraph 4.
    EXPECT_EQ(notesFor(u"T1\r\n \r\nx\r\nsame", u"T2\r\n\r\ny", u"T3\r\nI\r\nz"),
              (Notes{u"Article 1 gives no version for paragraph 2.",
                     u"Article 2 gives no version for paragraph 2.",
                     u"Article 1 has 4 paragraphs and article 3 only 3: the rest of article 1 is "
                     u"left out."}));
    // A paragraph that article 1 lacks.
    EXPECT_EQ(notesFor(u"T1", u"T2\r\nsame", u"T3\r\nsame"),
              (Notes{u"Article 1 gives no version for paragraph 2.",
                     u"Articles 2 and 3 give the same wording of paragraph 2."}));
}

TEST(WordingNotes, LongListsAreShortened) {
    std::u16string a1 = u"T1";
    std::u16string a2 = u"T2";
    std::u16string a3 = u"T3";
    for (int p = 0; p < 10; ++p) {
        const std::u16string copied = numbered(u"\r\ncopied ", p, u"");
        a1 += copied;
        a2 += copied;
        a3 += numbered(u"\r\nown ", p, u"");
    }
    EXPECT_EQ(notesFor(a1, a2, a3),
              Notes{u"Articles 1 and 2 give the same wording of paragraphs 2, 3, 4, 5, 6, 7, 8, "
                    u"9 and 2 more."});
}

TEST(WordingNotes, LongArticlesListEveryParagraphInOrder) {
    // Long enough to be compared in two halves: 1,200 paragraphs of about 100
    // code units an article, 360,000 in all. Articles 1 and 2 word every fiftieth
    // paragraph the same from paragraph 8 on, and article 2 words paragraphs
    // 50 and 1150 nearly as article 1 does.
    std::u16string a1 = u"T1";
    std::u16string a2 = u"T2";
    std::u16string a3 = u"T3";
    for (int p = 1; p < 1200; ++p) {
        const std::u16string n = decimalText(p);
        const std::u16string first =
            n +
            u" one two three four five six seven eight nine ten eleven twelve thirteen "
            u"fourteen fifteen sixteen seventeen";
        a1 += u"\r\n" + first;
        if (p % 50 == 7) {
            a2 += u"\r\n" + first;
        } else if (p == 49 || p == 1149) {
            a2 += u"\r\n" + first.substr(0, first.rfind(u' ')) + u" eighteen";
        } else {
            a2 += u"\r\n" + n +
                  u" uno dos tres cuatro cinco seis siete ocho nueve diez once doce trece "
                  u"catorce quince dieciseis";
        }
        a3 += u"\r\n" + n +
              u" only its own words here to make it as long as the others are, or nearly";
    }
    EXPECT_EQ(notesFor(a1, a2, a3),
              (Notes{u"Articles 1 and 2 give the same wording of paragraphs 8, 58, 108, 158, "
                     u"208, 258, 308, 358 and 16 more.",
                     u"Articles 1 and 2 give nearly the same wording of paragraphs 50 and 1150."}));
}

TEST(WordingNotes, NothingElseChanges) {
    const std::u16string a = u"Tea\r\nIntro one\r\nsame words here";
    const std::u16string b = u"Tea\r\nIntro two\r\nsame  words here";
    const std::u16string c = u"Coffee\r\nIntro three\r\nother words";
    const auto noted = testing::checked(a, b, c);
    // The same articles with article 2 reworded word for word.
    const auto plain = testing::checked(a, u"Tee\r\nIntro too\r\nsome  wards hare", c);
    EXPECT_EQ(noted.notes,
              (Notes{u"Articles 1 and 2 give the same wording of paragraphs 1 and 3."}));
    EXPECT_EQ(plain.notes, Notes{});
    EXPECT_EQ(noted.captions, plain.captions);
    EXPECT_EQ(noted.grid, plain.grid);
    EXPECT_EQ(noted.message, plain.message);
    EXPECT_EQ(noted.spinText,
              u"{Tea~Tea~Coffee}\r\n\r\n\r\n{Intro one~Intro two~Intro three}\r\n\r\n"
              u"{same words here~same  words here~other words}\r\n\r\n");
}

}  // namespace
}  // namespace kestrelwick
