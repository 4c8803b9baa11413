#pragma once

// The Check Articles action: the one piece of real work Kestrelwick does.
//
// The user has pasted three wordings of one article, paragraph for paragraph,
// into the three article boxes. A check tidies the three texts, counts the
// words of every paragraph and article, works out the word-count grid and
// the minimum length of a spun article, notes input that would spoil the spin
// text, the minimum or the point of spinning, and gathers the spin text's
// groups. It returns all of that as one value; the window and the console
// show it. Nothing here knows of Qt.
//
// The units it is made of, in the order a check runs them:
//   words.h             what a word is
//   counted_articles.h  tidying, paragraphs and counts
//   paragraph_comparison.h
//                       every paragraph's versions compared (wording.h,
//                       which reads words through word_window.h)
//   report_notes.h      the report's notes
//   spin_text.h         the spin text's groups and formats
//   spin_yield.h        how many articles the spin text gives, and how
//                       much two of them repeat
//
// And what is done with a spin text after a check, in the engine too:
//   spinner.h           spinning one article; finding a text's format
//   spin_choices.h      a spin text read for many articles, with the
//                       written ones
//   article_share.h     how much two articles repeat each other
//   article_spelling.h  whether two articles read the same
//   article_batch.h     a batch chosen so that no two repeat each other
//                       more than they must, nor the written ones:
//     least_shared_pair.h  two articles, exactly
//     linear_code.h        the first batch, and the whole of a large one
//     batch_search.h       the search that improves it (batch_progress.h)
//     most_within_limit.h  the most within a share limit, exactly
//     distinct_texts.h     no two that read the same
//     batch_record.h       the batch, its line and its shares.csv
//
// A check runs in time linear in the size of the articles. Its result holds
// views into the texts it was given: the caller keeps them, unchanged, for as
// long as it uses the result.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "processing/counted_articles.h"
#include "processing/report_notes.h"
#include "processing/spin_text.h"
#include "processing/spin_yield.h"

namespace kestrelwick {

// What a check found, in the order the window shows it. A result is moved,
// never copied: its spin text reads the paragraph lists of the result it
// was made in.
struct CheckResult {
    CheckResult() = default;
    CheckResult(CheckResult&&) = default;
    CheckResult& operator=(CheckResult&&) = default;
    CheckResult(const CheckResult&) = delete;
    CheckResult& operator=(const CheckResult&) = delete;

    // The tidied texts, paragraphs and counts; tidied texts are views into
    // the texts given.
    CountedArticles articles;

    // The grid: one line per paragraph of the third article from the
    // introduction on, each non-zero count of the three articles followed by
    // a TAB, then CR LF; a paragraph without counts leaves no line.
    std::u16string grid;
    // Which paragraph of the third article each line of the grid counts.
    std::vector<std::size_t> gridParagraphs;
    // The smallest non-zero count of each paragraph of the third article
    // among the three articles; 0 where no article has a word there, and for
    // the title, which takes no part in the minimum.
    std::vector<WordCount> paragraphMinimums;
    // The sum of the minimums from the first paragraph after the introduction.
    WordCount minimumLength = 0;

    // What the four labels under the large boxes say: each article's words,
    // then the minimum.
    std::array<std::u16string, kArticleCount + 1> captions;
    // The report's message and its notes.
    std::u16string message;
    std::vector<ReportNote> notes;

    SpinText spinText;
    // What the spin text gives, for the line after the message: nothing
    // without groups.
    std::optional<SpinYield> yield;

    // The report's text above its notes: the message, and the line of what
    // the spin text gives where there is one.
    std::u16string reportText() const;
};

// Checks three articles. Throws std::bad_alloc when memory runs out; then
// nothing has been shown.
CheckResult checkArticles(const ArticleTexts& texts, SpinFormat format = SpinFormat::Ama);

}  // namespace kestrelwick
