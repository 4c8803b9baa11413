#pragma once

// "Preview a spun article": the output box's spin text spun as a spinner
// would (processing/spinner.h), shown in a dialog whose text can be
// selected and copied, with a button that spins again and one that copies
// the article. A spin text that cannot be spun is told in a message, and
// the output box's cursor goes to the place.

#include "processing/spin_text.h"

class QWidget;

namespace kestrelwick {

class TextBox;

// Spins the output box's text in the given format, over parent.
void previewSpunArticle(QWidget* parent, TextBox* outputBox, SpinFormat format);

}  // namespace kestrelwick
