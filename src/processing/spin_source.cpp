#include "processing/spin_source.h"

#include <algorithm>

namespace kestrelwick {

OrRefusal<std::unique_ptr<const SpinSource>> SpinSource::read(std::u16string text,
                                                              const FoundFormat& found) {
    if (text.empty()) {
        return Refusal{Refusal::Kind::NoSpinText, u"there is no spin text to spin."};
    }
    std::unique_ptr<SpinSource> source(new SpinSource(std::move(text), found));
    auto choices = readSpinChoices(source->text_, found.format, kMostKept);
    if (auto* refusal = std::get_if<Refusal>(&choices)) {
        return std::move(*refusal);
    }
    source->choices_ = std::move(std::get<SpinChoices>(choices));
    return std::unique_ptr<const SpinSource>(std::move(source));
}

std::u16string SpinSource::title() const {
    constexpr std::size_t kLongest = 400;
    std::u16string title;
    // Appends a piece up to its first line break; false once one is met.
    const auto add = [&title](std::u16string_view piece) {
        const std::size_t end = piece.find_first_of(u"\r\n");
        title += piece.substr(0, std::min({end, piece.size(), kLongest - title.size()}));
        return end == std::u16string_view::npos && title.size() < kLongest;
    };
    std::size_t plain = 0;
    for (const SpinChoices::Group& group : choices_.groups) {
        if (!add(std::u16string_view(text_).substr(plain, group.open - plain)) ||
            !add(group.alternatives.front())) {
            return title;
        }
        plain = group.close + 1;
    }
    add(std::u16string_view(text_).substr(plain));
    return title;
}

}  // namespace kestrelwick
