#include "processing/wording.h"

#include <algorithm>
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

// A word's hash, from its length and its first eight code units; words that
// agree in those are told apart when the hashes are confirmed.
std::uint64_t wordHash(const char16_t* units, std::size_t available, std::size_t length) {
    std::uint64_t first = 0;
    std::uint64_t second = 0;
    if (available >= 8) {
        std::memcpy(&first, units, sizeof first);
        std::memcpy(&second, units + 4, sizeof second);
    } else {
        // Near the end of the text: only what is there.
        std::array<char16_t, 8> tail{};
        std::copy(units, units + available, tail.begin());
        std::memcpy(&first, tail.data(), sizeof first);
        std::memcpy(&second, tail.data() + 4, sizeof second);
    }
    const std::size_t inFirst = std::min<std::size_t>(length, 4);
    const std::size_t inSecond = std::min<std::size_t>(length, 8) - inFirst;
    return (firstUnits(first, inFirst) ^ std::rotl(firstUnits(second, inSecond), 29) ^ length) *
           kGolden;
}

// Makes room for at least count elements without caring what they hold.
template <typename T>
T* room(std::vector<T>& buffer, std::size_t count) {
    if (buffer.size() < count) {
        buffer.resize(std::max(count, 2 * buffer.size()));
    }
    return buffer.data();
}

}  // namespace

void WordingComparer::readWords(std::size_t version, std::u16string_view text) {
    texts_[version] = text;
    Words& words = words_[version];
    const char16_t* units = text.data();
    const std::size_t size = text.size();
    // A version of n code units has at most n / 2 + 1 words.
    std::size_t* starts = room(words.starts, size / 2 + 2);
    std::size_t* ends = room(words.lengths, size / 2 + 2);
    std::size_t started = 0;
    std::size_t ended = 0;

    // Where the words start and end, found 64 code units at a time without a
    // branch per unit: a word starts at a unit other than a space that
    // follows a space or the start of the text, and ends at the first space
    // after it or at the end of the text.
    std::uint64_t spaceBefore = 1;
    for (std::size_t block = 0; block < size; block += 64) {
        const std::size_t count = std::min<std::size_t>(64, size - block);
        std::uint64_t spaces =
            count == 64 ? spacesAmong64(units + block) : spacesAmong(units + block, count);
        if (count < 64) {
            spaces |= ~std::uint64_t{0} << count;
        }
        const std::uint64_t before = (spaces << 1) | spaceBefore;
        spaceBefore = spaces >> 63;
        for (std::uint64_t bits = ~spaces & before; bits != 0; bits &= bits - 1) {
            starts[started++] = block + std::size_t(std::countr_zero(bits));
        }
        for (std::uint64_t bits = spaces & ~before; bits != 0; bits &= bits - 1) {
            ends[ended++] = block + std::size_t(std::countr_zero(bits));
        }
    }
    if (ended < started) {
        ends[ended++] = size;  // a last word that fills its block
    }

    words.count = started;
    std::uint64_t* hashes = room(words.hashes, started);
    for (std::size_t w = 0; w < started; ++w) {
        ends[w] -= starts[w];  // from here on, the word's length
        hashes[w] = wordHash(units + starts[w], size - starts[w], ends[w]);
    }
}

bool WordingComparer::sameWord(std::size_t a, std::size_t wordA, std::size_t b,
                               std::size_t wordB) const {
    const Words& first = words_[a];
    const Words& second = words_[b];
    const std::size_t length = first.lengths[wordA];
    return first.hashes[wordA] == second.hashes[wordB] && length == second.lengths[wordB] &&
           std::equal(texts_[a].begin() + std::ptrdiff_t(first.starts[wordA]),
                      texts_[a].begin() + std::ptrdiff_t(first.starts[wordA] + length),
                      texts_[b].begin() + std::ptrdiff_t(second.starts[wordB]));
}

bool WordingComparer::sameWords(std::size_t a, std::size_t b) const {
    const std::size_t count = words_[a].count;
    if (count != words_[b].count) {
        return false;
    }
    for (std::size_t w = 0; w < count; ++w) {
        if (!sameWord(a, w, b, w)) {
            return false;
        }
    }
    return true;
}

std::size_t WordingComparer::runLength(std::size_t version) const {
    return std::min(words_[version].count, kRunWords);
}

bool WordingComparer::sameRun(std::size_t a, std::size_t runA, std::size_t b,
                              std::size_t runB) const {
    const std::size_t length = runLength(a);
    if (length != runLength(b)) {
        return false;
    }
    for (std::size_t k = 0; k < length; ++k) {
        if (!sameWord(a, runA + k, b, runB + k)) {
            return false;
        }
    }
    return true;
}

void WordingComparer::prepareTable(std::size_t runs) {
    // At most a quarter full, so that most runs find their slot at once. The
    // generation tells this paragraph's entries from older ones, so the
    // table is cleared only when it grows or the generation wraps.
    const std::size_t capacity = std::bit_ceil(std::max<std::size_t>(4 * runs, 64));
    if (++generation_ == 0 || table_.size() < capacity) {
        table_.assign(std::max(capacity, table_.size()), Entry{0, 0, 0, 0, 0});
        generation_ = 1;
    }
    slotShift_ = 64 - unsigned(std::countr_zero(table_.size()));
    used_.clear();
    distinct_ = {};
}

void WordingComparer::addRuns(std::size_t version) {
    const Words& words = words_[version];
    const std::size_t length = runLength(version);
    const std::size_t runs = words.count < kRunWords ? 1 : words.count - kRunWords + 1;
    const std::size_t mask = table_.size() - 1;
    const auto bit = std::uint8_t(1u << version);

    // The hash of a run is a polynomial in its word hashes, rolled along the
    // version one word at a time.
    std::uint64_t rolling = 0;
    std::uint64_t outgoing = 1;  // kGolden to the power of the run's length
    for (std::size_t k = 0; k < length; ++k) {
        rolling = rolling * kGolden + words.hashes[k];
        outgoing *= kGolden;
    }
    for (std::size_t run = 0; run < runs; ++run) {
        if (run > 0) {
            rolling = rolling * kGolden + words.hashes[run + length - 1] -
                      outgoing * words.hashes[run - 1];
        }
        const std::uint64_t hash = rolling + length;
        for (std::size_t slot = std::size_t((hash * kGolden) >> slotShift_);;
             slot = (slot + 1) & mask) {
            Entry& entry = table_[slot];
            if (entry.generation != generation_) {
                entry = Entry{hash, run, generation_, std::uint8_t(version), bit};
                used_.push_back(slot);
                ++distinct_[version];
                break;
            }
            if (entry.hash == hash && sameRun(entry.version, entry.run, version, run)) {
                // A run that occurs twice in a version counts once.
                if ((entry.versions & bit) == 0) {
                    entry.versions = std::uint8_t(entry.versions | bit);
                    ++distinct_[version];
                }
                break;
            }
        }
    }
}

std::array<Likeness, WordingComparer::kPairs.size()> WordingComparer::compare(
    const Versions& versions) {
    std::array<Likeness, kPairs.size()> likeness{};
    bool anyToCount = false;
    for (std::size_t v = 0; v < kVersions; ++v) {
        if (versions[v]) {
            readWords(v, *versions[v]);
        }
    }
    for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
        const auto [a, b] = kPairs[pair];
        if (!versions[a] || !versions[b]) {
            likeness[pair] = Likeness::Different;
        } else if (sameWords(a, b)) {
            likeness[pair] = Likeness::Same;
        } else {
            likeness[pair] = Likeness::Different;
            anyToCount = true;
        }
    }
    if (!anyToCount) {
        return likeness;
    }

    std::size_t runs = 0;
    for (std::size_t v = 0; v < kVersions; ++v) {
        runs += versions[v] ? std::max<std::size_t>(words_[v].count, 1) : 0;
    }
    prepareTable(runs);
    for (std::size_t v = 0; v < kVersions; ++v) {
        if (versions[v]) {
            addRuns(v);
        }
    }
    std::array<std::size_t, kPairs.size()> shared{};
    for (const std::size_t slot : used_) {
        const unsigned has = table_[slot].versions;
        for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
            const unsigned both = (1u << kPairs[pair][0]) | (1u << kPairs[pair][1]);
            shared[pair] += (has & both) == both ? 1 : 0;
        }
    }
    for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
        const auto [a, b] = kPairs[pair];
        if (versions[a] && versions[b] && likeness[pair] != Likeness::Same) {
            // 4 x shared >= 3 x (mine + other's - shared).
            const std::size_t either = distinct_[a] + distinct_[b] - shared[pair];
            if (4 * shared[pair] >= 3 * either) {
                likeness[pair] = Likeness::NearlySame;
            }
        }
    }
    return likeness;
}

Likeness compareWording(std::u16string_view a, std::u16string_view b) {
    WordingComparer comparer;
    return comparer.compare({a, b, std::nullopt})[0];
}

}  // namespace kestrelwick
