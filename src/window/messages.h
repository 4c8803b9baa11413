#pragma once

// Every message the window shows passes through here, so that all of them
// look alike: a modal box over the window, titled with the program's name
// (or the title given), plain text that is never read as markup, and one
// place that waits for the window to be up before a message stands on it.
//
// The report of a check has a box of its own (report_box.h).

#include <QString>

#include <functional>

class QWidget;

namespace kestrelwick {

enum class MessageText { Plain, Selectable };

// A warning with an OK button; Selectable lets the user select and copy its
// text (an address to paste elsewhere).
void warn(QWidget* parent, const QString& text, MessageText kind = MessageText::Plain);

// The same warning once the event loop has shown the window: for what is
// found while the window is still being built.
void warnOnceShown(QWidget* parent, const QString& text);
// Runs show, with the window, once the event loop has shown it (and not at
// all if the window is gone by then): the one wait of every such message.
void onceShown(QWidget* window, std::function<void(QWidget*)> show);

// A warning that asks whether to go on, with Yes and No; No is the default.
bool askToGoOn(QWidget* parent, const QString& question);

// A question with Yes and No under its own title; Yes is the default.
bool confirm(QWidget* parent, const QString& title, const QString& question);

// News with a detail below it, an OK button and a button that does one
// thing more; returns whether that button was pressed.
bool informWithAction(QWidget* parent, const QString& text, const QString& detail,
                      const QString& action);

}  // namespace kestrelwick
