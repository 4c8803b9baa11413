#pragma once

// Articles from files in the window: files named when the program starts,
// files dropped on an article box, and files chosen with "Open article…"
// (Ctrl+O, and each article box's menu). Each file goes into its box as one
// undoable edit; refusals and files left out are told in a message box over
// parent. The files are read by files/article_file.h, as the command line's
// are.

#include <QStringList>

#include "window/form_controls.h"

class QWidget;

namespace kestrelwick {

// Puts the text of each file into the article boxes from the first on. A
// file that is refused leaves its box as it is, and files past the third are
// left out; a message says so once the window is up.
void openArticleFiles(QWidget* parent, const FormControls& controls, const QStringList& paths);

// Files dropped on article box index (0 to 2), or on another box (-1): every
// file is read before any box changes, and one refused file changes nothing.
void dropArticleFiles(QWidget* parent, const FormControls& controls, int index,
                      const QStringList& paths);

// Asks for files and puts them into article box index and the boxes after
// it, exactly as a drop there does.
void openArticleDialog(QWidget* parent, const FormControls& controls, int index);

}  // namespace kestrelwick
