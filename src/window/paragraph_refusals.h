#pragma once

// Texts refused for a paragraph longer than a box takes
// (processing/long_paragraphs.h), told in one voice whichever way they
// came: an edit in a box, a file named at start, dropped or opened, the
// saved work, the spin text of a check. Each names the box, the paragraph's
// number as the box's margin counts it, its length and the limit.

#include <QString>

#include <cstddef>

#include "processing/check_articles.h"
#include "window/form_controls.h"

class QWidget;

namespace kestrelwick {

class TextBox;

// A box as the messages name it: "article box 1" to "article box 3", "the
// output box" (large box 3), "the grid".
QString boxName(std::size_t largeBox);
QString boxName(const FormControls& controls, const TextBox* box);

// An edit of the user's in a box that was not done.
void warnParagraphRefused(QWidget* parent, const QString& box, const LongParagraph& paragraph);

// Why a file was not put into a box, as the other refusals of files say it.
Refusal fileRefusal(const QString& file, const QString& box, const LongParagraph& paragraph);

// Why the saved work at path was not put back into a box.
QString savedWorkRefusal(const QString& path, const QString& box, const LongParagraph& paragraph);

// Why a check did not write its spin text into the output box.
QString spinTextRefusal(const LongParagraph& paragraph);

}  // namespace kestrelwick
