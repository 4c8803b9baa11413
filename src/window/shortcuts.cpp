#include "window/shortcuts.h"

#include <QAction>
#include <QMenu>

#include <array>

namespace kestrelwick {

namespace {

constexpr QKeyCombination kNone = Qt::Key_unknown;

// The letters are unique within each menu: an article box's has Undo, Redo,
// Cut, Copy, Paste, Delete, Select All, Open article and Help (U R T C P D A
// O H); the output box's the same with its own Open, Preview, Save and Save
// spun articles (O V S N) in place of Open article.
constexpr std::array<KeyRow, 16> kRows = {{
    {Command::Help, Qt::Key_F1, kNone, "&Help…", nullptr,
     "Help: the keys, where your work is saved, the version", "Anywhere in the window",
     kArticleTip | kOutputTip},
    {Command::OpenArticle, Qt::CTRL | Qt::Key_O, kNone, "&Open article…", nullptr,
     "Open article…: files into the box, as a drop there", "An article box; elsewhere the first",
     kArticleTip},
    {Command::OpenSpinText, Qt::CTRL | Qt::Key_O, kNone, "&Open spin text…", nullptr,
     "Open spin text…: a file into the output box", "The output box", kOutputTip},
    {Command::SaveSpinText, Qt::CTRL | Qt::Key_S, kNone, "&Save spin text as…", nullptr,
     "Save spin text as…: the output box to a file", "Anywhere in the window", kOutputTip},
    {Command::SaveSpunArticles, Qt::CTRL | Qt::SHIFT | Qt::Key_S, kNone, "Save spu&n articles…",
     nullptr, "Save spun articles…: a batch of them in a folder", "Anywhere in the window",
     kOutputTip},
    {Command::Preview, Qt::Key_F9, kNone, "Pre&view a spun article", nullptr,
     "Preview a spun article", "Anywhere in the window", kOutputTip},
    {Command::NextMark, Qt::Key_F8, kNone, nullptr, nullptr, "The next marked paragraph",
     "Anywhere in the window", kArticleTip},
    {Command::PreviousMark, Qt::SHIFT | Qt::Key_F8, kNone, nullptr, nullptr,
     "The previous marked paragraph", "Anywhere in the window", kArticleTip},
    {Command::BoxMenu, Qt::SHIFT | Qt::Key_F10, Qt::Key_Menu, nullptr, nullptr,
     "The box's menu, at the cursor", "Any box", kArticleTip | kOutputTip},
    {Command::Undo, Qt::CTRL | Qt::Key_Z, kNone, "&Undo", "edit-undo", "Undo the box's last edit",
     "Any box", kNoTip},
    {Command::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, "&Redo", "edit-redo",
     "Redo the box's edit undone last", "Any box", kNoTip},
    {Command::Cut, Qt::CTRL | Qt::Key_X, kNone, "Cu&t", "edit-cut", "Cut", "Any box", kNoTip},
    {Command::Copy, Qt::CTRL | Qt::Key_C, kNone, "&Copy", "edit-copy", "Copy",
     "Any box; in the report, its message and notes", kNoTip},
    {Command::Paste, Qt::CTRL | Qt::Key_V, kNone, "&Paste", "edit-paste", "Paste", "Any box",
     kNoTip},
    {Command::Delete, Qt::Key_Delete, kNone, "&Delete", "edit-delete",
     "Delete the selection or the next character", "Any box", kNoTip},
    {Command::SelectAll, Qt::CTRL | Qt::Key_A, kNone, "Select &All", "select-all",
     "Select all the box's text", "Any box", kNoTip},
}};

}  // namespace

std::span<const KeyRow> keyRows() {
    return kRows;
}

const KeyRow& keyRow(Command command) {
    for (const KeyRow& row : kRows) {
        if (row.command == command) {
            return row;
        }
    }
    return kRows.front();  // every command has its row
}

QList<QKeySequence> keySequences(Command command) {
    const KeyRow& row = keyRow(command);
    QList<QKeySequence> keys{QKeySequence(row.key)};
    if (row.otherKey != kNone) {
        keys << QKeySequence(row.otherKey);
    }
    return keys;
}

QString keysText(const KeyRow& row) {
    QString text = QKeySequence(row.key).toString(QKeySequence::PortableText);
    if (row.otherKey != kNone) {
        text += QStringLiteral(" or ") +
                QKeySequence(row.otherKey).toString(QKeySequence::PortableText);
    }
    return text;
}

QString keysText(Command command) {
    return keysText(keyRow(command));
}

QString menuItemText(Command command) {
    return QString::fromUtf8(keyRow(command).menuItem);
}

QString doesText(const KeyRow& row) {
    return QString::fromUtf8(row.does);
}

QString whereText(const KeyRow& row) {
    return QString::fromUtf8(row.where);
}

QAction* commandAction(Command command, QObject* parent) {
    auto* action = new QAction(menuItemText(command), parent);
    action->setShortcuts(keySequences(command));
    // Shown in the boxes' menus too, whatever the desktop's habit.
    action->setShortcutVisibleInContextMenu(true);
    return action;
}

void nameQtMenuItems(QMenu& menu) {
    for (QAction* action : menu.actions()) {
        for (const KeyRow& row : kRows) {
            if (row.qtItem != nullptr && action->objectName() == QLatin1String(row.qtItem)) {
                // Qt's items carry no action key of their own; the text
                // shows it after a tab, as Qt's own menus do.
                action->setText(QString::fromUtf8(row.menuItem) + u'\t' +
                                QKeySequence(row.key).toString(QKeySequence::NativeText));
            }
        }
    }
}

}  // namespace kestrelwick
