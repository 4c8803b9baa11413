#pragma once

// The engine's text (std::u16string, 16-bit code units) as Qt's, and Qt's as
// the engine's, unit for unit, for the window and the command line alike;
// and a refusal (processing/refusal.h) made from Qt's text or shown in it.
// (The boxes' own text, with their line breaks, converts in
// window/widgets/text_box.h.)

#include <QString>

#include <string>
#include <string_view>

#include "processing/spinning.h"

namespace kestrelwick {

inline QString qtText(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

inline std::u16string engineText(const QString& text) {
    return text.toStdU16String();
}

inline Refusal refusalOf(Refusal::Kind kind, const QString& text) {
    return {kind, engineText(text), std::nullopt};
}

inline QString qtText(const Refusal& refusal) {
    return qtText(refusal.text);
}

}  // namespace kestrelwick
