#include "processing/spin_formats.h"

#include <vector>

#include "processing/decimal_text.h"

namespace kestrelwick {

namespace {

std::vector<SpinFormatRow>& rows() {
    static std::vector<SpinFormatRow> all = {
        {{u'{', u'}', u'~'}, u"AMA format", u"AMA format", u"AMA format {a~b~c}", u"ama", u"ama"},
        {{u'{', u'}', u'|'},
         u"pipe format",
         u"the pipe format",
         u"Pipe format {a|b|c}",
         u"pipe",
         u"pipe"},
    };
    return all;
}

// "~ and |", or "~, | and #" for more.
std::u16string listOf(const std::vector<char16_t>& separators) {
    std::u16string text;
    for (std::size_t i = 0; i < separators.size(); ++i) {
        if (i > 0) {
            text += i + 1 == separators.size() ? u" and " : u", ";
        }
        text += separators[i];
    }
    return separators.size() == 2 ? u"both " + text : text;
}

}  // namespace

std::size_t spinFormatCount() {
    return rows().size();
}

const SpinFormatRow& spinFormatRow(SpinFormat format) {
    return rows().at(std::size_t(format));
}

SpinFormat addSpinFormat(const SpinFormatRow& row) {
    rows().push_back(row);
    return spinFormatAt(rows().size() - 1);
}

SpinMarks spinMarks(SpinFormat format) {
    return spinFormatRow(format).marks;
}

std::u16string spinMarksText(SpinFormat format) {
    const SpinMarks marks = spinMarks(format);
    return std::u16string{marks.open} + u", " + marks.close + u" or " + marks.separator;
}

std::optional<SpinFormat> spinFormatOfSetting(std::u16string_view key) {
    for (std::size_t f = 0; f < spinFormatCount(); ++f) {
        if (rows()[f].settingsKey == key) {
            return spinFormatAt(f);
        }
    }
    return std::nullopt;
}

std::optional<SpinFormat> spinFormatOfWord(std::u16string_view word) {
    for (std::size_t f = 0; f < spinFormatCount(); ++f) {
        if (rows()[f].commandWord == word) {
            return spinFormatAt(f);
        }
    }
    return std::nullopt;
}

FoundFormat findSpinFormat(std::u16string_view text, std::optional<SpinFormat> given,
                           SpinFormat fallback) {
    // The groups as the braces make them, whatever the separator: where each
    // format's separator first stands inside one.
    const std::size_t count = spinFormatCount();
    std::vector<std::optional<std::size_t>> first(count);
    for (std::size_t open = text.find(u'{'); open != std::u16string_view::npos;) {
        const std::size_t close = text.find_first_of(u"{}", open + 1);
        if (close == std::u16string_view::npos) {
            break;
        }
        if (text[close] == u'{') {
            open = close;
            continue;
        }
        const std::u16string_view body = text.substr(open + 1, close - open - 1);
        for (std::size_t f = 0; f < count; ++f) {
            if (!first[f] && body.find(rows()[f].marks.separator) != std::u16string_view::npos) {
                first[f] = open;
            }
        }
        open = text.find(u'{', close + 1);
    }
    std::vector<std::size_t> present;
    for (std::size_t f = 0; f < count; ++f) {
        if (first[f]) {
            present.push_back(f);
        }
    }
    FoundFormat found;
    found.format = given ? *given : present.size() == 1 ? spinFormatAt(present.front()) : fallback;
    if (present.size() < 2) {
        return found;
    }
    // The first group that holds a separator the chosen format reads as
    // plain text.
    std::optional<std::size_t> plain;
    std::vector<char16_t> separators;
    for (const std::size_t f : present) {
        separators.push_back(rows()[f].marks.separator);
        if (spinFormatAt(f) != found.format && (!plain || *first[f] < *first[*plain])) {
            plain = f;
        }
    }
    const char16_t other = rows()[*plain].marks.separator;
    const TextPlace place = placeOf(text, *first[*plain]);
    found.mixed =
        Refusal{Refusal::Kind::MixedFormats,
                u"the spin text's groups hold " + listOf(separators) + u": it is spun in " +
                    std::u16string(spinFormatRow(found.format).inSentence) + u", in which " +
                    other + u" is plain text (the first group with a " + other + u" is at " +
                    placeText(place) + u").",
                place};
    return found;
}

}  // namespace kestrelwick
