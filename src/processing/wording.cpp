#include "processing/wording.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "processing/word_hash.h"
#include "processing/word_window.h"
#include "processing/words.h"

namespace kestrelwick {

namespace {

constexpr std::size_t kRunWords = 4;

// Whether the word at a in one text and the word at b in another are the same.
bool sameWordAt(std::u16string_view one, std::size_t a, std::u16string_view other, std::size_t b) {
    for (; a < one.size() && one[a] != kWordSeparator; ++a, ++b) {
        if (b == other.size() || other[b] != one[a]) {
            return false;
        }
    }
    return b == other.size() || other[b] == kWordSeparator;
}

// The pair of two versions, in either order, as an index into kPairs.
constexpr std::size_t pairOf(std::size_t a, std::size_t b) {
    return a + b - 1;
}
static_assert(pairOf(0, 1) == 0 && pairOf(0, 2) == 1 && pairOf(1, 2) == 2);

// The parts of a table entry's place.
constexpr unsigned kGenerationShift = 48;
constexpr unsigned kStartShift = 8;
constexpr std::uint64_t kStartMask = (std::uint64_t{1} << 40) - 1;
constexpr unsigned kVersionsShift = 2;
constexpr std::uint64_t kVersionMask = 3;
// Which pass counts a run: a multiplier other than the slot's, so that the
// runs of a pass spread over all the slots.
constexpr std::uint64_t kPassMix = 0xc2b2ae3d27d4eb4fu;

}  // namespace

WordingComparer::WordingComparer(std::size_t budget) : budget_(std::max(budget, kSmallestBudget)) {}

std::size_t WordingComparer::memoryHeld() const {
    return sizeof *this + table_.capacity() * sizeof(Entry);
}

std::size_t WordingComparer::runLength(std::size_t version) const {
    return std::min(words_[version].total(), kRunWords);
}

std::size_t WordingComparer::runsOf(std::size_t version) const {
    const std::size_t total = words_[version].total();
    return total < kRunWords ? 1 : total - kRunWords + 1;
}

bool WordingComparer::sameRun(std::size_t a, std::size_t startA, std::size_t b,
                              std::size_t startB) const {
    const std::size_t length = runLength(a);
    if (length != runLength(b)) {
        return false;
    }
    for (std::size_t k = 0; k < length; ++k) {
        const std::u16string_view textA = words_[a].text();
        const std::u16string_view textB = words_[b].text();
        if (!sameWordAt(textA, startA, textB, startB)) {
            return false;
        }
        startA = nextWord(textA, startA);
        startB = nextWord(textB, startB);
    }
    return true;
}

void WordingComparer::planPasses(std::size_t runs) {
    // In one pass the table is at most a quarter full, so that most runs find
    // their slot at once. A paragraph too long for that within the budget
    // takes as many passes as fill a table of the budget at most half.
    const auto slotsFor = [](std::size_t inPass, std::size_t perRun) {
        return std::bit_ceil(std::max<std::size_t>(perRun * inPass, 64));
    };
    const std::size_t budgetSlots = budget_ / sizeof(Entry);
    std::size_t passes = 1;
    std::size_t slots = slotsFor(runs, 4);
    while (slots > budgetSlots) {
        passes *= 2;
        slots = slotsFor((runs + passes - 1) / passes, 2);
    }
    passes_ = passes;
    passShift_ = 64 - unsigned(std::countr_zero(passes));
    slots_ = slots;
    slotShift_ = 64 - unsigned(std::countr_zero(slots));
}

void WordingComparer::clearTable() {
    // Generation 0 is never used, so a slot of zeros is always free.
    constexpr std::uint64_t kGenerations = std::uint64_t{1} << (64 - kGenerationShift);
    generation_ = (generation_ + 1) % kGenerations;
    if (table_.size() < slots_ || generation_ == 0) {
        table_.clear();  // nothing to keep: no copy while growing
        table_.resize(std::max(slots_, table_.capacity()), Entry{0, 0});
        generation_ = 1;
    }
    used_ = 0;
}

void WordingComparer::growTable() {
    // Hashes that crowd into one pass: twice the slots, every entry moved.
    std::vector<Entry, WorkingAllocator<Entry>> grown(2 * slots_, Entry{0, 0});
    const unsigned shift = slotShift_ - 1;
    const std::size_t mask = grown.size() - 1;
    const std::uint64_t generation = generation_;
    for (std::size_t s = 0; s < slots_; ++s) {
        const Entry& entry = table_[s];
        if (entry.place >> kGenerationShift == generation) {
            std::size_t slot = std::size_t((entry.hash * kGolden) >> shift);
            while (grown[slot].place >> kGenerationShift == generation) {
                slot = (slot + 1) & mask;
            }
            grown[slot] = entry;
        }
    }
    table_.swap(grown);
    slots_ *= 2;
    slotShift_ = shift;
}

bool WordingComparer::addRuns(std::size_t version, unsigned earlier, bool mayStop,
                              std::size_t pass) {
    WordWindow& words = words_[version];
    const std::size_t length = runLength(version);
    const std::size_t runs = runsOf(version);
    const auto bit = std::uint64_t{1} << version;
    std::size_t distinct = 0;
    std::array<std::size_t, kPairs.size()> shared{};

    // Whether none of the earlier versions can be nearly the same as this
    // one, whatever its remaining runs are. Each run still to come can add at
    // most one shared run, and shared runs are all the earlier version has,
    // so 7 x shared >= 3 x (its runs + these runs) cannot come true.
    const auto settled = [&](std::size_t remaining) {
        for (unsigned rest = earlier; rest != 0; rest &= rest - 1) {
            const auto other = std::size_t(std::countr_zero(rest));
            const std::size_t sharedSoFar = shared[pairOf(other, version)];
            const std::size_t theirs = distinct_[other];
            const std::size_t more = std::min(remaining, theirs - sharedSoFar);
            if (4 * more + 7 * sharedSoFar >= 3 * (theirs + distinct)) {
                return false;
            }
        }
        return true;
    };
    constexpr std::size_t kSettleEvery = 16;
    // Words read at a time beyond the run in hand: a window's worth, but for
    // a version that may stop early, which reads no further than it counts.
    const std::size_t readAhead = mayStop ? kSettleEvery : WordWindow::kSize;

    std::uint64_t hash = 0;
    for (std::size_t run = 0; run < runs; ++run) {
        if (mayStop && run % kSettleEvery == kSettleEvery - 1 && settled(runs - run)) {
            return false;
        }
        if (words.first() + words.count() < run + length) {
            // The window keeps the word before the run, which the rolling
            // hash takes out.
            words.slideTo(run == 0 ? 0 : run - 1);
            words.readUntil(run + length + readAhead);
            if (words.first() + words.count() < run + length) {
                break;  // fewer words than counted; cannot happen with true counts
            }
        }
        const std::size_t at = run - words.first();
        const std::uint64_t* hashes = words.hashes();
        // runHash, rolled on by one word after the first run.
        hash = run == 0 ? runHash(hashes + at, length)
                        : std::rotr(hash ^ hashes[at - 1], 16) ^ std::rotl(hashes[at + 3], 48);
        if (passes_ > 1 && std::size_t((hash * kPassMix) >> passShift_) != pass) {
            continue;  // another pass counts this run
        }
        const std::size_t start = words.startOf(at);
        Entry* const table = table_.data();
        const std::size_t mask = slots_ - 1;
        const std::uint64_t generation = generation_;
        for (std::size_t slot = std::size_t((hash * kGolden) >> slotShift_);;
             slot = (slot + 1) & mask) {
            Entry& entry = table[slot];
            if (entry.place >> kGenerationShift != generation) {
                entry = Entry{hash, generation << kGenerationShift |
                                        std::uint64_t{start} << kStartShift |
                                        bit << kVersionsShift | std::uint64_t{version}};
                ++distinct;
                if (++used_ * 4 > slots_ * 3) {
                    growTable();
                }
                break;
            }
            if (entry.hash == hash &&
                sameRun(std::size_t(entry.place & kVersionMask),
                        std::size_t((entry.place >> kStartShift) & kStartMask), version, start)) {
                // A run that occurs twice in a version counts once.
                const auto versions = unsigned(entry.place >> kVersionsShift) & 7u;
                if ((versions & bit) == 0) {
                    for (unsigned has = versions; has != 0; has &= has - 1) {
                        ++shared[pairOf(std::size_t(std::countr_zero(has)), version)];
                    }
                    entry.place |= bit << kVersionsShift;
                    ++distinct;
                }
                break;
            }
        }
    }
    distinct_[version] += distinct;
    for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
        shared_[pair] += shared[pair];
    }
    return true;
}

std::array<Likeness, WordingComparer::kPairs.size()> WordingComparer::compare(
    const Versions& versions, RunCounts* counts) {
    std::array<std::u16string_view, kVersions> texts;
    for (std::size_t v = 0; v < kVersions; ++v) {
        if (versions[v]) {
            texts[v] = versions[v]->text;
            words_[v].start(texts[v], versions[v]->words);
        }
    }

    // A version worded the same as an earlier one has the same runs, so its
    // pairs are like that one's and its runs need not be counted: counted[v]
    // is the version whose runs stand for v's.
    std::array<Likeness, kPairs.size()> likeness{};
    std::array<std::size_t, kVersions> counted{0, 1, 2};
    for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
        const auto [a, b] = kPairs[pair];
        if (!versions[a] || !versions[b]) {
            likeness[pair] = Likeness::Different;
        } else if (counted[b] == b && versions[a]->words == versions[b]->words &&
                   sameWording(texts[counted[a]], texts[b])) {
            likeness[pair] = Likeness::Same;
            counted[b] = counted[a];
        } else {
            likeness[pair] = counted[a] == counted[b] ? Likeness::Same : Likeness::Different;
        }
    }

    std::size_t runs = 0;
    std::size_t toCount = 0;
    std::size_t lastCounted = 0;
    for (std::size_t v = 0; v < kVersions; ++v) {
        if (versions[v] && counted[v] == v) {
            runs += runsOf(v);
            ++toCount;
            lastCounted = v;
        }
    }
    passes_ = 0;
    if (toCount < (counts != nullptr ? 1 : 2)) {
        return likeness;  // every pair is settled
    }
    planPasses(runs);
    distinct_ = {};
    shared_ = {};
    // In one pass, the last version counted stops as soon as no pair with it
    // can be nearly the same; its pairs are then different.
    bool complete = true;
    for (std::size_t pass = 0; pass < passes_; ++pass) {
        clearTable();
        unsigned earlier = 0;
        for (std::size_t v = 0; v < kVersions; ++v) {
            if (versions[v] && counted[v] == v) {
                words_[v].start(texts[v], versions[v]->words);
                complete = addRuns(v, earlier,
                                   counts == nullptr && passes_ == 1 && v == lastCounted, pass);
                earlier |= 1u << v;
            }
        }
    }
    for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
        const std::size_t a = counted[kPairs[pair][0]];
        const std::size_t b = counted[kPairs[pair][1]];
        if (likeness[pair] == Likeness::Different && versions[a] && versions[b] &&
            (complete || (a != lastCounted && b != lastCounted))) {
            const std::size_t shared = shared_[pairOf(a, b)];
            // 4 x shared >= 3 x (mine + other's - shared).
            if (4 * shared >= 3 * (distinct_[a] + distinct_[b] - shared)) {
                likeness[pair] = Likeness::NearlySame;
            }
        }
    }
    if (counts != nullptr) {
        // A copy's runs are those of the version it copies.
        for (std::size_t v = 0; v < kVersions; ++v) {
            counts->runs[v] = versions[v] ? distinct_[counted[v]] : 0;
        }
        for (std::size_t pair = 0; pair < kPairs.size(); ++pair) {
            const std::size_t a = counted[kPairs[pair][0]];
            const std::size_t b = counted[kPairs[pair][1]];
            counts->shared[pair] = !versions[kPairs[pair][0]] || !versions[kPairs[pair][1]] ? 0
                                   : a == b ? distinct_[a]
                                            : shared_[pairOf(a, b)];
        }
    }
    return likeness;
}

Likeness compareWording(std::u16string_view a, std::u16string_view b, std::size_t budget) {
    WordingComparer comparer(budget);
    return comparer.compare({WordingComparer::Version{a, std::size_t(countWords(a))},
                             WordingComparer::Version{b, std::size_t(countWords(b))},
                             std::nullopt})[0];
}

bool sameWording(std::u16string_view a, std::u16string_view b) {
    std::size_t i = firstWord(a);
    std::size_t j = firstWord(b);
    // Most often the one is a copy of the other, spaces and all.
    if (a.substr(i) == b.substr(j)) {
        return true;
    }
    while (i < a.size() && j < b.size()) {
        if (!sameWordAt(a, i, b, j)) {
            return false;
        }
        i = nextWord(a, i);
        j = nextWord(b, j);
    }
    return i == a.size() && j == b.size();
}

std::uint64_t wordingHash(std::u16string_view word) {
    return wordHash(word.data(), word.size(), word.size());
}

}  // namespace kestrelwick
