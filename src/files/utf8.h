#pragma once

// UTF-8 as the standard has it, for the file reader and for file names: no
// overlong forms, no surrogates, nothing past U+10FFFF, no sequence cut short.

#include <cstddef>

namespace kestrelwick {

// The length of the valid UTF-8 sequence that starts at p (1 to 4), or 0
// when none does.
inline std::ptrdiff_t utf8SequenceAt(const unsigned char* p, const unsigned char* end) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
        return 1;
    }
    std::ptrdiff_t more = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        more = 1;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        more = 2;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        more = 3;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (end - p <= more) {
        return 0;
    }
    for (std::ptrdiff_t i = 1; i <= more; ++i) {
        if (p[i] < (i == 1 ? low : 0x80) || p[i] > (i == 1 ? high : 0xbf)) {
            return 0;
        }
    }
    return more + 1;
}

}  // namespace kestrelwick
