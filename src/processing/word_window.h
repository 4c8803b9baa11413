#pragma once

// The words of a version around the run being counted: a window of kSize
// words that slides along the text, each word's start and hash, read 64 code
// units at a time without a branch per unit (processing/words.h has the
// separator masks). The wording comparison reads every version through one.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrelwick {

class WordWindow {
  public:
    static constexpr std::size_t kSize = 256;

    // Starts at the first word of text, which has total words.
    void start(std::u16string_view text, std::size_t total);
    // Reads on until the window holds word wanted - 1, or the text ends, or
    // the window is full.
    void readUntil(std::size_t wanted);
    // Moves the window on so that it starts at word from.
    void slideTo(std::size_t from);

    std::u16string_view text() const { return text_; }
    std::size_t total() const { return total_; }
    // The number of the first word in the window, and how many it holds.
    std::size_t first() const { return first_; }
    std::size_t count() const { return count_; }
    // Where word first() + i starts in the text, and its hash.
    std::size_t startOf(std::size_t i) const { return starts_[i]; }
    const std::uint64_t* hashes() const { return hashes_.data(); }

  private:
    std::u16string_view text_;
    std::size_t total_ = 0;
    std::array<std::size_t, kSize> starts_;
    std::array<std::uint64_t, kSize> hashes_;
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    // Where reading goes on: the next block of 64 code units, its spaces, and
    // whether the block before ends in a space.
    std::size_t block_ = 0;
    std::uint64_t spaces_ = 0;
    std::uint64_t spaceBefore_ = 1;
};

}  // namespace kestrelwick
