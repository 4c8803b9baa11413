#pragma once

// The help window (F1, and "Help…" at the end of every box's menu): what
// Kestrelwick does, the window's keys as one table (shortcuts.h), where this
// run keeps the user's work, the version and the licence, and that the
// README says more. Its text can be selected and copied, screen readers read
// it by its name and description, and Escape closes it. It stays open beside
// the window while the user works; F1 again brings it to the front.

#include <QString>

class QWidget;

namespace kestrelwick {

// Where this window's work is kept, as the help tells it.
struct SavedWorkPlace {
    QString path;      // the state file
    bool kept = true;  // false: this window saves nothing, and its title says why
};

// Shows the help over window, or brings the one open to the front.
void showHelp(QWidget* window, const SavedWorkPlace& place);

// The help's text, as the window shows it.
QString helpHtml(const SavedWorkPlace& place);

}  // namespace kestrelwick
