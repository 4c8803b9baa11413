#pragma once

// The window's actions beyond its two buttons, each on its keys and in the
// menu of the box it works on, with their texts, letters and keys from the
// window's list (shortcuts.h):
//   F1, every box      "Help…" (help_window.h)
//   F9, output box     "Preview a spun article" (spin_preview.h)
//   Ctrl+S, output box "Save spin text as…" (save_spin_text.h)
//   Ctrl+Shift+S, output box
//                      "Save spun articles…" (spun_articles/spun_articles.h)
//   Ctrl+O, output box "Open spin text…", with the focus in the output box
//                      (open_spin_text.h)
//   Ctrl+O, article boxes
//                      "Open article…", into the box whose menu it is, or
//                      the article box with the focus, or the first
//                      (article_files.h)
//   F8, Shift+F8       the next or the previous marked paragraph
//                      (mark_navigation.h)
// Every box's menu opens on Shift+F10 as on the Menu key, and names Qt's
// own editing items from the list too.

#include <functional>

#include "window/form_controls.h"
#include "window/help_window.h"

class QWidget;

namespace kestrelwick {

class SpinFormatChoice;

// Adds the actions to window; choice is the spin format under the output
// box, and savedWork says where the help finds the user's work.
void addWindowActions(QWidget* window, const FormControls& controls, SpinFormatChoice* choice,
                      std::function<SavedWorkPlace()> savedWork);

}  // namespace kestrelwick
