#include "processing/spin_source.h"

namespace kestrelwick {

OrRefusal<std::unique_ptr<const SpinSource>> SpinSource::read(std::u16string text,
                                                              const FoundFormat& found) {
    std::unique_ptr<SpinSource> source(new SpinSource(std::move(text), found));
    auto choices = readSpinChoices(source->text_, found.format, kMostKept);
    if (auto* refusal = std::get_if<Refusal>(&choices)) {
        return std::move(*refusal);
    }
    source->choices_ = std::move(std::get<SpinChoices>(choices));
    return std::unique_ptr<const SpinSource>(std::move(source));
}

}  // namespace kestrelwick
