#pragma once

// Whole numbers as the report, the notes and the command line write them:
// decimal digits, a minus sign before a negative number, no separators,
// spaces or leading zeros. Counts, line and column numbers, percents and
// numbers of articles all go through here.

#include <concepts>
#include <cstdint>
#include <string>

namespace kestrelwick {

// The digits of magnitude, after a minus sign where negative.
std::u16string decimalDigits(std::uint64_t magnitude, bool negative = false);

template <std::integral Number>
std::u16string decimalText(Number number) {
    if constexpr (std::is_signed_v<Number>) {
        // From the magnitude as unsigned, so that the smallest value works too.
        const auto wide = static_cast<std::int64_t>(number);
        return wide < 0 ? decimalDigits(std::uint64_t{0} - static_cast<std::uint64_t>(wide), true)
                        : decimalDigits(static_cast<std::uint64_t>(wide));
    } else {
        return decimalDigits(static_cast<std::uint64_t>(number));
    }
}

}  // namespace kestrelwick
