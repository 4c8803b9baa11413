// The notes that the minimum-length report adds when the input would spoil the
// spin text or the minimum. Texts are compared character for character.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "processing/check_articles.h"
#include "support/checked.h"
#include "support/dog_training_article.h"

namespace kestrelwick {
namespace {

using testing::checked;
using testing::kDogs1;
using testing::kDogs2;
using testing::kDogs3;
using Notes = std::vector<std::u16string>;

// The notes of the report that a check gives.
Notes notesFor(std::u16string_view a1, std::u16string_view a2, std::u16string_view a3) {
    return checked(a1, a2, a3).notes;
}

// What a note is about and where it points, without its text.
struct NotePlaces {
    NoteKind kind;
    std::vector<ParagraphPlace> places;
    bool operator==(const NotePlaces&) const = default;
};
std::vector<NotePlaces> placesOf(const testing::Checked& shown) {
    std::vector<NotePlaces> places;
    for (const ReportNote& note : shown.result->notes) {
        places.push_back({note.kind, note.places});
    }
    return places;
}

// An article of the given paragraphs joined with CR LF.
std::u16string article(const std::vector<std::u16string>& paragraphs) {
    std::u16string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        text += (i > 0 ? u"\r\n" : u"") + paragraphs[i];
    }
    return text;
}

ParagraphNumbers numbers(std::initializer_list<std::size_t> paragraphs) {
    ParagraphNumbers list;
    for (const std::size_t p : paragraphs) {
        list.add(p);
    }
    return list;
}

TEST(ParagraphListText, CountsFromOneAndShortensLongLists) {
    EXPECT_EQ(paragraphListText(numbers({3})), u"4");
    EXPECT_EQ(paragraphListText(numbers({3, 8})), u"4 and 9");
    EXPECT_EQ(paragraphListText(numbers({1, 4, 8})), u"2, 5 and 9");
    EXPECT_EQ(paragraphListText(numbers({0, 1, 2, 3, 4, 5, 6, 7})), u"1, 2, 3, 4, 5, 6, 7 and 8");
    EXPECT_EQ(paragraphListText(numbers({0, 1, 2, 3, 4, 5, 6, 7, 8})),
              u"1, 2, 3, 4, 5, 6, 7, 8 and 1 more");
    EXPECT_EQ(paragraphListText(numbers({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10})),
              u"1, 2, 3, 4, 5, 6, 7, 8 and 3 more");
    EXPECT_EQ(paragraphListText(numbers({9, 99, 999})), u"10, 100 and 1000");
}

TEST(ReportNotes, WorkedExampleHasNoneAndItsVariationOne) {
    EXPECT_EQ(notesFor(kDogs1, kDogs2, kDogs3), Notes{});
    EXPECT_EQ(notesFor(kDogs1,
                       u"Tips For Training Dogs\r\n"
                       u"Teaching a dog needs a lot of patience.\r\n"
                       u"\r\n"
                       u"Always reward good behaviour.",
                       kDogs3),
              Notes{u"Article 2 gives no version for paragraph 3."});
}

TEST(ReportNotes, BlankThirdArticleIsTheOnlyNote) {
    // Marks and surplus paragraphs elsewhere do not matter when nothing is spun.
    EXPECT_EQ(notesFor(u"t\r\n{a}\r\nb", u"t~", u"  \r\n "),
              Notes{u"Article 3 is empty, so there is nothing to spin."});
    EXPECT_EQ(notesFor(u"", u"", u""), Notes{u"Article 3 is empty, so there is nothing to spin."});
}

TEST(ReportNotes, SpinMarksInVersionsThatAreSpun) {
    EXPECT_EQ(notesFor(u"t1\r\na1\r\nb ~ c", u"t2\r\na2\r\nb2", u"t3\r\na3\r\nb3"),
              Notes{u"Article 1: paragraph 3 contains {, } or ~, which break the spin text."});
    EXPECT_EQ(notesFor(u"t1\r\na1\r\nb1\r\nc1", u"t2\r\na2\r\nb2\r\nc2", u"{t}\r\na\r\n}b\r\nc{"),
              Notes{u"Article 3: paragraphs 1, 3 and 4 contain {, } or ~, which break the spin "
                    u"text."});
    // A marked paragraph beyond the third article's is left out, so it is not
    // named for its mark, only as part of what is left out.
    EXPECT_EQ(notesFor(u"t1\r\na1", u"t2\r\na2\r\n{b}", u"t3\r\na3"),
              Notes{u"Article 2 has 3 paragraphs and article 3 only 2: the rest of article 2 is "
                    u"left out."});
}

TEST(ReportNotes, MissingVersionsWithinTheThirdArticle) {
    // Article 1 lacks paragraphs 2 and 3, article 2 has a blank paragraph 3,
    // and article 3 a blank paragraph 4 that the others fill.
    EXPECT_EQ(notesFor(u"t1", u"t2\r\na2\r\n  \r\nc", u"t3\r\na3\r\nb\r\n \r\nd"),
              (Notes{u"Article 1 gives no version for paragraphs 2, 3, 4 and 5.",
                     u"Article 2 gives no version for paragraphs 3 and 5.",
                     u"Article 3 gives no version for paragraph 4.",
                     u"Blank lines count as paragraphs: the first line is the title, and the "
                     u"second is left out of the minimum."}));
    // A paragraph that every article leaves blank is no missing version.
    EXPECT_EQ(notesFor(u"t1\r\n\r\na1", u"t2\r\n \r\na2", u"t3\r\n\r\na3"),
              Notes{u"Blank lines count as paragraphs: the first line is the title, and the "
                    u"second is left out of the minimum."});
    // Past eight paragraphs the list is shortened.
    EXPECT_EQ(notesFor(article(std::vector<std::u16string>(11, u"p")), u"",
                       article(std::vector<std::u16string>(11, u"q"))),
              Notes{u"Article 2 gives no version for paragraphs 1, 2, 3, 4, 5, 6, 7, 8 and 3 "
                    u"more."});
}

TEST(ReportNotes, SurplusParagraphsOfTheFirstTwoArticles) {
    EXPECT_EQ(notesFor(u"t1\r\na1\r\nb1\r\nc\r\nd", u"t2\r\na2\r\nb2\r\nc", u"t3\r\na3\r\nb3"),
              (Notes{u"Article 1 has 5 paragraphs and article 3 only 3: the rest of article 1 "
                     u"is left out.",
                     u"Article 2 has 4 paragraphs and article 3 only 3: the rest of article 2 "
                     u"is left out."}));
    EXPECT_EQ(notesFor(u"t1\r\na", u"t2", u"t3"),
              Notes{u"Article 1 has 2 paragraphs and article 3 only 1: the rest of article 1 is "
                    u"left out."});
}

TEST(ReportNotes, BlankLinesOfTheThirdArticle) {
    const Notes blankLines{
        u"Blank lines count as paragraphs: the first line is the title, and the second is left "
        u"out of the minimum."};
    // A blank title line shifts every role, also in the other articles.
    EXPECT_EQ(notesFor(u"\r\nt1\r\na1", u"\r\nt2\r\na2", u"\r\nt3\r\na3"), blankLines);
    // A blank last paragraph shifts nothing.
    EXPECT_EQ(notesFor(u"t1\r\na1\r\n ", u"t2\r\na2\r\n ", u"t3\r\na3\r\n \r\n"), Notes{});
}

TEST(ReportNotes, AllKindsTogetherInTheirOrderAndNothingElseChanges) {
    const auto check = checked(u"t\r\n~a\r\nb\r\nc d e f g h\r\nd", u"t\r\n\r\nb\r\n{c}",
                               u"t\r\n\r\nb}\r\nc d e f g h i");
    const Notes expected = {
        u"Article 1: paragraph 2 contains {, } or ~, which break the spin text.",
        u"Article 2: paragraph 4 contains {, } or ~, which break the spin text.",
        u"Article 3: paragraph 3 contains {, } or ~, which break the spin text.",
        u"Article 2 gives no version for paragraph 2.",
        u"Article 3 gives no version for paragraph 2.",
        u"Articles 1 and 2 give the same wording of paragraphs 1 and 3.",
        u"Articles 1 and 3 give the same wording of paragraph 1.",
        u"Articles 2 and 3 give the same wording of paragraph 1.",
        u"Articles 1 and 3 give nearly the same wording of paragraph 4.",
        u"Article 1 has 5 paragraphs and article 3 only 4: the rest of article 1 is left out.",
        u"Blank lines count as paragraphs: the first line is the title, and the second is left "
        u"out of the minimum.",
    };
    EXPECT_EQ(check.notes, expected);

    // The tidied texts, captions, grid and spin text are what they are
    // without notes.
    EXPECT_EQ(check.tidied, (std::array<std::u16string, 3>{u"t\r\n~a\r\nb\r\nc d e f g h\r\nd",
                                                           u"t\r\n\r\nb\r\n{c}",
                                                           u"t\r\n\r\nb}\r\nc d e f g h i"}));
    EXPECT_EQ(
        check.spinText,
        u"{t~t~t}\r\n\r\n\r\n{~a}\r\n\r\n{b~b~b}}\r\n\r\n{c d e f g h~{c}~c d e f g h i}\r\n\r\n");
    EXPECT_EQ(check.captions, (std::array<std::u16string, 4>{u"Words: 10", u"Words: 3", u"Words: 9",
                                                             u"Minimum words: 2"}));
    EXPECT_EQ(check.grid, u"1\t\r\n1\t1\t1\t\r\n6\t1\t7\t\r\n");
    EXPECT_EQ(check.message, u"Minimum length = 2 words");

    // Each note names its paragraphs where the user finds them; the grid's
    // lines count paragraphs 2, 3 and 4 as the user counts them.
    const auto spoils = NoteKind::Spoils;
    const auto alike = NoteKind::Alike;
    const std::vector<NotePlaces> places = {
        {spoils, {{0, 1}}},        {spoils, {{1, 3}}},
        {spoils, {{2, 2}}},        {spoils, {{1, 1}}},  // blank in article 2
        {spoils, {{2, 1}}},        {alike, {{0, 0}, {1, 0}, {0, 2}, {1, 2}}},
        {alike, {{0, 0}, {2, 0}}}, {alike, {{1, 0}, {2, 0}}},
        {alike, {{0, 3}, {2, 3}}}, {spoils, {{0, 4}}},
        {spoils, {{2, 1}}},  // the blank line that shifts the roles
    };
    EXPECT_EQ(placesOf(check), places);
    EXPECT_EQ(check.gridParagraphs, (std::vector<std::size_t>{1, 2, 3}));
}

TEST(ReportNotes, EveryParagraphANoteNamesIsPlacedPastTheEightItLists) {
    // Articles 1 and 2 give twelve paragraphs the same wording; article 2
    // ends before the third article's last three, which are found in the
    // third article's box; article 1 has a blank line there.
    std::vector<std::u16string> one = {u"t1"};
    std::vector<std::u16string> two = {u"t2"};
    std::vector<std::u16string> three = {u"t3"};
    for (int p = 1; p <= 12; ++p) {
        one.push_back(u"same " + decimalText(p));
        two.push_back(u"same " + decimalText(p));
        three.push_back(u"own " + decimalText(p));
    }
    for (int p = 13; p <= 15; ++p) {
        one.push_back(p == 14 ? u"" : u"more " + decimalText(p));
        three.push_back(u"own " + decimalText(p));
    }
    const auto check = checked(article(one), article(two), article(three));
    EXPECT_EQ(check.notes,
              (Notes{u"Article 1 gives no version for paragraph 15.",
                     u"Article 2 gives no version for paragraphs 14, 15 and 16.",
                     u"Articles 1 and 2 give the same wording of paragraphs 2, 3, 4, 5, 6, 7, 8, "
                     u"9 and 4 more."}));
    std::vector<ParagraphPlace> same;
    for (std::size_t p = 1; p <= 12; ++p) {
        same.push_back({0, p});
        same.push_back({1, p});
    }
    EXPECT_EQ(placesOf(check),
              (std::vector<NotePlaces>{{NoteKind::Spoils, {{0, 14}}},
                                       {NoteKind::Spoils, {{2, 13}, {2, 14}, {2, 15}}},
                                       {NoteKind::Alike, same}}));
}

TEST(ReportNotes, SurplusParagraphsAndTheGridAreEachPlaced) {
    const auto check =
        checked(u"t\r\na\r\nb\r\n\r\nd\r\ne", u"t\r\na\r\nb", u"t\r\n\r\nx y\r\n\r\nz");
    const auto& texts = check.notes;
    const auto surplus = std::find(texts.begin(), texts.end(),
                                   u"Article 1 has 6 paragraphs and article 3 only 5: the rest of "
                                   u"article 1 is left out.");
    ASSERT_NE(surplus, texts.end());
    EXPECT_EQ(placesOf(check)[std::size_t(surplus - texts.begin())],
              (NotePlaces{NoteKind::Spoils, {{0, 5}}}));
    // Paragraph 4, as the user counts it, has words in no article: no line.
    EXPECT_EQ(check.gridParagraphs, (std::vector<std::size_t>{1, 2, 4}));
    EXPECT_EQ(check.grid, u"1\t1\t\r\n1\t1\t2\t\r\n1\t1\t\r\n");
}

// By sentence, the paragraphs whose versions (those not blank) differ in
// their number of sentences stay one group: one note names them with their
// counts, once where the named ones agree, and marks them in every box that
// has them.
TEST(ReportNotes, BySentenceUnevenParagraphsAreNamedWithTheirCounts) {
    std::u16string many1 = u"T\r\nI";
    std::u16string many3 = many1;
    for (int p = 0; p < 10; ++p) {
        many1 += p < 8 ? u"\r\nOne." : u"\r\nOne. Two.";
        many3 += p < 8 ? u"\r\nOne. Two." : u"\r\nOne.";
    }
    struct Case {
        const char* name;
        std::u16string a1, a2, a3, note;
        std::vector<ParagraphPlace> places;  // none: not checked
    };
    const std::vector<Case> cases = {
        {"one paragraph",
         u"A\r\nB\r\nOne. Two. Three.",
         u"C\r\nD\r\nUno. Dos. Tres.",
         u"E\r\nF\r\nEin. Zwei. Drei. Vier.",
         u"Paragraph 3 keeps one group: its versions have 3, 3 and 4 sentences.",
         {{0, 2}, {1, 2}, {2, 2}}},
        {"blank and missing versions",
         u"A\r\nB\r\n \r\nXx. Yy.",
         u"C\r\nD\r\nOne.\r\nSo. So.\r\nUno.",
         u"E\r\nF\r\nEin. Zwei.\r\nSi. Si.\r\nUn. Deux.",
         u"Paragraphs 3 and 5 keep one group: their versions have 1 and 2 sentences.",
         {{0, 2}, {1, 2}, {2, 2}, {1, 4}, {2, 4}}},
        {"counts that differ",
         u"A\r\nB\r\nOne. Two.\r\nOne.",
         u"C\r\nD\r\nUno. Dos.\r\nUno. Dos.",
         u"E\r\nF\r\nEin.\r\nUn. Deux. Trois.",
         u"Paragraphs 3 and 4 keep one group: their versions have 2, 2 and 1 sentences; 1, 2 "
         u"and 3.",
         {}},
        {"past eight, the counts of those named",
         many1,
         many1,
         many3,
         u"Paragraphs 3, 4, 5, 6, 7, 8, 9, 10 and 2 more keep one group: their versions have 1, "
         u"1 and 2 sentences.",
         {}},
    };
    for (const auto& c : cases) {
        const auto check = checked(c.a1, c.a2, c.a3, SpinFormat::Ama, SpinBy::Sentence);
        const auto found = std::find(check.notes.begin(), check.notes.end(), c.note);
        ASSERT_NE(found, check.notes.end()) << c.name;
        const ReportNote& note = check.result->notes[std::size_t(found - check.notes.begin())];
        EXPECT_EQ(note.kind, NoteKind::Spoils) << c.name;
        if (!c.places.empty()) {
            EXPECT_EQ(note.places, c.places) << c.name;
        }
        // By paragraph there is no such note.
        for (const std::u16string& text : checked(c.a1, c.a2, c.a3).notes) {
            EXPECT_EQ(text.find(u"one group"), std::u16string::npos) << c.name;
        }
    }
}

}  // namespace
}  // namespace kestrelwick
