#pragma once

// "Preview a spun article": the output box's spin text spun as a spinner
// would (processing/spinner.h), shown in a dialog whose text can be
// selected and copied, with the seed it was spun from (kestrelwick --spin
// --seed gives the same article), a button that spins again, one that
// copies the article and one that saves a batch of them. The format is the
// text's own, as --spin finds it; a text whose groups hold both separators
// is spun in the format the window shows, with a note that says where. A
// spin text that cannot be spun is told in a message, and the output box's
// cursor goes to the place; an empty output box is told how to fill it.

#include "processing/spinning.h"

class QWidget;

namespace kestrelwick {

class TextBox;

// Spins the output box's text over parent; shown is the window's format.
void previewSpunArticle(QWidget* parent, TextBox* outputBox, SpinFormat shown);

}  // namespace kestrelwick
