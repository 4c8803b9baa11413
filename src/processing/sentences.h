#pragma once

// What a sentence is, in one place: the spin text by sentence
// (processing/spin_text.h) splits every version of a paragraph by this rule,
// and nothing else splits sentences.
//
// A sentence ends at a run of full stops, exclamation marks, question marks
// or ellipses (". ! ? …", so "..." and "?!" too), with any closing quotes or
// brackets right after it (" ' ” ’ ) ] »), where a space (U+0020) and then a
// word follow; the spaces go between the two sentences. It does not end
// there when
//   - the next word starts with a lower-case letter, after any opening quotes
//     or brackets (" ' “ ‘ „ ( [ « ¿ ¡): "Wait... what?" and "“Go!” she said."
//     are one sentence each;
//   - the run is one full stop after an abbreviation that stands before more
//     of its sentence: Mr. Mrs. Ms. Dr. Prof. Rev. St. Mt. vs. etc. cf.
//     approx. (as written here, after any opening quotes or brackets);
//   - the run is one full stop after a word of single letters each followed
//     by a full stop: an initial ("J. R. R. Tolkien"), "e.g.", "i.e.",
//     "U.S.", "a.m.".
// A number such as 3.5 has no space after its point, so it never ends a
// sentence. Only the space that separates words (processing/words.h) ends
// one: a tab or a no-break space does not.
//
// The lower-case letters recognised are a to z; ß to ÿ of Latin-1 (but ÷);
// the lower-case letters of Latin Extended-A (U+0100 to U+017F); Greek ά to
// ώ (U+03AC to U+03CE); and Cyrillic а to џ (U+0430 to U+045F). A word that
// starts with anything else (a capital, a digit, a letter of another
// alphabet) starts a sentence. Other alphabets follow the same rule; scripts
// that write no space after a sentence, such as Chinese and Japanese (。！？),
// are never split, and such a paragraph is one sentence.
//
// One pass over the paragraph, counting the words of each sentence on the
// way, and looking back only over the word before a full stop that a space
// follows.

#include <cstddef>
#include <string_view>
#include <vector>

namespace kestrelwick {

// A sentence of a paragraph, from its first character to the end of its
// closing quotes or brackets: the spaces after it are not part of it. The
// first sentence starts at the paragraph's start and the last one ends at
// its end, with any spaces there. Its words are counted as it is read, as
// processing/words.h counts them.
struct Sentence {
    std::size_t start = 0;
    std::size_t end = 0;
    std::size_t words = 0;

    bool operator==(const Sentence&) const = default;
};

// The sentences of a paragraph, in order, into found (emptied first): one
// for a paragraph without a sentence end, none for an empty one.
void splitSentences(std::u16string_view paragraph, std::vector<Sentence>& found);

// Whether a character is a lower-case letter as the rule above recognises.
bool isLowerCaseLetter(char16_t c);

}  // namespace kestrelwick
