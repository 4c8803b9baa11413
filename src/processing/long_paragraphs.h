#pragma once

// The longest paragraph the window's boxes take. A box lays a paragraph out
// whole whenever it changes, and goes over all its lines whenever it draws
// it, the cursor's blinking included: the time grows with the paragraph's
// length, and with its square where the paragraph has no place to wrap but
// anywhere (one endless word); a paragraph of some hundred million
// characters cannot be laid out at all. bench/bench_long_paragraph.cpp
// measures it: a key is answered within 50 ms up to a paragraph of about
// 260,000 characters of words but only about 40,000 of one endless word.
// At 20,000 a key takes 4 to 5 ms in words and 14 to 16 ms in one word, and
// a box at rest a quarter of a percent of a core, offscreen and in an X
// server alike: room for a slower machine in the worst case, and for a
// whole article pasted as one paragraph. The window refuses any text that
// would put a longer paragraph in a box before the box lays it out; the
// command line lays nothing out and takes any.
//
// A paragraph is a line of a box: the text between two line breaks as a box
// makes them of what it is given (CR LF, a lone CR or LF, U+2029, and the
// two code points that Qt's text keeps for frames, U+FDD0 and U+FDD1),
// numbered from 1 as the boxes' margins number them. Its length is in
// characters: a surrogate pair is one. Finding one takes a single pass.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace kestrelwick {

inline constexpr std::size_t kLongestParagraph = 20000;

struct LongParagraph {
    std::size_t number = 0;      // from 1
    std::size_t characters = 0;  // its whole length

    bool operator==(const LongParagraph&) const = default;
};

// The first paragraph longer than `longest` characters in a text given in
// pieces that follow one another, read as one text (the start of the line
// that an edit goes into, the text it puts there, and the rest of the line);
// none when every paragraph fits.
std::optional<LongParagraph> findLongParagraph(std::initializer_list<std::u16string_view> pieces,
                                               std::size_t longest = kLongestParagraph);

}  // namespace kestrelwick
