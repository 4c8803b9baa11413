#include "window/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "window/user_settings.h"

namespace kestrelwick {

namespace {

const QString kArticles = QStringLiteral("folders/articles");
const QString kSpinText = QStringLiteral("folders/spinText");
const QString kBatch = QStringLiteral("folders/spunArticles");
const QString kTextFiles = QStringLiteral("Text files (*.txt);;All files (*)");

QString folderOf(const QString& key) {
    const QString folder = userSettings().value(key).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir()
               ? folder
               : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void remember(const QString& key, const QString& folder) {
    userSettings().setValue(key, folder);
}

}  // namespace

QStringList askForArticleFiles(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Open article"), folderOf(kArticles), kTextFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    remember(kArticles, dialog.directory().absolutePath());
    return dialog.selectedFiles();
}

QString askWhereToSaveSpinText(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Save spin text as"), folderOf(kSpinText),
                       kTextFiles);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("spin.txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString path = dialog.selectedFiles().front();
    remember(kSpinText, QFileInfo(path).absolutePath());
    return path;
}

QString askForSpinTextFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Open spin text"), folderOf(kSpinText), kTextFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString path = dialog.selectedFiles().front();
    remember(kSpinText, QFileInfo(path).absolutePath());
    return path;
}

QString askForBatchFolder(QWidget* parent, const QString& start) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent, QStringLiteral("Folder for the spun articles"),
                                          start.isEmpty() ? lastBatchFolder() : start);
    return folder;
}

QString lastBatchFolder() {
    return folderOf(kBatch);
}

void rememberBatchFolder(const QString& folder) {
    remember(kBatch, QDir(folder).absolutePath());
}

}  // namespace kestrelwick
