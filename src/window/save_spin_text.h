#pragma once

// "Save spin text as…" (Ctrl+S, and the output box's menu): the output box's
// text saved to a file the user chooses, as UTF-8 with LF line breaks, the
// same bytes that kestrelwick --check writes, so that kestrelwick --spin
// reads it back. The file is written whole or not at all; a file that cannot
// be written is told with its name and the reason.

class QWidget;

namespace kestrelwick {

class TextBox;

void saveSpinText(QWidget* parent, const TextBox* outputBox);

}  // namespace kestrelwick
