#include "processing/word_window.h"

#include <algorithm>
#include <bit>

#include "processing/word_hash.h"
#include "processing/words.h"

namespace kestrelwick {

void WordWindow::start(std::u16string_view text, std::size_t total) {
    text_ = text;
    total_ = total;
    first_ = 0;
    count_ = 0;
    block_ = 0;
    spaces_ = separatorsOf(text_, 0);
    spaceBefore_ = 1;
}

void WordWindow::slideTo(std::size_t from) {
    const std::size_t dropped = std::min(from - first_, count_);
    std::copy(starts_.begin() + std::ptrdiff_t(dropped), starts_.begin() + std::ptrdiff_t(count_),
              starts_.begin());
    std::copy(hashes_.begin() + std::ptrdiff_t(dropped), hashes_.begin() + std::ptrdiff_t(count_),
              hashes_.begin());
    first_ += dropped;
    count_ -= dropped;
}

void WordWindow::readUntil(std::size_t wanted) {
    const char16_t* units = text_.data();
    const std::size_t size = text_.size();
    std::size_t* starts = starts_.data();
    std::uint64_t* hashes = hashes_.data();
    std::size_t count = count_;
    std::size_t block = block_;
    std::uint64_t spaces = spaces_;
    std::uint64_t spaceBefore = spaceBefore_;
    // A block of 64 code units starts at most 32 words.
    constexpr std::size_t kMostInBlock = 32;

    // A word starts at a unit other than a space that follows a space or the
    // start of the text, and ends at the first space after it or at the end
    // of the text. The next block's spaces are known too, so that a word
    // that runs on into it is measured at once.
    for (; block < size && first_ + count < wanted && count + kMostInBlock <= kSize; block += 64) {
        const std::uint64_t next = separatorsOf(text_, block + 64);
        const std::uint64_t before = (spaces << 1) | spaceBefore;
        for (std::uint64_t bits = ~spaces & before; bits != 0; bits &= bits - 1) {
            const auto place = unsigned(std::countr_zero(bits));
            const std::size_t start = block + place;
            // The spaces from the word's start on, 64 of them.
            const std::uint64_t after = (spaces >> place) | ((next << 1) << (63 - place));
            const std::size_t length =
                after != 0 ? std::size_t(std::countr_zero(after))
                           : std::min(text_.find(kWordSeparator, start), size) - start;
            starts[count] = start;
            hashes[count++] = wordHash(units + start, size - start, length);
        }
        spaceBefore = spaces >> 63;
        spaces = next;
    }
    count_ = count;
    block_ = block;
    spaces_ = spaces;
    spaceBefore_ = spaceBefore;
}

}  // namespace kestrelwick
