#pragma once

// How alike two versions of one paragraph are worded.
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
// Runs are found through hashes, and every equal hash is confirmed by the
// words themselves, so no collision can make two versions look alike.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrelwick {

enum class Likeness { Different, NearlySame, Same };

// The words and the distinct four-word runs of one version, in buffers that
// are kept and reused from one paragraph to the next.
class VersionRuns {
  public:
    // Reads a version that is not blank. The text must outlive the use of
    // this object for it.
    void read(std::u16string_view version);

    // Whether the other version has the same words in the same order.
    bool sameWords(const VersionRuns& other) const;
    // Whether at least three quarters of the runs that either version has
    // are shared.
    bool sharesMost(const VersionRuns& other) const;

  private:
    std::size_t runLength() const;
    bool runsEqual(std::size_t run, const VersionRuns& other, std::size_t otherRun) const;
    // Whether this version has the other's run among its own.
    bool has(const VersionRuns& other, std::size_t otherRun) const;
    std::size_t firstSlot(std::uint64_t hash) const;

    std::u16string_view text_;
    // Where each word starts and where it ends (at a space or the text's end).
    std::vector<std::size_t> wordStarts_;
    std::vector<std::size_t> wordEnds_;
    std::vector<std::uint64_t> wordHashes_;
    // By run, numbered by its first word.
    std::vector<std::uint64_t> runHashes_;
    // An open-addressed table of run numbers + 1 (0 is an empty slot). A
    // paragraph of four billion words would not fit a box.
    using Slot = std::uint32_t;
    std::vector<Slot> slots_;
    unsigned slotShift_ = 64;
    std::vector<std::size_t> distinct_;
};

// Compares two versions read into VersionRuns.
Likeness compareWording(const VersionRuns& a, const VersionRuns& b);

// The same for two texts, read afresh; for callers that compare one pair.
Likeness compareWording(std::u16string_view a, std::u16string_view b);

}  // namespace kestrelwick
