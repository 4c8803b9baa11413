#pragma once

// Words for the tests of wording: numbered words, and sixteen words for
// versions that differ in one of them.

#include <cstdint>
#include <string>
#include <string_view>

#include "processing/check_articles.h"

namespace kestrelwick::testing {

// A numbered word, such as "w12 ". Appended piece by piece: GCC 12 at -O3
// takes a literal put in front of a temporary string for an overlapping copy.
inline std::u16string numbered(std::u16string_view prefix, std::int64_t number,
                               std::u16string_view after = u" ") {
    std::u16string word(prefix);
    word += decimalText(number);
    word += after;
    return word;
}

// Sixteen words, for versions that differ in one word.
inline constexpr std::u16string_view kSixteen =
    u"one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen "
    u"sixteen";

}  // namespace kestrelwick::testing
