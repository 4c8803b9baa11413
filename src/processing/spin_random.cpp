#include "processing/spin_random.h"

namespace kestrelwick {

std::uint64_t mixBits(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
}

std::uint64_t SpinRandom::next() {
    return mixBits(state_ += 0x9e3779b97f4a7c15u);
}

std::size_t SpinRandom::below(std::size_t count) {
    // Drawn again past the largest multiple of count, so that no number is
    // more likely than another.
    const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % count + 1) % count;
    std::uint64_t drawn = next();
    while (drawn > limit) {
        drawn = next();
    }
    return std::size_t(drawn % count);
}

}  // namespace kestrelwick
