#include "window/written_spin_text.h"

#include "processing/wording.h"

namespace kestrelwick {

WrittenSpinText::WrittenSpinText(std::span<char16_t> text, std::vector<std::size_t> separators,
                                 SpinFormat format)
    : separators_(std::move(separators)), length_(text.size()) {
    // The other format's hash from the same text, its separators changed
    // and changed back: no copy of a text of many megabytes.
    const SpinFormat other = format == SpinFormat::Ama ? SpinFormat::Pipe : SpinFormat::Ama;
    hashes_[std::size_t(format)] = wordingHash({text.data(), text.size()});
    changeSeparators(text, separators_, other);
    hashes_[std::size_t(other)] = wordingHash({text.data(), text.size()});
    changeSeparators(text, separators_, format);
}

bool WrittenSpinText::holds(std::u16string_view text, SpinFormat format) const {
    return length_ > 0 && text.size() == length_ &&
           wordingHash(text) == hashes_[std::size_t(format)];
}

}  // namespace kestrelwick
