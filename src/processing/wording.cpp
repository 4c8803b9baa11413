#include "processing/wording.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrelwick {

namespace {

constexpr char16_t kSpace = u' ';
constexpr std::size_t kRunWords = 4;
constexpr std::uint64_t kGolden = 0x9e3779b97f4a7c15u;

// Bit i is set where units[i] is a space, for i below count.
std::uint64_t spacesAmong(const char16_t* units, std::size_t count) {
    std::uint64_t spaces = 0;
    for (std::size_t i = 0; i < count; ++i) {
        spaces |= std::uint64_t{units[i] == kSpace} << i;
    }
    return spaces;
}

// The same for 64 code units, eight at a time where the processor can.
std::uint64_t spacesAmong64(const char16_t* units) {
#if defined(__SSE2__)
    const __m128i space = _mm_set1_epi16(static_cast<short>(kSpace));
    std::uint64_t spaces = 0;
    for (int i = 0; i < 64; i += 16) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(units + i + 8));
        const __m128i bytes =
            _mm_packs_epi16(_mm_cmpeq_epi16(low, space), _mm_cmpeq_epi16(high, space));
        spaces |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(bytes))) << i;
    }
    return spaces;
#else
    return spacesAmong(units, 64);
#endif
}

// The first count code units (0 to 4) of a group of four copied from the
// text, with the others zeroed, so that what follows a word never changes its
// hash. A table rather than a test: word lengths vary too much to predict.
std::uint64_t firstUnits(std::uint64_t group, std::size_t count) {
    constexpr bool little = std::endian::native == std::endian::little;
    static constexpr std::array<std::uint64_t, 5> kKept = {
        0,
        little ? 0x000000000000ffffu : 0xffff000000000000u,
        little ? 0x00000000ffffffffu : 0xffffffff00000000u,
        little ? 0x0000ffffffffffffu : 0xffffffffffff0000u,
        ~std::uint64_t{0},
    };
    return group & kKept[count];
}

bool sameWord(std::u16string_view a, std::size_t aStart, std::u16string_view b,
              std::size_t bStart) {
    std::size_t i = aStart;
    std::size_t j = bStart;
    for (;;) {
        const bool aEnds = i == a.size() || a[i] == kSpace;
        const bool bEnds = j == b.size() || b[j] == kSpace;
        if (aEnds || bEnds) {
            return aEnds && bEnds;
        }
        if (a[i] != b[j]) {
            return false;
        }
        ++i;
        ++j;
    }
}

}  // namespace

void VersionRuns::read(std::u16string_view version) {
    text_ = version;
    wordStarts_.clear();
    wordEnds_.clear();
    const char16_t* units = version.data();
    const std::size_t size = version.size();

    // Where the words start and end, found 64 code units at a time without a
    // branch per unit: a word starts at a unit other than a space that follows
    // a space or the start of the text, and ends at the first space after it.
    std::uint64_t spaceBefore = 1;
    for (std::size_t block = 0; block < size; block += 64) {
        const std::size_t count = std::min<std::size_t>(64, size - block);
        std::uint64_t spaces =
            count == 64 ? spacesAmong64(units + block) : spacesAmong(units + block, count);
        if (count < 64) {
            // The end of the text ends the last word as a space would.
            spaces |= ~std::uint64_t{0} << count;
        }
        const std::uint64_t before = (spaces << 1) | spaceBefore;
        std::uint64_t starts = ~spaces & before;
        std::uint64_t ends = spaces & ~before;
        spaceBefore = spaces >> 63;
        for (; starts != 0; starts &= starts - 1) {
            wordStarts_.push_back(block + std::size_t(std::countr_zero(starts)));
        }
        for (; ends != 0; ends &= ends - 1) {
            wordEnds_.push_back(block + std::size_t(std::countr_zero(ends)));
        }
    }
    if (wordEnds_.size() < wordStarts_.size()) {
        wordEnds_.push_back(size);  // a text that fills its last block
    }

    // Each word is hashed from its length and its first eight code units;
    // words that agree in those are told apart when the hashes are confirmed.
    const std::size_t words = wordStarts_.size();
    wordHashes_.resize(words);
    for (std::size_t w = 0; w < words; ++w) {
        const std::size_t start = wordStarts_[w];
        const std::size_t length = wordEnds_[w] - start;
        std::uint64_t first = 0;
        std::uint64_t second = 0;
        if (size - start >= 8) {
            std::memcpy(&first, units + start, sizeof first);
            std::memcpy(&second, units + start + 4, sizeof second);
        } else {
            // Near the end of the text: only what is there.
            std::array<char16_t, 8> tail{};
            std::copy(units + start, units + size, tail.begin());
            std::memcpy(&first, tail.data(), sizeof first);
            std::memcpy(&second, tail.data() + 4, sizeof second);
        }
        const std::size_t inFirst = std::min<std::size_t>(length, 4);
        const std::size_t inSecond = std::min<std::size_t>(length, 8) - inFirst;
        wordHashes_[w] =
            (firstUnits(first, inFirst) ^ std::rotl(firstUnits(second, inSecond), 29) ^ length) *
            kGolden;
    }

    // The hash of a run is a polynomial in its word hashes, rolled along the
    // version one word at a time.
    const std::size_t length = runLength();
    const std::size_t runs = words < kRunWords ? 1 : words - kRunWords + 1;
    runHashes_.resize(runs);
    std::uint64_t rolling = 0;
    std::uint64_t outgoing = 1;  // kGolden to the power of the run's length
    for (std::size_t k = 0; k < length; ++k) {
        rolling = rolling * kGolden + wordHashes_[k];
        outgoing *= kGolden;
    }
    for (std::size_t run = 0;; ++run) {
        runHashes_[run] = rolling + length;
        if (run + 1 == runs) {
            break;
        }
        rolling = rolling * kGolden + wordHashes_[run + length] - outgoing * wordHashes_[run];
    }

    // A run that occurs twice counts once: only the first is kept.
    const std::size_t capacity = std::bit_ceil(std::max<std::size_t>(3 * runs, 8));
    slotShift_ = 64 - unsigned(std::countr_zero(capacity));
    slots_.resize(capacity);
    std::fill_n(slots_.data(), capacity, Slot{0});
    distinct_.clear();
    const std::size_t mask = capacity - 1;
    for (std::size_t run = 0; run < runs; ++run) {
        const std::uint64_t hash = runHashes_[run];
        for (std::size_t slot = firstSlot(hash);; slot = (slot + 1) & mask) {
            const std::size_t kept = slots_[slot];
            if (kept == 0) {
                slots_[slot] = Slot(run + 1);
                distinct_.push_back(run);
                break;
            }
            if (runHashes_[kept - 1] == hash && runsEqual(kept - 1, *this, run)) {
                break;
            }
        }
    }
}

std::size_t VersionRuns::firstSlot(std::uint64_t hash) const {
    // The top bits of a multiple by the golden ratio spread any run of hashes.
    return std::size_t((hash * kGolden) >> slotShift_);
}

std::size_t VersionRuns::runLength() const {
    return std::min(wordStarts_.size(), kRunWords);
}

bool VersionRuns::runsEqual(std::size_t run, const VersionRuns& other, std::size_t otherRun) const {
    const std::size_t length = runLength();
    if (length != other.runLength()) {
        return false;
    }
    for (std::size_t k = 0; k < length; ++k) {
        if (wordHashes_[run + k] != other.wordHashes_[otherRun + k] ||
            !sameWord(text_, wordStarts_[run + k], other.text_, other.wordStarts_[otherRun + k])) {
            return false;
        }
    }
    return true;
}

bool VersionRuns::sameWords(const VersionRuns& other) const {
    const std::size_t words = wordStarts_.size();
    if (words != other.wordStarts_.size()) {
        return false;
    }
    for (std::size_t w = 0; w < words; ++w) {
        if (wordHashes_[w] != other.wordHashes_[w] ||
            !sameWord(text_, wordStarts_[w], other.text_, other.wordStarts_[w])) {
            return false;
        }
    }
    return true;
}

bool VersionRuns::has(const VersionRuns& other, std::size_t otherRun) const {
    const std::uint64_t hash = other.runHashes_[otherRun];
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = firstSlot(hash); slots_[slot] != 0; slot = (slot + 1) & mask) {
        const std::size_t run = slots_[slot] - 1;
        if (runHashes_[run] == hash && runsEqual(run, other, otherRun)) {
            return true;
        }
    }
    return false;
}

bool VersionRuns::sharesMost(const VersionRuns& other) const {
    // Nearly the same needs 4 x shared >= 3 x (mine + other's - shared), that
    // is 7 x shared >= 3 x (mine + other's). Most versions share little, so
    // the count stops as soon as too many of the other's runs are missing.
    const std::size_t needed = (3 * (distinct_.size() + other.distinct_.size()) + 6) / 7;
    if (needed > other.distinct_.size()) {
        return false;
    }
    const std::size_t missesAllowed = other.distinct_.size() - needed;
    std::size_t misses = 0;
    for (const std::size_t run : other.distinct_) {
        if (!has(other, run) && ++misses > missesAllowed) {
            return false;
        }
    }
    return true;
}

Likeness compareWording(const VersionRuns& a, const VersionRuns& b) {
    if (a.sameWords(b)) {
        return Likeness::Same;
    }
    return a.sharesMost(b) ? Likeness::NearlySame : Likeness::Different;
}

Likeness compareWording(std::u16string_view a, std::u16string_view b) {
    VersionRuns first;
    VersionRuns second;
    first.read(a);
    second.read(b);
    return compareWording(first, second);
}

}  // namespace kestrelwick
