#pragma once

// The boxes' own text and the engine's: a box marks each line break with a
// paragraph separator (U+2029), the engine takes CR LF. Both conversions
// find the line breaks with Qt's vectorised search and copy the text
// between them in whole runs, as boxes can hold megabytes of text.

#include <QString>

#include <string>
#include <string_view>

namespace kestrelwick {

// Conversions between the engine's CR LF text and a box's own text, whose
// line breaks are paragraph separators (U+2029).
std::u16string engineTextFromRaw(const QString& raw);
QString rawFromEngineText(std::u16string_view text);

}  // namespace kestrelwick
