#pragma once

// The minimum-length report: a modal message box with the message, and below
// it the report's notes, one to a line. It is wide enough for a note of about
// a hundred characters on one line where the screen allows, its text can be
// selected with the mouse, and Ctrl+C copies the message and every note as
// plain text, one to a line, on every platform.

#include <QString>
#include <QStringList>

class QWidget;

namespace kestrelwick {

void showReportBox(QWidget* parent, const QString& message, const QStringList& notes);

// What Ctrl+C in the report copies.
QString reportClipboardText(const QString& message, const QStringList& notes);

}  // namespace kestrelwick
