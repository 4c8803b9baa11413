#include "processing/sentences.h"

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "processing/words.h"

namespace kestrelwick {

namespace {

constexpr char16_t kFullStop = u'.';

bool isSentenceEnd(char16_t c) {
    return c == u'.' || c == u'!' || c == u'?' || c == u'\u2026';
}

// Whether a word starts at `at`: a unit other than a separator at the
// paragraph's start or after a separator (processing/words.h).
bool wordStartsAt(const char16_t* units, std::size_t at) {
    return units[at] != kWordSeparator && (at == 0 || units[at - 1] == kWordSeparator);
}

// The words that start from `from` to before `to`.
std::size_t wordsStarting(const char16_t* units, std::size_t from, std::size_t to) {
    std::size_t words = 0;
    for (std::size_t at = from; at < to; ++at) {
        words += wordStartsAt(units, at) ? 1 : 0;
    }
    return words;
}

// Where the next character that may end a sentence stands, from `at`, or
// the text's size; adds the words that start before it to words. Sixteen
// units are tested at a time where the processor can, as the word count
// tests them: most of a paragraph ends no sentence.
std::size_t nextSentenceEnd(std::u16string_view text, std::size_t at, std::size_t& words) {
    const char16_t* units = text.data();
#if defined(__SSE2__)
    // Each block is read with the unit before it, so reading starts at 1.
    if (at == 0 && !text.empty() && !isSentenceEnd(units[0])) {
        words += wordStartsAt(units, 0) ? 1 : 0;
        at = 1;
    }
    const __m128i stop = _mm_set1_epi16(static_cast<short>(u'.'));
    const __m128i exclamation = _mm_set1_epi16(static_cast<short>(u'!'));
    const __m128i question = _mm_set1_epi16(static_cast<short>(u'?'));
    const __m128i ellipsis = _mm_set1_epi16(static_cast<short>(u'\u2026'));
    const __m128i separator = _mm_set1_epi16(static_cast<short>(kWordSeparator));
    // For eight units at `from`: those that may end a sentence, and those
    // where a word starts, as 16-bit lanes of all ones.
    const auto test = [&](std::size_t from, __m128i& ends, __m128i& starts) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + from));
        const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + from - 1));
        ends = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi16(block, stop), _mm_cmpeq_epi16(block, exclamation)),
            _mm_or_si128(_mm_cmpeq_epi16(block, question), _mm_cmpeq_epi16(block, ellipsis)));
        starts =
            _mm_andnot_si128(_mm_cmpeq_epi16(block, separator), _mm_cmpeq_epi16(before, separator));
    };
    for (; at > 0 && at + 16 <= text.size(); at += 16) {
        __m128i ends0, starts0, ends1, starts1;
        test(at, ends0, starts0);
        test(at + 8, ends1, starts1);
        // One bit a unit.
        const auto endBits = unsigned(_mm_movemask_epi8(_mm_packs_epi16(ends0, ends1)));
        auto startBits = unsigned(_mm_movemask_epi8(_mm_packs_epi16(starts0, starts1)));
        if (endBits != 0) {
            const auto end = unsigned(std::countr_zero(endBits));
            startBits &= (1u << end) - 1;
            words += std::size_t(std::popcount(startBits));
            return at + end;
        }
        words += std::size_t(std::popcount(startBits));
    }
#endif
    const std::size_t from = at;
    while (at < text.size() && !isSentenceEnd(units[at])) {
        ++at;
    }
    words += wordsStarting(units, from, at);
    return at;
}

bool isClosing(char16_t c) {
    return c == u'"' || c == u'\'' || c == u'\u201d' || c == u'\u2019' || c == u')' || c == u']' ||
           c == u'\u00bb';
}

bool isOpening(char16_t c) {
    return c == u'"' || c == u'\'' || c == u'\u201c' || c == u'\u2018' || c == u'\u201e' ||
           c == u'(' || c == u'[' || c == u'\u00ab' || c == u'\u00bf' || c == u'\u00a1';
}

// A letter of the alphabets whose lower-case letters the rule knows, in
// either case: what an initial is made of.
bool isLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           (c >= u'\u00c0' && c <= u'\u017f' && c != u'\u00d7' && c != u'\u00f7') ||
           (c >= u'\u0388' && c <= u'\u03ce') || c == u'\u0386' ||
           (c >= u'\u0400' && c <= u'\u045f');
}

// The abbreviations that stand before more of their sentence, without
// their full stop.
constexpr std::u16string_view kAbbreviations[] = {u"Mr", u"Mrs", u"Ms", u"Dr",  u"Prof", u"Rev",
                                                  u"St", u"Mt",  u"vs", u"etc", u"cf",   u"approx"};

// Whether the word is one letter after another, each followed by a full
// stop: "J.", "e.g.", "U.S.".
bool isInitials(std::u16string_view word) {
    if (word.empty() || word.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); i += 2) {
        if (!isLetter(word[i]) || word[i + 1] != kFullStop) {
            return false;
        }
    }
    return true;
}

// Whether the full stop at `at`, the whole run there, belongs to a word that
// does not end its sentence.
bool endsAbbreviation(std::u16string_view paragraph, std::size_t at) {
    std::size_t start = at;
    while (start > 0 && paragraph[start - 1] != kWordSeparator) {
        --start;
    }
    while (start < at && isOpening(paragraph[start])) {
        ++start;
    }
    const std::u16string_view word = paragraph.substr(start, at + 1 - start);
    if (isInitials(word)) {
        return true;
    }
    const std::u16string_view bare = word.substr(0, word.size() - 1);
    constexpr std::size_t kLongest = 6;  // "approx"
    if (bare.empty() || bare.size() > kLongest) {
        return false;
    }
    for (const std::u16string_view abbreviation : kAbbreviations) {
        // Most words end a sentence: their first letter or length tells.
        if (abbreviation[0] == bare[0] && abbreviation.size() == bare.size() &&
            abbreviation == bare) {
            return true;
        }
    }
    return false;
}

// Whether the word at `at` starts, after its opening marks, with a lower-case
// letter.
bool startsLowerCase(std::u16string_view paragraph, std::size_t at) {
    while (at < paragraph.size() && isOpening(paragraph[at])) {
        ++at;
    }
    return at < paragraph.size() && isLowerCaseLetter(paragraph[at]);
}

}  // namespace

bool isLowerCaseLetter(char16_t c) {
    if (c < 0x80) {
        return c >= u'a' && c <= u'z';
    }
    if (c >= u'\u00df' && c <= u'\u00ff') {
        return c != u'\u00f7';
    }
    if (c >= u'\u0100' && c <= u'\u017f') {
        // Latin Extended-A pairs each capital with its small letter, the
        // capital first; three stretches start the pairs on an odd number.
        if (c == u'\u0138' || c == u'\u0149' || c == u'\u017f') {
            return true;
        }
        if (c == u'\u0178') {
            return false;
        }
        const bool oddPairs = (c >= u'\u0139' && c <= u'\u0148') || c >= u'\u0179';
        return (c % 2 == 0) == oddPairs;
    }
    return (c >= u'\u03ac' && c <= u'\u03ce') || (c >= u'\u0430' && c <= u'\u045f');
}

void splitSentences(std::u16string_view paragraph, std::vector<Sentence>& found) {
    found.clear();
    if (paragraph.empty()) {
        return;
    }
    const char16_t* units = paragraph.data();
    const std::size_t size = paragraph.size();
    Sentence sentence;
    for (std::size_t i = nextSentenceEnd(paragraph, 0, sentence.words); i < size;) {
        std::size_t runEnd = i + 1;
        while (runEnd < size && isSentenceEnd(units[runEnd])) {
            ++runEnd;
        }
        std::size_t end = runEnd;
        while (end < size && isClosing(units[end])) {
            ++end;
        }
        std::size_t next = end;
        while (next < size && units[next] == kWordSeparator) {
            ++next;
        }
        const bool ends =
            next > end && next < size && !startsLowerCase(paragraph, next) &&
            !(runEnd == i + 1 && units[i] == kFullStop && endsAbbreviation(paragraph, i));
        // Reading goes on after the spaces that end a sentence, or after the
        // marks that do not; the words on the way are counted.
        const std::size_t goOn = ends ? next : runEnd;
        sentence.words += wordsStarting(units, i, goOn);
        if (ends) {
            sentence.end = end;
            found.push_back(sentence);
            sentence = {next, 0, 0};
        }
        i = nextSentenceEnd(paragraph, goOn, sentence.words);
    }
    sentence.end = size;
    found.push_back(sentence);
}

}  // namespace kestrelwick
