#pragma once

// The spin text that a check wrote, as the window keeps it after showing
// it: where its separators are, and how to tell that a text is still that
// spin text, written in any of the formats. A switch of the spin format then
// writes the check's groups again by changing those places alone, so that a
// ~ that a version holds stays plain text in the pipe format, exactly as a
// check in that format would have written it.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "processing/spin_text.h"

namespace kestrelwick {

class WrittenSpinText {
  public:
    WrittenSpinText() = default;
    // The text a check wrote in a format, and where it put its separators
    // (writeSpinText).
    WrittenSpinText(std::span<char16_t> text, std::vector<std::size_t> separators,
                    SpinFormat format);

    // Whether text is the check's spin text written in the format.
    bool holds(std::u16string_view text, SpinFormat format) const;
    const std::vector<std::size_t>& separators() const { return separators_; }

  private:
    std::vector<std::size_t> separators_;
    std::size_t length_ = 0;
    // One fingerprint of the text for each format, by the format's number.
    std::vector<std::uint64_t> fingerprints_;
};

}  // namespace kestrelwick
