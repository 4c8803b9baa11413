#include "processing/long_paragraphs.h"

namespace kestrelwick {

namespace {

constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

bool endsLine(char16_t unit) {
    return unit == kCr || unit == kLf || unit == u'\u2029' || unit == u'\ufdd0' ||
           unit == u'\ufdd1';
}

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xd800 && unit < 0xdc00;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xdc00 && unit < 0xe000;
}

}  // namespace

std::optional<LongParagraph> findLongParagraph(std::initializer_list<std::u16string_view> pieces,
                                               std::size_t longest) {
    LongParagraph line{1, 0};
    // What the unit before was, across the pieces: a CR that an LF joins,
    // or the first half of a surrogate pair.
    bool afterCr = false;
    bool afterHigh = false;
    for (const std::u16string_view piece : pieces) {
        for (const char16_t unit : piece) {
            // Most units are none of the ones that need a look.
            if (unit > kCr && unit < u'\u2029') {
                ++line.characters;
                afterCr = afterHigh = false;
                continue;
            }
            if (unit == kLf && afterCr) {
                afterCr = false;  // the LF of a CR LF: the line ended at its CR
                continue;
            }
            if (endsLine(unit)) {
                if (line.characters > longest) {
                    return line;
                }
                line = {line.number + 1, 0};
                afterCr = unit == kCr;
                afterHigh = false;
                continue;
            }
            if (!(afterHigh && isLowSurrogate(unit))) {
                ++line.characters;
            }
            afterHigh = isHighSurrogate(unit);
            afterCr = false;
        }
    }
    if (line.characters > longest) {
        return line;
    }
    return std::nullopt;
}

}  // namespace kestrelwick
