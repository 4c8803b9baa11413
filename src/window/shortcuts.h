#pragma once

// The window's keys, written once: each key, what it does and where it
// works, with the item that stands for it in the boxes' menus. The help
// window (F1) shows the whole list, each large box's tooltip the keys that
// work in it, and the menus take their items' texts, underlined letters and
// keys from it; the README's "Keys, menus and help" has the same table, and
// a test holds the two together.
//
// Qt's own editing items of a box's menu (Undo to Select All) are named here
// too, so that every item of a menu has a letter of its own and shows its
// key.

#include <QKeySequence>
#include <QList>
#include <QString>

#include <span>

class QAction;
class QMenu;
class QObject;

namespace kestrelwick {

enum class Command {
    Help,
    OpenArticle,
    OpenSpinText,
    SaveSpinText,
    SaveSpunArticles,
    Preview,
    NextMark,
    PreviousMark,
    BoxMenu,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    Delete,
    SelectAll,
};

// Which large boxes' tooltips list a key.
enum KeyTip { kNoTip = 0, kArticleTip = 1, kOutputTip = 2 };

struct KeyRow {
    Command command;
    // The keys, the one a menu shows first; Qt::Key_unknown where there is
    // only one.
    QKeyCombination key, otherKey;
    // The item's text in a box's menu, its underlined letter after the &;
    // none for a key without an item.
    const char* menuItem;
    // The object name of Qt's own menu item that this row names, if any.
    const char* qtItem;
    const char* does;
    const char* where;
    int tips;
};

// Every row, in the order the help and the README list them.
std::span<const KeyRow> keyRows();
const KeyRow& keyRow(Command command);

QList<QKeySequence> keySequences(Command command);
// The keys as written in the help and the README: "Shift+F10 or Menu".
QString keysText(const KeyRow& row);
QString keysText(Command command);
QString menuItemText(Command command);
QString doesText(const KeyRow& row);
QString whereText(const KeyRow& row);

// An action for a command's menu item, answering its keys in its widget's
// window and showing the first of them in menus.
QAction* commandAction(Command command, QObject* parent);

// Gives Qt's own items of a box's menu their texts, letters and keys from
// the list.
void nameQtMenuItems(QMenu& menu);

}  // namespace kestrelwick
