#pragma once

// What a word is, in one place for the word count, the wording comparison
// and the spin text's statistics.
//
// A word is a maximal run of code units other than U+0020. Tabs, non-breaking
// spaces and lone line breaks do not separate words: the count is the one the
// article directories make of a pasted text. Word counts are exact 64-bit
// numbers; every routine here runs in one pass over the text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrelwick {

using WordCount = std::int64_t;

inline constexpr char16_t kWordSeparator = u' ';

// A text is blank when nothing but separators is left after trimming.
bool isBlank(std::u16string_view text);

// The words of a paragraph.
WordCount countWords(std::u16string_view paragraph);

// The words of a paragraph and whether it holds any of three marks (the
// spin format's own characters), in one pass.
struct ParagraphScan {
    WordCount words = 0;
    bool hasMark = false;
};
ParagraphScan scanParagraph(std::u16string_view paragraph, const std::array<char16_t, 3>& marks);

// Where the first word of a text starts; the text's size when it has none.
std::size_t firstWord(std::u16string_view text);
// Where the word after the one at `at` starts; the text's size after the last.
std::size_t nextWord(std::u16string_view text, std::size_t at);

// Bit i is set where the code unit at block + i is a separator, for 64 code
// units; units past the end of the text count as separators, so the end of
// the text ends a word. Eight units are tested at a time where the processor
// can: the wording comparison reads its words through these masks.
std::uint64_t separatorsOf(std::u16string_view text, std::size_t block);

}  // namespace kestrelwick
