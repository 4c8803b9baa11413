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

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kestrelwick {

enum class Likeness { Different, NearlySame, Same };

// Compares the versions of one paragraph after another, keeping its buffers
// from one paragraph to the next.
class WordingComparer {
  public:
    static constexpr std::size_t kVersions = 3;
    struct Version {
        std::u16string_view text;
        std::size_t words;  // its word count, as countWords gives it
    };
    using Versions = std::array<std::optional<Version>, kVersions>;
    // The pairs of versions, in the order the report names them.
    static constexpr std::array<std::array<std::size_t, 2>, 3> kPairs = {{{0, 1}, {0, 2}, {1, 2}}};

    // How alike each pair of versions is; a version left out (nullopt) makes
    // its pairs Different. The versions must not be blank.
    std::array<Likeness, kPairs.size()> compare(const Versions& versions);

  private:
    // The words of a version as far as they are read.
    struct Words {
        std::vector<std::size_t> starts;  // where each word starts in the text
        std::vector<std::uint64_t> hashes;
        std::size_t count = 0;  // words read
        std::size_t total = 0;  // words in all
        // Where reading goes on: the next block of 64 code units, its spaces,
        // and whether the block before ends in a space.
        std::size_t block = 0;
        std::uint64_t spaces = 0;
        std::uint64_t spaceBefore = 1;
    };
    struct Entry {
        std::uint64_t hash;
        // The first word of the run in the version below; a paragraph has
        // far fewer than 2^32 words.
        std::uint32_t run;
        std::uint16_t generation;
        std::uint8_t version;
        std::uint8_t versions;  // a bit for each version that has the run
    };

    void startReading(std::size_t version, const Version& text);
    // Reads on until at least the wanted number of words are read, or all.
    void readWords(std::size_t version, std::size_t wanted);
    bool sameWords(std::size_t a, std::size_t b) const;
    bool sameRun(std::size_t a, std::size_t runA, std::size_t b, std::size_t runB) const;
    std::size_t runLength(std::size_t version) const;
    void prepareTable(std::size_t runs);
    // Counts the runs of a version and those it shares with the earlier ones
    // (a bit each). With mayStop, returns false, with the counts incomplete,
    // once none of the earlier ones can be nearly the same as this one.
    bool addRuns(std::size_t version, unsigned earlier, bool mayStop);

    std::array<std::u16string_view, kVersions> texts_;
    std::array<Words, kVersions> words_;
    std::vector<Entry> table_;
    unsigned slotShift_ = 64;
    std::uint16_t generation_ = 0;
    // Runs of each version, and runs shared by each pair, counted once each.
    std::array<std::size_t, kVersions> distinct_{};
    std::array<std::size_t, kPairs.size()> shared_{};
};

// How alike two versions are; for callers that compare one pair.
Likeness compareWording(std::u16string_view a, std::u16string_view b);

// The hash the comparer gives a word. Different words can share one, which is
// why equal hashes are confirmed by the words.
std::uint64_t wordingHash(std::u16string_view word);

}  // namespace kestrelwick
