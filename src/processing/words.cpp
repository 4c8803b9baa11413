#include "processing/words.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrelwick {

namespace {

// Bit i is set where units[i] is a separator, for i below count.
std::uint64_t separatorsAmong(const char16_t* units, std::size_t count) {
    std::uint64_t found = 0;
    for (std::size_t i = 0; i < count; ++i) {
        found |= std::uint64_t{units[i] == kWordSeparator} << i;
    }
    return found;
}

// The same for 64 code units, eight at a time where the processor can.
std::uint64_t separatorsAmong64(const char16_t* units) {
#if defined(__SSE2__)
    const __m128i separator = _mm_set1_epi16(static_cast<short>(kWordSeparator));
    std::uint64_t found = 0;
    for (int i = 0; i < 64; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i + 8));
        const __m128i bytes =
            _mm_packs_epi16(_mm_cmpeq_epi16(low, separator), _mm_cmpeq_epi16(high, separator));
        found |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(bytes))) << i;
    }
    return found;
#else
    return separatorsAmong(units, 64);
#endif
}

// The length of the word that starts at `at`.
std::size_t wordLength(std::u16string_view text, std::size_t at) {
    std::size_t end = at;
    while (end < text.size() && text[end] != kWordSeparator) {
        ++end;
    }
    return end - at;
}

}  // namespace

bool isBlank(std::u16string_view text) {
    return text.find_first_not_of(kWordSeparator) == std::u16string_view::npos;
}

ParagraphScan scanParagraph(std::u16string_view paragraph, const std::array<char16_t, 3>& marks) {
    // A word starts at a unit other than a separator whose left neighbour is
    // a separator. Judging each unit from itself and its neighbour alone,
    // with narrow counters that are added up block by block, lets the
    // compiler look at many units at once; the marks are found in the same
    // pass.
    if (paragraph.empty()) {
        return {};
    }
    const char16_t* units = paragraph.data();
    const std::size_t size = paragraph.size();
    const auto isMark = [&marks](char16_t unit) {
        // Without short-circuits, so that many units can be tested at once.
        return std::uint16_t(int(unit == marks[0]) | int(unit == marks[1]) | int(unit == marks[2]));
    };
    constexpr std::size_t kBlock = 0xffff;  // a block's count fits 16 bits
    ParagraphScan scan{units[0] != kWordSeparator, false};
    // Kept as a number: a flag would make the compiler test one unit at a time.
    std::uint16_t found = isMark(units[0]);
    for (std::size_t begin = 1; begin < size;) {
        const std::size_t end = size - begin > kBlock ? begin + kBlock : size;
        std::uint16_t starts = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const char16_t unit = units[i];
            starts = std::uint16_t(starts +
                                   ((unit != kWordSeparator) & (units[i - 1] == kWordSeparator)));
            found |= isMark(unit);
        }
        scan.words += starts;
        begin = end;
    }
    scan.hasMark = found != 0;
    return scan;
}

WordCount countWords(std::u16string_view paragraph) {
    // Marks that no text holds apart from the separator itself.
    return scanParagraph(paragraph, {kWordSeparator, kWordSeparator, kWordSeparator}).words;
}

std::size_t firstWord(std::u16string_view text) {
    return std::min(text.find_first_not_of(kWordSeparator), text.size());
}

std::size_t nextWord(std::u16string_view text, std::size_t at) {
    at += wordLength(text, at);
    while (at < text.size() && text[at] == kWordSeparator) {
        ++at;
    }
    return at;
}

std::uint64_t separatorsOf(std::u16string_view text, std::size_t block) {
    if (block + 64 <= text.size()) {
        return separatorsAmong64(text.data() + block);
    }
    if (block >= text.size()) {
        return ~std::uint64_t{0};
    }
    const std::size_t inBlock = text.size() - block;
    return separatorsAmong(text.data() + block, inBlock) | (~std::uint64_t{0} << inBlock);
}

}  // namespace kestrelwick
