#pragma once

// A place in a text as the user finds it: line and column, both from 1. A
// line ends at CR LF, LF or a lone CR; a column counts characters as the
// user sees them (code points: a surrogate pair is one). Places name where a
// spin text cannot be spun, where an alternative would be split, and where a
// group holds another format's separator.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrelwick {

struct TextPlace {
    std::size_t line;
    std::size_t column;

    bool operator==(const TextPlace&) const = default;
};

// The place of the code unit at offset.
TextPlace placeOf(std::u16string_view text, std::size_t offset);

// "line 3, column 5"
std::u16string placeText(TextPlace place);

}  // namespace kestrelwick
