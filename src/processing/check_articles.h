#pragma once

// The Check Articles action: the one piece of real work Kestrelwick does.
//
// The user has pasted three wordings of one article, paragraph for paragraph,
// into the three article boxes. A check tidies the three texts, counts the
// words of every paragraph and article, works out the word-count grid and
// the minimum length of a spun article, notes input that would spoil the spin
// text, the minimum or the point of spinning, and gathers the spin text's
// groups, by paragraph or by sentence. It returns all of that as one value;
// the window and the console show it. Nothing here knows of Qt.
//
// This header is the engine's front door for a check; what is done with a
// spin text afterwards (spinning, a batch of articles) has its own door,
// processing/spinning.h. The units of a check, in the order it runs them:
//   words.h             what a word is
//   counted_articles.h  tidying, paragraphs and counts
//   paragraph_comparison.h
//                       every paragraph's versions compared (wording.h,
//                       which reads words through word_window.h and
//                       word_hash.h)
//   report_notes.h      the report's notes
//   spin_text.h         the spin text's groups, by paragraph or by sentence
//                       (sentences.h), written in a format (spin_formats.h)
//   spin_yield.h        how many articles the spin text gives, and how
//                       much two of them repeat
//   decimal_text.h      numbers as the report writes them
//   working_memory.h    the memory a check works in
//   two_halves.h        long articles read on two threads
//   long_paragraphs.h   the longest paragraph a box of the window takes
//
// And what the window's boxes take:
//   long_paragraphs.h   the longest paragraph a box lays out
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
#include "processing/decimal_text.h"
#include "processing/long_paragraphs.h"
#include "processing/report_notes.h"
#include "processing/spin_text.h"
#include "processing/spin_yield.h"
#include "processing/working_memory.h"

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
    // The words of the shortest article the spin text gives, from the first
    // paragraph after the introduction: by paragraph the sum of the
    // paragraphs' minimums, by sentence that of the groups' shortest
    // versions.
    WordCount minimumLength = 0;

    // What the four labels under the large boxes say: each article's words,
    // then the minimum.
    std::array<std::u16string, kArticleCount + 1> captions;
    // The report's message and its notes.
    std::u16string message;
    // By sentence, where the minimum is lower than by paragraph, the line
    // after the message that says so; empty otherwise. Not a note: it
    // leaves the exit status alone.
    std::u16string minimumLine;
    std::vector<ReportNote> notes;

    SpinText spinText;
    // What the spin text gives, for the line after the message: nothing
    // without groups.
    std::optional<SpinYield> yield;

    // The report's text above its notes: the message, the minimum by
    // paragraph and the line of what the spin text gives where there are
    // those.
    std::u16string reportText() const;
};

// Checks three articles, for a spin text in the format and grouped by
// paragraph or by sentence. Throws std::bad_alloc when memory runs out; then
// nothing has been shown.
CheckResult checkArticles(const ArticleTexts& texts, SpinFormat format = SpinFormat::Ama,
                          SpinBy by = SpinBy::Paragraph);

}  // namespace kestrelwick
