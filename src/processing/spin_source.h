#pragma once

// A spin text read once for a batch of articles: the text itself, kept
// here so that it outlives everything that views into it; the format it is
// read in, found by the one rule of processing/spin_formats.h; and its
// groups with their different alternatives (processing/spin_choices.h), as
// many as any batch chooses from.

#include <memory>
#include <optional>
#include <string>

#include "processing/refusal.h"
#include "processing/spin_choices.h"
#include "processing/spin_formats.h"

namespace kestrelwick {

class SpinSource {
  public:
    // The most alternatives of one group that any batch chooses from.
    static constexpr std::size_t kMostKept = 65535;

    // Reads text in the format found for it; or why it cannot be spun
    // (NoSpinText for an empty one).
    static OrRefusal<std::unique_ptr<const SpinSource>> read(std::u16string text,
                                                             const FoundFormat& found);

    const std::u16string& text() const { return text_; }
    SpinFormat format() const { return found_.format; }
    // Where the text holds the separators of several formats.
    const std::optional<Refusal>& mixed() const { return found_.mixed; }
    const SpinChoices& choices() const { return choices_; }
    // The first line of the first article the text gives (every group's
    // first alternative): the article's title, for naming what is made of
    // it. At most a few hundred characters of it.
    std::u16string title() const;

    SpinSource(const SpinSource&) = delete;
    SpinSource& operator=(const SpinSource&) = delete;

  private:
    SpinSource(std::u16string text, const FoundFormat& found)
        : text_(std::move(text)), found_(found) {}

    const std::u16string text_;
    FoundFormat found_;
    SpinChoices choices_;
};

}  // namespace kestrelwick
