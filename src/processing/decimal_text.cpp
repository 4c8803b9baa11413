#include "processing/decimal_text.h"

#include <algorithm>

namespace kestrelwick {

std::u16string decimalDigits(std::uint64_t magnitude, bool negative) {
    std::u16string digits;
    do {
        digits += static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) {
        digits += u'-';
    }
    std::reverse(digits.begin(), digits.end());
    return digits;
}

}  // namespace kestrelwick
