#include "processing/spin_yield.h"

#include <cmath>

#include "processing/decimal_text.h"

namespace kestrelwick {

namespace {

// The largest number written in full: twelve digits.
constexpr std::uint64_t kLargestInFull = 999'999'999'999;

std::u16string digits(std::uint64_t number, std::size_t width = 1) {
    std::u16string text = decimalText(number);
    if (text.size() < width) {
        text.insert(0, width - text.size(), u'0');
    }
    return text;
}

}  // namespace

std::optional<std::uint64_t> SpinYield::exactArticles() const {
    // Each factor is at most 3, so the product stays far below overflow
    // until it has passed the largest number written in full.
    std::uint64_t product = 1;
    for (std::uint64_t k = 0; k < twos + threes; ++k) {
        product *= k < twos ? 2 : 3;
        if (product > kLargestInFull) {
            return std::nullopt;
        }
    }
    return product;
}

std::u16string SpinYield::articlesText() const {
    if (const auto exact = exactArticles()) {
        return digits(*exact);
    }
    // Three significant digits of 2^twos × 3^threes, from its logarithm.
    const double logarithm = double(twos) * std::log10(2.0) + double(threes) * std::log10(3.0);
    auto exponent = std::uint64_t(std::floor(logarithm));
    auto hundredths =
        std::uint64_t(std::llround(std::pow(10.0, logarithm - double(exponent)) * 100));
    if (hundredths >= 1000) {  // 9.995 and up round to 10.00
        hundredths /= 10;
        ++exponent;
    }
    return u"about " + digits(hundredths / 100) + u"." + digits(hundredths % 100, 2) +
           u" \u00d7 10^" + digits(exponent);
}

std::u16string SpinYield::line() const {
    return u"The spin text gives " + articlesText() +
           u" different articles; two of them share on average " +
           digits(std::uint64_t(sharePercent)) + u" % of their runs of four words.";
}

std::optional<SpinYield> spinYield(const SpinText& spin, const RunShare& share) {
    if (spin.groups().empty()) {
        return std::nullopt;
    }
    SpinYield yield;
    for (const SpinGroup& group : spin.groups()) {
        std::size_t different = 0;
        for (std::size_t k = 0; k < group.count; ++k) {
            bool seen = false;
            for (std::size_t earlier = 0; earlier < k && !seen; ++earlier) {
                seen = group.version(earlier) == group.version(k);
            }
            different += seen ? 0 : 1;
        }
        yield.twos += different == 2 ? 1 : 0;
        yield.threes += different == 3 ? 1 : 0;
    }
    yield.sharePercent = share.percent();
    return yield;
}

}  // namespace kestrelwick
