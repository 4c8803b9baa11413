#pragma once

// The notes of the report: what the check tells the user besides the
// minimum, in the order shown, each with the paragraphs it names.
//
// In order: a blank third article, spin marks in the versions, groups that an
// article leaves without its version, by sentence the paragraphs that stay
// one group as their versions differ in their number of sentences, two
// articles that give the same or nearly the same wording of a paragraph
// (processing/wording.h), surplus paragraphs left out, and blank lines that
// shift the roles of the third article's paragraphs. This unit holds the
// English text of every note.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "processing/counted_articles.h"
#include "processing/paragraph_comparison.h"

namespace kestrelwick {

// What a note is about: input that breaks the spin text or the minimum, or
// versions worded alike.
enum class NoteKind { Spoils, Alike };

// A paragraph that a note names, in the article box where the user finds it.
struct ParagraphPlace {
    std::size_t article;    // box index, 0 to 2
    std::size_t paragraph;  // from 0, as the report counts lines

    bool operator==(const ParagraphPlace&) const = default;
};

struct ReportNote {
    std::u16string text;  // one line of plain text
    NoteKind kind = NoteKind::Spoils;
    // Every paragraph the note names, also those its text leaves out ("and 3
    // more"). A version that an article lacks altogether (its text ends
    // before it) is found in the third article's box.
    std::vector<ParagraphPlace> places;

    bool operator==(const ReportNote&) const = default;
};

// Paragraph numbers as the user counts lines, from 1: "4", "4 and 9",
// "2, 5 and 9", and past eight numbers "1, 2, 3, 4, 5, 6, 7, 8 and 3 more".
std::u16string paragraphListText(const ParagraphNumbers& paragraphs);

// The notes on counted articles, with their paragraphs compared.
// spinMarksText names the spin format's own characters as the note on them
// reads: u"{, } or ~". uneven: by sentence, the paragraphs that stay one
// group (processing/spin_text.h).
std::vector<ReportNote> buildReportNotes(const CountedArticles& articles,
                                         const ParagraphComparison& alike,
                                         std::u16string_view spinMarksText,
                                         const std::vector<UnevenParagraph>& uneven = {});

}  // namespace kestrelwick
