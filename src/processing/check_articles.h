#pragma once

// The Check Articles action: the one piece of real work Kestrelwick does.
//
// The user has pasted three wordings of one article, paragraph for paragraph,
// into the boxes Text1(0) to Text1(2). One click runs three phases in order:
//
//   IntakeArticles       empties the grid box Text2, cleans the three article
//                        boxes in place (CleanArticleText) and splits every
//                        article that is not blank into its paragraphs
//                        (SplitIntoLines -> ArticleLines).
//   CheckArticleLengths  counts the words of every paragraph (LineWordCounts,
//                        ArticleWordTotals), shows the totals in Label3(0..2),
//                        writes the word-count grid into Text2, works out the
//                        shortest wording of each paragraph (LineMinimums) and
//                        their sum (MinimumTotal), shows it in Label3(3) and
//                        reports it in a modal message, with notes on input
//                        that would spoil the spin text or the minimum
//                        (ReportNotes).
//   GenerateAmaFormat    once the report is closed, writes the three wordings
//                        into Text1(3) as one {v1~v2~v3} group per paragraph.
//
// The phases touch the window only through ArticleWindow, so this code knows
// nothing of Qt and runs the same against the real window, a test double or a
// benchmark. Texts are 16-bit code units with CR LF line breaks, exactly as the
// boxes hold them; nothing is lost or converted on the way.
//
// The paragraphs of the third article decide what the grid, the minimum and
// the spin text cover. Paragraph 0 (usually the title) counts in the totals
// only; paragraph 1 stands in the grid but not in the minimum; paragraphs 2 on
// make up the minimum length.
//
// Everything runs in time linear in the size of the articles: every box and
// label is written once per phase with its final text, and the grid and the
// spin text are built in local buffers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrelwick {

// What a note of the report is about: input that breaks the spin text or the
// minimum, or versions worded alike.
enum class NoteKind { Spoils, Alike };

// A paragraph that a note names, in the article box where the user finds it.
struct ParagraphPlace {
    std::size_t article;    // box index, 0 to 2
    std::size_t paragraph;  // from 0, as the report counts lines

    bool operator==(const ParagraphPlace&) const = default;
};

// Every paragraph a note names, also those its text leaves out ("and 3 more").
struct NotePlaces {
    NoteKind kind = NoteKind::Spoils;
    std::vector<ParagraphPlace> places;

    bool operator==(const NotePlaces&) const = default;
};

// What the Check Articles action needs of the window. Indices of Text1 and
// Label3 run from 0 to 3.
class ArticleWindow {
  public:
    virtual ~ArticleWindow() = default;

    // The text of Text1(index), read once per action. The engine works on it
    // in place, so the window keeps it, unchanged, until the action returns,
    // even once the box has been written.
    virtual std::u16string_view text1(int index) const = 0;
    virtual void setText1(int index, std::u16string_view text) = 0;
    virtual void setText2(const std::u16string& text) = 0;
    virtual void setLabel3(int index, const std::u16string& caption) = 0;
    // Shows the minimum-length report modally and returns once the user has
    // closed it. Each note, when there are any, is one line of plain text to
    // show below the message.
    virtual void showReport(const std::u16string& message,
                            const std::vector<std::u16string>& notes) = 0;

    // Which paragraph of the third article each line of the grid counts
    // (from 0), told right after the grid is written. A window that does not
    // show it need not take it.
    virtual void setGridParagraphs(const std::vector<std::size_t>& paragraphs) {
        static_cast<void>(paragraphs);
    }
    // Where each note of the coming report points, in the order of the
    // notes, told right before the report is shown. A window that marks
    // nothing need not take it.
    virtual void markReport(const std::vector<NotePlaces>& notes) { static_cast<void>(notes); }
};

inline constexpr std::size_t kArticleCount = 3;
inline constexpr int kOutputBox = 3;  // Text1(3) receives the spin text.

using WordCount = std::int64_t;

// Paragraph numbers (from 0) in ascending order. A note's text names the
// first few; the window marks them all.
class ParagraphNumbers {
  public:
    static constexpr std::size_t kKept = 8;

    void add(std::size_t paragraph) { all_.push_back(paragraph); }
    // Adds the numbers of another list, all of them above this one's.
    void append(const ParagraphNumbers& later) {
        all_.insert(all_.end(), later.all_.begin(), later.all_.end());
    }
    std::size_t count() const { return all_.size(); }
    bool empty() const { return all_.empty(); }
    // The first min(count(), kKept) numbers added: those a note's text names.
    std::span<const std::size_t> first() const {
        return {all_.data(), all_.size() < kKept ? all_.size() : kKept};
    }
    const std::vector<std::size_t>& all() const { return all_; }

  private:
    std::vector<std::size_t> all_;
};

// The working data of one run. It is created empty for every click, so no run
// sees the numbers of an earlier one.
struct CheckArticlesData {
    // The cleaned article texts, within the texts the window lent; ArticleLines
    // views into them.
    std::array<std::u16string_view, kArticleCount> ArticleTexts;
    // The paragraphs of each article, by box index. A blank article has none;
    // any other article has at least one.
    std::array<std::vector<std::u16string_view>, kArticleCount> ArticleLines;
    // Word count of every paragraph of every article, by box index and
    // paragraph number. Sized like ArticleLines.
    std::array<std::vector<WordCount>, kArticleCount> LineWordCounts;
    std::array<WordCount, kArticleCount> ArticleWordTotals{};
    // Smallest non-zero count of each paragraph of the third article among
    // the three articles; 0 where no article has a word there. Entry 0 stays 0:
    // the first paragraph takes no part in the minimum.
    std::vector<WordCount> LineMinimums;
    WordCount MinimumTotal = 0;
    // Paragraphs that go into the spin text and hold {, } or ~, by box index;
    // found while the words are counted.
    std::array<ParagraphNumbers, kArticleCount> SpinMarkParagraphs;
    // Which paragraph of the third article each line of the grid counts.
    std::vector<std::size_t> GridParagraphs;
    // What the report tells the user besides the minimum, in the order shown,
    // and where each note points.
    std::vector<std::u16string> ReportNotes;
    std::vector<NotePlaces> ReportNotePlaces;
};

// --- The product's rules, as pure functions ---------------------------------

// A text is blank when nothing but spaces is left after trimming.
bool isBlank(std::u16string_view text);

// The text without the spaces at its start and the whole run of spaces, CR and
// LF characters, in any mix, at its end: spaces and empty lines at the end go.
// A line break at the start is content and stays, with what follows it.
// Cleaning a cleaned text changes nothing.
std::u16string_view CleanArticleText(std::u16string_view text);

// Splits a cleaned text at every CR LF. Empty paragraphs stay; a lone CR or LF
// is ordinary text. A blank text has no paragraphs at all.
std::vector<std::u16string_view> SplitIntoLines(std::u16string_view text);

// A word is a maximal run of characters other than U+0020. Tabs, non-breaking
// spaces and lone line breaks do not separate words.
WordCount countWords(std::u16string_view paragraph);

// {, } and ~ are the spin format's own characters: inside a version they split
// it or open and close groups where none were meant.
bool isSpinMark(char16_t unit);

// The words of a paragraph and whether it holds a spin mark, in one pass.
struct ParagraphScan {
    WordCount words = 0;
    bool hasSpinMark = false;
};
ParagraphScan scanParagraph(std::u16string_view paragraph);

// Paragraph numbers as the user counts lines, from 1: "4", "4 and 9",
// "2, 5 and 9", and past eight numbers "1, 2, 3, 4, 5, 6, 7, 8 and 3 more".
std::u16string paragraphListText(const ParagraphNumbers& paragraphs);

// The notes of the report, worked out from the data of the first two phases:
// a blank third article, spin marks in the versions, groups that an article
// leaves without its version, two articles that give the same or nearly the
// same wording of a paragraph (processing/wording.h), surplus paragraphs left
// out, and blank lines that shift the roles of the third article's paragraphs.
// Each note comes with the paragraphs it names, where the user finds them: a
// version that an article lacks altogether (its text ends before it) is
// found in the third article's box.
struct ReportNotes {
    std::vector<std::u16string> texts;
    std::vector<NotePlaces> places;  // one for each text
};
ReportNotes buildReportNotes(const CheckArticlesData& data);

// The decimal digits of a number, with a minus sign when it is negative.
std::u16string decimalText(WordCount number);

// --- The phases -------------------------------------------------------------

void IntakeArticles(ArticleWindow& window, CheckArticlesData& data);
void CheckArticleLengths(ArticleWindow& window, CheckArticlesData& data);
void GenerateAmaFormat(ArticleWindow& window, const CheckArticlesData& data);

// The whole action behind the Check Articles button.
void CheckArticles(ArticleWindow& window);

}  // namespace kestrelwick
