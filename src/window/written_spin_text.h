#pragma once

// What the window knows of the spin text that the last check wrote into the
// output box: where its separators are, and how to tell that the box still
// holds it, in either format. A switch of the spin format then writes the
// check's groups again by changing those places alone, so that a ~ that a
// version holds stays plain text in the pipe format, as a check in that
// format would have written it.

#include <array>
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
    std::array<std::uint64_t, 2> hashes_{};  // of the text in each format
};

}  // namespace kestrelwick
