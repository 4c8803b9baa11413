#pragma once

// The hashes that the wording comparison (processing/wording.h) gives words
// and four-word runs. A word's hash comes from all its code units and its
// length, eight units at a time; a run's hash folds the hashes of its words,
// each turned by its place, so that the same words in another order hash
// apart. Different words can share a hash, which is why the comparison
// confirms every equal hash by the words themselves.
//
// Defined here, so that the comparison's loop over the words inlines them.

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace kestrelwick {

inline constexpr std::uint64_t kGolden = 0x9e3779b97f4a7c15u;

namespace word_hash_detail {

// Masks that keep the first n code units (0 to 8) of eight read as two
// groups of four, so that what follows a word never changes its hash. A table
// rather than a test: word lengths vary too much to predict.
struct UnitMask {
    std::uint64_t first;
    std::uint64_t second;
};
constexpr std::uint64_t keptUnits(std::size_t count) {
    // Code unit i of a group is its i-th 16-bit number in memory order.
    std::uint64_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        kept |= std::endian::native == std::endian::little ? std::uint64_t{0xffff} << (16 * i)
                                                           : std::uint64_t{0xffff} << (48 - 16 * i);
    }
    return kept;
}
inline constexpr auto kUnitMasks = [] {
    std::array<UnitMask, 9> masks{};
    for (std::size_t n = 0; n <= 8; ++n) {
        masks[n] = {keptUnits(std::min<std::size_t>(n, 4)),
                    keptUnits(n - std::min<std::size_t>(n, 4))};
    }
    return masks;
}();

inline std::uint64_t fourUnits(const char16_t* units) {
    std::uint64_t group = 0;
    std::memcpy(&group, units, sizeof group);
    return group;
}

// Two groups of four code units folded into a hash.
inline std::uint64_t mixUnits(std::uint64_t hash, std::uint64_t first, std::uint64_t second) {
    return (std::rotl(hash, 23) ^ first ^ std::rotl(second, 29)) * kGolden;
}

}  // namespace word_hash_detail

// A word's hash, from all its code units and its length; available is how
// many units can be read from the word's start.
inline std::uint64_t wordHash(const char16_t* units, std::size_t available, std::size_t length) {
    using word_hash_detail::fourUnits;
    using word_hash_detail::kUnitMasks;
    using word_hash_detail::mixUnits;
    if (length > 8) {
        // Eight units at a time, the last eight overlapping what came before.
        std::uint64_t hash = length;
        const char16_t* last = units + length - 8;
        for (; units < last; units += 8) {
            hash = mixUnits(hash, fourUnits(units), fourUnits(units + 4));
        }
        return mixUnits(hash, fourUnits(last), fourUnits(last + 4));
    }
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    if (available >= 8) {
        first = fourUnits(units);
        second = fourUnits(units + 4);
    } else {
        // Near the end of the text: only what is there.
        std::array<char16_t, 8> tail{};
        std::copy(units, units + available, tail.begin());
        first = fourUnits(tail.data());
        second = fourUnits(tail.data() + 4);
    }
    const word_hash_detail::UnitMask& kept = kUnitMasks[length];
    return mixUnits(length, first & kept.first, second & kept.second);
}

// A run's hash from the hashes of its words, each turned by its place in the
// run, so that every run is hashed on its own and the same words in another
// order hash differently.
inline std::uint64_t runHash(const std::uint64_t* words, std::size_t length) {
    std::uint64_t hash = 0;
    for (std::size_t k = 0; k < length; ++k) {
        hash ^= std::rotl(words[k], int(16 * k));
    }
    return hash;
}

}  // namespace kestrelwick
