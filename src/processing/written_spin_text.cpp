#include "processing/written_spin_text.h"

#include "processing/wording.h"

namespace kestrelwick {

WrittenSpinText::WrittenSpinText(std::span<char16_t> text, std::vector<std::size_t> separators,
                                 SpinFormat format)
    : separators_(std::move(separators)), length_(text.size()) {
    // Each format's fingerprint from the same text, its separators changed
    // and at last changed back: no copy of a text of many megabytes.
    fingerprints_.resize(spinFormatCount());
    for (std::size_t f = 0; f < spinFormatCount(); ++f) {
        changeSeparators(text, separators_, spinFormatAt(f));
        fingerprints_[f] = wordingHash({text.data(), text.size()});
    }
    changeSeparators(text, separators_, format);
}

bool WrittenSpinText::holds(std::u16string_view text, SpinFormat format) const {
    return length_ > 0 && text.size() == length_ && std::size_t(format) < fingerprints_.size() &&
           wordingHash(text) == fingerprints_[std::size_t(format)];
}

}  // namespace kestrelwick
