#pragma once

// The window's file dialogs. Each opens in the folder that the same kind of
// dialog was last left in, kept in the user's settings across restarts, and
// is the desktop's own dialog where the desktop has one.

#include <QString>
#include <QStringList>

class QWidget;

namespace kestrelwick {

// "Open article…": text files for the article boxes; none when cancelled.
QStringList askForArticleFiles(QWidget* parent);

// "Save spin text as…": the file to save to; empty when cancelled. The
// dialog asks before a file is replaced.
QString askWhereToSaveSpinText(QWidget* parent);
// "Open spin text…": one file, in the folder spin texts were last saved to
// or opened from; empty when cancelled.
QString askForSpinTextFile(QWidget* parent);

// The folder for a batch of spun articles, starting at the one given or the
// last one chosen; empty when cancelled.
QString askForBatchFolder(QWidget* parent, const QString& start);
// The folder a batch was last written to, or the documents folder.
QString lastBatchFolder();
void rememberBatchFolder(const QString& folder);

}  // namespace kestrelwick
