// Every paragraph's versions compared: the report's notes that name the
// paragraphs two articles word the same or nearly the same, which would spin
// into copies.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "support/checked.h"
#include "support/words.h"

namespace kestrelwick {
namespace {

using Notes = std::vector<std::u16string>;

using testing::kSixteen;
using testing::numbered;

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
