#pragma once

// The first half of a check: the three articles tidied, split into their
// paragraphs and counted.
//
// Texts are 16-bit code units with CR LF line breaks, exactly as the boxes
// hold them. Tidying only trims the ends, so the tidied articles and their
// paragraphs are views into the texts the caller lends: nothing is copied.
//
// The paragraphs of the third article decide what the grid, the minimum and
// the spin text cover. Paragraph 0 (usually the title) counts in the totals
// only; paragraph 1 stands in the grid but not in the minimum; paragraphs 2 on
// make up the minimum length.

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "processing/words.h"

namespace kestrelwick {

inline constexpr std::size_t kArticleCount = 3;
// The article whose paragraphs drive the grid, the minimum and the spin text.
inline constexpr std::size_t kDrivingArticle = 2;
// Paragraph 0 is the title: it counts in the totals but not in the grid.
inline constexpr std::size_t kFirstGridParagraph = 1;
// Paragraph 1 is the introduction: in the grid, but not in the minimum.
inline constexpr std::size_t kFirstSummedParagraph = 2;

using ArticleTexts = std::array<std::u16string_view, kArticleCount>;

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

// The three articles as one check reads them, by article (box) index.
struct CountedArticles {
    // The tidied texts, within the texts lent.
    ArticleTexts tidied;
    // The paragraphs of each article: none for a blank article, at least one
    // for any other.
    std::array<std::vector<std::u16string_view>, kArticleCount> paragraphs;
    // The words of every paragraph, sized like paragraphs.
    std::array<std::vector<WordCount>, kArticleCount> paragraphWords;
    std::array<WordCount, kArticleCount> articleWords{};
    // Paragraphs that go into the spin text and hold one of its marks.
    std::array<ParagraphNumbers, kArticleCount> spinMarkParagraphs;

    bool hasParagraph(std::size_t article, std::size_t paragraph) const {
        return paragraph < paragraphs[article].size();
    }
    // The words of a paragraph; 0 for one that the article lacks.
    WordCount wordsOf(std::size_t article, std::size_t paragraph) const {
        return hasParagraph(article, paragraph) ? paragraphWords[article][paragraph] : 0;
    }
    std::size_t drivingParagraphs() const { return paragraphs[kDrivingArticle].size(); }
    // Where work over the third article's paragraphs is shared with a second
    // thread: the paragraph with half the article's text before it. 0 where
    // the articles are too short for a thread to save more than it costs, or
    // the machine has one core.
    std::size_t halfwayParagraph() const;
};

// The text without the spaces at its start and the whole run of spaces, CR and
// LF characters, in any mix, at its end: spaces and empty lines at the end go.
// A line break at the start is content and stays, with what follows it.
// Tidying a tidied text changes nothing.
std::u16string_view tidyArticleText(std::u16string_view text);

// Splits a tidied text at every CR LF. Empty paragraphs stay; a lone CR or LF
// is ordinary text. A blank text has no paragraphs at all.
std::vector<std::u16string_view> splitIntoParagraphs(std::u16string_view text);

// Tidies, splits and counts the three articles; spinMarks are the characters
// of the spin format in use.
CountedArticles countArticles(const ArticleTexts& texts, const std::array<char16_t, 3>& spinMarks);

}  // namespace kestrelwick
