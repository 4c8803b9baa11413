// The window's keys as one list: the README's table is the list the window
// is made from, every box's menu opens on Shift+F10 with a letter of its own
// for each item and the key beside it, and Ctrl+Shift+S asks for a batch.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QSet>
#include <QtTest>

#include "support/form_test.h"
#include "window/shortcuts.h"

using namespace kestrelwick;

namespace {

// The rows of the first table of the README's section on keys, cell by cell.
QList<QStringList> readmeKeyTable() {
    QFile file(QStringLiteral(KESTRELWICK_SOURCE_DIR "/README.md"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QString readme = QString::fromUtf8(file.readAll());
    const qsizetype section = readme.indexOf(QStringLiteral("\n## Keys, menus and help\n"));
    const qsizetype header = readme.indexOf(
        QStringLiteral("\n| Keys | What it does | Where |\n|---|---|---|\n"), section);
    if (section < 0 || header < 0) {
        return {};
    }
    QList<QStringList> rows;
    const QStringList lines = readme.mid(header + 1).split(u'\n');
    for (const QString& line : lines.mid(2)) {
        if (!line.startsWith(u'|')) {
            break;
        }
        QStringList cells = line.split(u'|');
        cells = cells.mid(1, cells.size() - 2);
        for (QString& cell : cells) {
            cell = cell.trimmed();
        }
        rows << cells;
    }
    return rows;
}

// An item of a menu as the user sees it: its text without the mark of its
// underlined letter, that letter, and the key shown beside it.
struct Item {
    QString name;
    QChar letter;
    QString key;
};

QList<Item> itemsOf(const QMenu& menu) {
    QList<Item> items;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            continue;
        }
        QString text = action->text().section(u'\t', 0, 0);
        QString key = action->text().section(u'\t', 1);
        if (key.isEmpty() && action->isShortcutVisibleInContextMenu()) {
            key = action->shortcut().toString(QKeySequence::NativeText);
        }
        const qsizetype mark = text.indexOf(u'&');
        const QChar letter =
            mark >= 0 && mark + 1 < text.size() ? text[mark + 1].toLower() : QChar();
        items.append({text.remove(u'&'), letter, key});
    }
    return items;
}

const QList<QPair<QString, QString>> kEditing = {
    {QStringLiteral("Undo"), QStringLiteral("Ctrl+Z")},
    {QStringLiteral("Redo"), QStringLiteral("Ctrl+Shift+Z")},
    {QStringLiteral("Cut"), QStringLiteral("Ctrl+X")},
    {QStringLiteral("Copy"), QStringLiteral("Ctrl+C")},
    {QStringLiteral("Paste"), QStringLiteral("Ctrl+V")},
    {QStringLiteral("Delete"), QStringLiteral("Del")},
    {QStringLiteral("Select All"), QStringLiteral("Ctrl+A")}};
const QPair<QString, QString> kHelp = {QStringLiteral("Help…"), QStringLiteral("F1")};

}  // namespace

class ShortcutsTest : public FormTest {
    Q_OBJECT

  private slots:
    void theReadmeTableIsTheWindowsList() {
        QList<QStringList> listed;
        for (const KeyRow& row : keyRows()) {
            listed << QStringList{keysText(row), doesText(row), whereText(row)};
        }
        QCOMPARE(readmeKeyTable(), listed);
    }

    void shiftF10OpensEachBoxsMenuWithALetterAndAKeyForEachItem() {
        const QList<QPair<QString, QString>> output = {
            {QStringLiteral("Preview a spun article"), QStringLiteral("F9")},
            {QStringLiteral("Save spin text as…"), QStringLiteral("Ctrl+S")},
            {QStringLiteral("Save spun articles…"), QStringLiteral("Ctrl+Shift+S")},
            {QStringLiteral("Open spin text…"), QStringLiteral("Ctrl+O")}};
        const struct {
            TextBox* box;
            QList<QPair<QString, QString>> items;
        } boxes[] = {
            {form->articleBox(0),
             kEditing + QList{qMakePair(QStringLiteral("Open article…"), QStringLiteral("Ctrl+O")),
                              kHelp}},
            {form->articleBox(2),
             kEditing + QList{qMakePair(QStringLiteral("Open article…"), QStringLiteral("Ctrl+O")),
                              kHelp}},
            {form->outputBox(), kEditing + output + QList{kHelp}},
            {form->gridBox(), kEditing + QList{kHelp}},
        };
        for (const auto& expected : boxes) {
            expected.box->setText(u"Some text");
            expected.box->setFocus();
            QTest::keyClick(expected.box, Qt::Key_F10, Qt::ShiftModifier);
            QMenu* menu = nullptr;
            QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
            QList<QPair<QString, QString>> shown;
            QSet<QChar> letters;
            for (const Item& item : itemsOf(*menu)) {
                shown.append({item.name, item.key});
                QVERIFY2(!item.letter.isNull(), qPrintable(item.name));
                letters.insert(item.letter);
            }
            QCOMPARE(shown, expected.items);
            QCOMPARE(letters.size(), shown.size());  // no letter twice in a menu
            if (expected.box == form->articleBox(0)) {
                // At the text cursor, where there is room below it.
                const QRect cursor = expected.box->cursorRect().translated(
                    expected.box->viewport()->mapTo(expected.box, QPoint()));
                QVERIFY(
                    cursor.adjusted(0, 0, 2, 2).contains(expected.box->mapFromGlobal(menu->pos())));
            }
            menu->close();
        }
    }

    void ctrlShiftSAsksForABatch() {
        form->outputBox()->setText(u"{One~Two} and {a~b}");
        QString title;
        whenDialogOpens<QDialog>([&title](QDialog* dialog) {
            title = dialog->windowTitle();
            dialog->reject();
        });
        QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(title, QStringLiteral("Save spun articles"));
    }
};

QTEST_MAIN(ShortcutsTest)
#include "shortcuts_test.moc"
