#pragma once

// The engine's text (std::u16string, 16-bit code units) as Qt's, unit for
// unit, for the window and the command line alike. (The boxes' own text, with
// their line breaks, converts in window/widgets/text_box.h.)

#include <QString>

#include <string>
#include <string_view>

namespace kestrelwick {

inline QString qtText(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

}  // namespace kestrelwick
