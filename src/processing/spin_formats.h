#pragma once

// The spin formats, as data: one row per format, and every part of the
// program that offers, names, keeps, reads or writes a format loops over the
// rows. Two rows are built in: AMA format {a~b~c}, the default, which
// Article Marketing Automation reads, and the pipe format {a|b|c}, which most
// other spinners read. A third format is one more row (addSpinFormat) and
// its tests.
//
// A row holds the format's marks (the characters that open a group, close
// it and separate its alternatives), its names (on its own, in a sentence
// and in the window's choice), the value the settings keep and the word
// --format takes.
//
// Finding a text's format: where only one format's separator stands inside
// the text's groups, the text is in that format; where none does, or the
// separators of several do (a mixed text), the caller's format (given, or a
// fallback) decides, and a mixed text is told with the place of its first
// group that holds a separator the chosen format reads as plain text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "processing/refusal.h"

namespace kestrelwick {

// A format is its row's number.
enum class SpinFormat : std::uint8_t { Ama, Pipe };

// The characters that open a group, close it and separate its versions.
struct SpinMarks {
    char16_t open;
    char16_t close;
    char16_t separator;

    // The three, as words.h and the report's note take them.
    std::array<char16_t, 3> all() const { return {open, close, separator}; }
};

struct SpinFormatRow {
    SpinMarks marks;
    std::u16string_view name;         // on its own: "AMA format", "pipe format"
    std::u16string_view inSentence;   // within a sentence: "AMA format", "the pipe format"
    std::u16string_view choiceName;   // in the window's choice: "AMA format {a~b~c}"
    std::u16string_view settingsKey;  // kept in the settings: "ama"
    std::u16string_view commandWord;  // taken by --format: "ama"
};

// How many formats there are, and each by its number.
std::size_t spinFormatCount();
inline SpinFormat spinFormatAt(std::size_t number) {
    return SpinFormat(number);
}
const SpinFormatRow& spinFormatRow(SpinFormat format);

// Adds a format of another kind, after the built-in ones, and gives its
// number; the row's texts must outlive the program's use of it. Called
// before anything reads the formats (the tests of a format defined only in
// a test).
SpinFormat addSpinFormat(const SpinFormatRow& row);

SpinMarks spinMarks(SpinFormat format);
// The marks as the report names them: u"{, } or ~".
std::u16string spinMarksText(SpinFormat format);

// The format of a settings value or a command word, if any has it.
std::optional<SpinFormat> spinFormatOfSetting(std::u16string_view key);
std::optional<SpinFormat> spinFormatOfWord(std::u16string_view word);

// The format a spin text is read in: the format given where there is one;
// otherwise the format whose separator alone stands inside the text's
// groups, or the fallback where none or several do. mixed: the separators of
// several formats stand inside the groups, and those of all but the chosen
// one are read as plain text (Refusal::Kind::MixedFormats, placed at the
// first group holding one of them).
struct FoundFormat {
    SpinFormat format = SpinFormat::Ama;
    std::optional<Refusal> mixed;
};
FoundFormat findSpinFormat(std::u16string_view text, std::optional<SpinFormat> given,
                           SpinFormat fallback = SpinFormat::Ama);

}  // namespace kestrelwick
