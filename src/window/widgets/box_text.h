#pragma once

// The boxes' own text and the engine's: a box marks each line break with a
// paragraph separator (U+2029), the engine takes CR LF. Both conversions
// find the line breaks with Qt's vectorised search and copy the text
// between them in whole runs, as boxes can hold megabytes of text. And the
// spaces at the ends of a box's own text, which leaving the box takes off.

#include <QString>

#include <string>
#include <string_view>

namespace kestrelwick {

// Conversions between the engine's CR LF text and a box's own text, whose
// line breaks are paragraph separators (U+2029).
std::u16string engineTextFromRaw(const QString& raw);
QString rawFromEngineText(std::u16string_view text);

// How many spaces a box's own text has at its start and at its end (all of
// them at the start, for a text of spaces only).
struct SpacesAtEnds {
    qsizetype leading = 0;
    qsizetype trailing = 0;
};
SpacesAtEnds spacesAtEnds(QStringView raw);

}  // namespace kestrelwick
