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
// look alike.

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
    using Versions = std::array<std::optional<std::u16string_view>, kVersions>;
    // The pairs of versions, in the order the report names them.
    static constexpr std::array<std::array<std::size_t, 2>, 3> kPairs = {{{0, 1}, {0, 2}, {1, 2}}};

    // How alike each pair of versions is; a version left out (nullopt) makes
    // its pairs Different. The versions must not be blank.
    std::array<Likeness, kPairs.size()> compare(const Versions& versions);

  private:
    struct Words {
        std::vector<std::size_t> starts;
        std::vector<std::size_t> lengths;
        std::vector<std::uint64_t> hashes;
        std::size_t count = 0;
    };
    struct Entry {
        std::uint64_t hash;
        std::size_t run;  // the first word of the run in the version below
        std::uint16_t generation;
        std::uint8_t version;
        std::uint8_t versions;  // a bit for each version that has the run
    };

    void readWords(std::size_t version, std::u16string_view text);
    bool sameWords(std::size_t a, std::size_t b) const;
    bool sameWord(std::size_t a, std::size_t wordA, std::size_t b, std::size_t wordB) const;
    bool sameRun(std::size_t a, std::size_t runA, std::size_t b, std::size_t runB) const;
    std::size_t runLength(std::size_t version) const;
    void addRuns(std::size_t version);
    void prepareTable(std::size_t runs);

    std::array<std::u16string_view, kVersions> texts_;
    std::array<Words, kVersions> words_;
    std::vector<Entry> table_;
    unsigned slotShift_ = 64;
    std::uint16_t generation_ = 0;
    std::vector<std::size_t> used_;  // the entries of the current paragraph
    std::array<std::size_t, kVersions> distinct_{};
};

// How alike two versions are; for callers that compare one pair.
Likeness compareWording(std::u16string_view a, std::u16string_view b);

}  // namespace kestrelwick
