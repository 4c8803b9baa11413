// The spin text's readers on arbitrary text (the input's bytes in pairs as
// 16-bit code units): spinning, reading the groups for a batch, finding the
// format, and changing it. None may fail on any input, and they must agree:
// a text spins exactly when its groups can be read; a change of format goes
// back to the text it came from.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "fuzz/require.h"
#include "processing/spinning.h"

using kestrelwick::testing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace kestrelwick;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text += char16_t(bytes[i] | bytes[i + 1] << 8);
    }
    const std::uint64_t seed = size > 0 ? bytes[0] : 0;
    for (const SpinFormat format : {SpinFormat::Ama, SpinFormat::Pipe}) {
        SpinRandom random(seed);
        const auto spun = spinArticle(text, format, random);
        const auto read = readSpinChoices(text, format, 4);
        require(spun.index() == read.index());
        if (const auto* error = std::get_if<Refusal>(&spun)) {
            require(*error == std::get<Refusal>(read));
            require(error->kind == Refusal::Kind::CannotSpin && error->place &&
                    error->place->line >= 1 && error->place->column >= 1);
            continue;
        }
        const SpinChoices& choices = std::get<SpinChoices>(read);
        std::size_t after = 0;
        for (const SpinChoices::Group& group : choices.groups) {
            require(group.open >= after && group.open < group.close && group.close < text.size());
            require(!group.alternatives.empty() && group.alternatives.size() <= 4);
            require(group.different >= group.alternatives.size());
            for (const std::u16string_view alternative : group.alternatives) {
                require(alternative.data() > text.data() + group.open &&
                        alternative.data() + alternative.size() <= text.data() + group.close);
            }
            after = group.close + 1;
        }
        require(choices.articles() >= 1);
        // An article keeps the text between the groups and one alternative
        // of each: never more than the spin text.
        const std::u16string first = choices.article(ArticleChoice(choices.groups.size(), 0));
        require(first.size() <= text.size());

        const SpinFormat other = format == SpinFormat::Ama ? SpinFormat::Pipe : SpinFormat::Ama;
        const auto change = changeSpinFormat(text, format, other);
        if (const auto* changed = std::get_if<std::u16string>(&change)) {
            const auto back = changeSpinFormat(*changed, other, format);
            require(std::get<std::u16string>(back) == text);
        } else {
            require(std::get<Refusal>(change).kind == Refusal::Kind::WouldSplit);
        }
        const FoundFormat found = findSpinFormat(text, std::nullopt);
        require(!found.mixed || found.mixed->place->line >= 1);
    }
    return 0;
}
