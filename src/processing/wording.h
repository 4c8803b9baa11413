#pragma once

// How alike the versions of one paragraph are worded.
//
// The point of spinning is that every spun copy reads as a different article,
// so the report names the paragraphs where two articles give the same words in
// the same order, or nearly so. Words are what the word count counts: maximal
// runs of characters other than U+0020, compared code unit for code unit.
//
// Nearly the same is measured on four-word runs: the sequences of four
// consecutive words of a version, as a set (a version of fewer than four words
// has one run, all its words). Two versions that are not the same are nearly
// the same when at least three quarters of the runs that either has are
// shared: 4 x shared >= 3 x (runs of the one + runs of the other - shared).
//
// The runs of the versions of a paragraph go into one hash table, each entry
// marked with the versions that have it, so that each version is read once
// and the shared runs of every pair are counted together. Every equal hash is
// confirmed by the words themselves, so no collision can make two versions
// look alike. The last version stops as soon as its runs so far rule out that
// it is nearly the same as any other, which for rewritten paragraphs is early:
// most of it is then never read.
//
// Memory: the versions are read as they are counted, a few hundred words at a
// time, so the comparer holds nothing in proportion to a paragraph but its
// table: 16 bytes a slot, between 4 and 8 slots for each run of the
// paragraph (at most 128 bytes a run, about 20 bytes a code unit of ordinary
// prose). The caller gives a budget, and a paragraph whose table would not fit
// it is compared in several passes, each counting only the runs whose hashes
// fall in its share: a run and its copies always hash alike, so the counts of
// the passes add up to exactly those of one pass. Where a pass needs more
// than its share of slots (hashes that crowd together), its table grows
// rather than fill up.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "processing/counted_articles.h"
#include "processing/word_window.h"
#include "processing/working_memory.h"

namespace kestrelwick {

enum class Likeness { Different, NearlySame, Same };

// Compares the versions of one paragraph after another, keeping its table
// from one paragraph to the next.
class WordingComparer {
  public:
    static constexpr std::size_t kVersions = kArticleCount;
    struct Version {
        std::u16string_view text;
        std::size_t words;  // its word count, as countWords gives it
    };
    using Versions = std::array<std::optional<Version>, kVersions>;
    // The pairs of versions, in the order the report names them.
    static constexpr std::array<std::array<std::size_t, 2>, 3> kPairs = {{{0, 1}, {0, 2}, {1, 2}}};

    // The smallest budget a comparer takes: a paragraph of a few thousand
    // words is always compared in one pass.
    static constexpr std::size_t kSmallestBudget = std::size_t{256} << 10;

    // budget: the bytes the table may take, at least kSmallestBudget.
    explicit WordingComparer(std::size_t budget = kSmallestBudget);

    // The four-word runs of each version and those each pair shares, as
    // sets, counted whole.
    struct RunCounts {
        std::array<std::size_t, kVersions> runs{};
        std::array<std::size_t, kPairs.size()> shared{};
    };

    // How alike each pair of versions is; a version left out (nullopt) makes
    // its pairs Different. The versions must not be blank. With counts, the
    // runs are counted whole (no early stop) and given there too.
    std::array<Likeness, kPairs.size()> compare(const Versions& versions,
                                                RunCounts* counts = nullptr);

    // The bytes the comparer holds now, and the passes its last paragraph
    // took.
    std::size_t memoryHeld() const;
    std::size_t passesTaken() const { return passes_; }

  private:
    struct Entry {
        std::uint64_t hash;
        // From the top: the generation of the paragraph the entry belongs to
        // (16 bits; any other marks a free slot), where the run starts in its
        // version's text (40 bits), the versions that have the run (a bit
        // each) and the version it was first read in (2 bits).
        std::uint64_t place;
    };

    bool sameRun(std::size_t a, std::size_t startA, std::size_t b, std::size_t startB) const;
    std::size_t runLength(std::size_t version) const;
    std::size_t runsOf(std::size_t version) const;
    // Sizes the table for the runs of a paragraph, in as many passes as the
    // budget needs.
    void planPasses(std::size_t runs);
    void clearTable();
    void growTable();
    // Counts the runs of a version (those of this pass) and those it shares
    // with the earlier ones (a bit each). With mayStop, returns false, with
    // the counts incomplete, once none of the earlier ones can be nearly the
    // same as this one.
    bool addRuns(std::size_t version, unsigned earlier, bool mayStop, std::size_t pass);

    std::size_t budget_;
    std::array<WordWindow, kVersions> words_;
    std::vector<Entry, WorkingAllocator<Entry>> table_;
    std::size_t slots_ = 0;  // slots in use, a power of two
    std::size_t used_ = 0;   // slots filled in this pass
    // Tells this pass's entries from older ones, so that the table is cleared
    // only when it grows or the generation wraps.
    std::uint64_t generation_ = 0;
    unsigned slotShift_ = 64;
    std::size_t passes_ = 0;
    unsigned passShift_ = 64;
    // Runs of each version, and runs shared by each pair, counted once each.
    std::array<std::size_t, kVersions> distinct_{};
    std::array<std::size_t, kPairs.size()> shared_{};
};

// How alike two versions are; for callers that compare one pair.
Likeness compareWording(std::u16string_view a, std::u16string_view b,
                        std::size_t budget = WordingComparer::kSmallestBudget);

// Whether two versions give the same words in the same order, whatever the
// spaces around and between them.
bool sameWording(std::u16string_view a, std::u16string_view b);

// The hash the comparer gives a word. Different words can share one, which is
// why equal hashes are confirmed by the words.
std::uint64_t wordingHash(std::u16string_view word);

}  // namespace kestrelwick
