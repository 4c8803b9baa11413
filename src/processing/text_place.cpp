#include "processing/text_place.h"

#include "processing/decimal_text.h"

namespace kestrelwick {

TextPlace placeOf(std::u16string_view text, std::size_t offset) {
    TextPlace place{1, 1};
    for (std::size_t i = 0; i < offset; ++i) {
        const char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < offset && text[i + 1] == u'\n') {
                ++i;  // CR LF is one break
            }
            ++place.line;
            place.column = 1;
        } else if (!(unit >= 0xdc00 && unit <= 0xdfff && i > 0 && text[i - 1] >= 0xd800 &&
                     text[i - 1] <= 0xdbff)) {
            ++place.column;  // the second half of a surrogate pair is no character of its own
        }
    }
    return place;
}

std::u16string placeText(TextPlace place) {
    return u"line " + decimalText(place.line) + u", column " + decimalText(place.column);
}

}  // namespace kestrelwick
