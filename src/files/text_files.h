#pragma once

// Text as Kestrelwick writes it out, to standard output or to a file: UTF-8
// without a byte-order mark, and a lone surrogate, which a box can hold but
// UTF-8 cannot, as U+FFFD. Spin texts and articles go out with LF line
// breaks, as the output box's copy gives them.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <string_view>

#include "processing/spinning.h"

namespace kestrelwick {

// The text as UTF-8.
QByteArray utf8Of(QStringView text);

// The engine's text (line breaks CR LF) as a file holds it: CR LF as LF, in
// UTF-8.
QByteArray fileBytesOf(std::u16string_view text);

// Saves the text to the file at path whole or not at all (files/new_file.h),
// over a file of that name; returns why it could not (the words go on after
// a colon), or nothing.
std::optional<Refusal> saveTextFile(const QString& path, std::u16string_view text);

}  // namespace kestrelwick
