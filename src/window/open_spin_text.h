#pragma once

// "Open spin text…" (Ctrl+O in the output box, and the output box's menu):
// a spin text saved earlier, by Save spin text as… or kestrelwick --check,
// put back into the output box. The file is read as an article file is
// (files/article_file.h: the same encodings, line breaks and refusals), it
// replaces the box's text as one edit that Ctrl+Z takes back, and the spin
// format choice names the text's format, as for the saved work at start,
// coming back with the text on undo. A refused file changes nothing and says
// why.

class QString;
class QWidget;

namespace kestrelwick {

class SpinFormatChoice;

// Asks for the file, then opens it.
void openSpinTextDialog(QWidget* parent, SpinFormatChoice* choice);
void openSpinText(QWidget* parent, SpinFormatChoice* choice, const QString& path);

}  // namespace kestrelwick
