// No paragraph of a box longer than the limit, whatever the user does in
// it: typing, Backspace and Delete that join lines, a selection typed over,
// a paste, a drop of text, an input method's text, the context menu's
// Delete. An edit that would
// make one is not done and says which paragraph, and the undo history never
// leads to one; edits that keep within the limit are done as ever. And
// where a text moved within a box would put its paragraphs.

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QTextCursor>
#include <QtTest>

#include <memory>
#include <optional>

#include "support/form_test.h"
#include "window/widgets/paragraph_guard.h"
#include "window/widgets/widgets.h"

using namespace kestrelwick;

namespace {

constexpr int kLimit = int(kLongestParagraph);

QString repeated(int count, char letter) {
    return QString(count, QLatin1Char(letter));
}

std::u16string u16(const QString& text) {
    return text.toStdU16String();
}

// Every text the box's undo history leads to, back and forth, has no
// paragraph longer than the limit; the history is left where it was.
bool historyFits(TextBox* box) {
    QTextDocument* document = box->document();
    bool fits = !findLongParagraph({box->text()});
    int undone = 0;
    for (; document->isUndoAvailable(); ++undone) {
        box->undo();
        fits = fits && !findLongParagraph({box->text()});
    }
    for (int k = 0; k < undone; ++k) {
        box->redo();
        fits = fits && !findLongParagraph({box->text()});
    }
    return fits;
}

}  // namespace

class LongParagraphsTest : public FormTest {
    Q_OBJECT

  private slots:
    void editsThatWouldMakeAParagraphTooLongAreNotDone_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("put");    // what a paste or a drop puts in, or typing first
        QTest::addColumn<int>("paragraph");  // 0 where the edit is done
        QTest::addColumn<int>("characters");

        const int half = kLimit / 2;
        const QString full = QStringLiteral("ab\n") + repeated(kLimit, 'a');
        const QString nearlyFull = QStringLiteral("ab\n") + repeated(kLimit - 2, 'a');
        const QString halves = repeated(half + 1, 'a') + u'\n' + repeated(half, 'b');
        const int breakAt = half + 1;  // where the line break of halves is
        // Letters typed before the one too many, which the box's history
        // keeps as one step with it.
        QTest::newRow("a letter at the end of a full paragraph")
            << nearlyFull << int(nearlyFull.size()) << int(nearlyFull.size()) << "type"
            << "yz" << 2 << kLimit + 1;
        QTest::newRow("a letter in one a character short")
            << repeated(kLimit - 1, 'a') << 3 << 3 << "type"
            << "" << 0 << 0;
        QTest::newRow("Backspace joining two paragraphs")
            << halves << breakAt + 1 << breakAt + 1 << "backspace"
            << "" << 1 << kLimit + 1;
        QTest::newRow("Delete joining two paragraphs") << halves << breakAt << breakAt << "delete"
                                                       << "" << 1 << kLimit + 1;
        QTest::newRow("Backspace inside a paragraph")
            << halves << breakAt + 4 << breakAt + 4 << "backspace"
            << "" << 0 << 0;
        QTest::newRow("a letter over a selection across a break")
            << halves << half << breakAt + 1 << "type"
            << "" << 1 << kLimit + 1;
        QTest::newRow("Delete over a selection across a break")
            << halves << breakAt << breakAt + 1 << "delete"
            << "" << 1 << kLimit + 1;
        QTest::newRow("a paste into a paragraph") << full << 3 << 3 << "paste"
                                                  << "xy" << 2 << kLimit + 2;
        QTest::newRow("a paste whose line break splits the paragraph") << full << 4 << 4 << "paste"
                                                                       << "xy\nz" << 0 << 0;
        QTest::newRow("a paste with a long paragraph of its own")
            << QStringLiteral("ab") << 1 << 1 << "paste"
            << QStringLiteral("x\r\n") + repeated(kLimit + 1, 'c') << 2 << kLimit + 2;
        QTest::newRow("a paste over a selection ending a paragraph")
            << halves << half << breakAt + 1 << "paste"
            << "z\nz" << 0 << 0;
        QTest::newRow("a drop of text") << repeated(kLimit - 1, 'a') << 0 << 0 << "drop"
                                        << "xy" << 1 << kLimit + 1;
        QTest::newRow("what an input method commits") << full << 3 << 3 << "input method"
                                                      << "xy" << 2 << kLimit + 2;
        QTest::newRow("the menu's Delete over a break")
            << halves << breakAt << breakAt + 1 << "menu delete"
            << "" << 1 << kLimit + 1;
    }

    void editsThatWouldMakeAParagraphTooLongAreNotDone() {
        QFETCH(QString, text);
        QFETCH(int, anchor);
        QFETCH(int, position);
        QFETCH(QString, edit);
        QFETCH(QString, put);
        QFETCH(int, paragraph);
        QFETCH(int, characters);
        TextBox* box = form->articleBox(0);
        // The text as one edit, for the history to keep.
        box->setText({});
        box->replaceText(u16(text));
        QTextCursor cursor(box->document());
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        box->setFocus();
        if (edit == QLatin1String("type")) {
            QTest::keyClicks(box, put);
        }
        const std::u16string before = box->text();

        EveryMessageAnswered answered;
        if (edit == QLatin1String("type")) {
            QTest::keyClick(box, Qt::Key_X);
        } else if (edit == QLatin1String("backspace")) {
            QTest::keyClick(box, Qt::Key_Backspace);
        } else if (edit == QLatin1String("ctrl+backspace")) {
            QTest::keyClick(box, Qt::Key_Backspace, Qt::ControlModifier);
        } else if (edit == QLatin1String("delete")) {
            QTest::keyClick(box, Qt::Key_Delete);
        } else if (edit == QLatin1String("paste")) {
            QApplication::clipboard()->setText(put);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (edit == QLatin1String("input method")) {
            QInputMethodEvent commit;
            commit.setCommitString(put);
            QApplication::sendEvent(box, &commit);
        } else if (edit == QLatin1String("drop")) {
            QMimeData data;
            data.setText(put);
            // Dragged over the box, then dropped.
            const QPointF at(box->viewport()->rect().center());
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(box->viewport(), &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box->viewport(), &drop);
        } else {
            const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
            menu->findChild<QAction*>(QStringLiteral("edit-delete"))->trigger();
        }

        if (paragraph == 0) {
            QVERIFY(box->text() != before);
            QVERIFY(answered.texts.isEmpty());
        } else {
            // The menu's edit is taken back as soon as it is made.
            QTRY_COMPARE(answered.texts.size(), 1);
            const QLocale english(QLocale::English);
            QCOMPARE(answered.texts.front(),
                     QStringLiteral("This was not done: paragraph %1 of article box 1 would have "
                                    "%2 characters, and a box takes paragraphs of up to 20,000. "
                                    "The box is as it was.")
                         .arg(paragraph)
                         .arg(english.toString(characters)));
            QVERIFY(box->text() == before);
            // The edit before it is still the one to undo, and nothing waits
            // to be redone.
            QVERIFY(!box->document()->isRedoAvailable());
            box->undo();
            QVERIFY(box->text() != before);
            box->redo();
            QVERIFY(box->text() == before);
        }
        QVERIFY(historyFits(box));
    }

    void everyBoxSaysWhichItIs() {
        for (TextBox* box : {form->articleBox(2), form->outputBox(), form->gridBox()}) {
            box->setText(u16(repeated(kLimit, 'a')));
            box->moveCursor(QTextCursor::End);
            QString said;
            dismissNextModal(said);
            QTest::keyClick(box, Qt::Key_X);
            QVERIFY2(said.contains(box == form->articleBox(2) ? QStringLiteral("of article box 3")
                                   : box == form->outputBox() ? QStringLiteral("of the output box")
                                                              : QStringLiteral("of the grid")),
                     qPrintable(said));
        }
    }

    // A check whose spin text would have a paragraph too long for the output
    // box: three versions of a paragraph of 7,000 characters make a group of
    // three times that. The counts and the report come as ever; the spin
    // text does not, and a message says so.
    void aSpinTextTooLongForTheOutputBoxIsNotWritten() {
        const auto article = [](char letter) {
            QString text = QStringLiteral("Title\n");
            for (int word = 0; text.size() < 7006; ++word) {
                text += QLatin1Char(letter) + QString::number(word) + u' ';
            }
            return u16(text.trimmed());
        };
        fill(article('a'), article('b'), article('c'));
        form->outputBox()->setText(u"{the~last} spin text");
        EveryMessageAnswered answered;
        form->checkButton()->click();
        QTRY_COMPARE(answered.texts.size(), 2);
        QVERIFY2(answered.texts[0].startsWith(QStringLiteral("Minimum length = ")),
                 qPrintable(answered.texts[0]));
        QCOMPARE(answered.texts[1],
                 QStringLiteral("The spin text was not written into the output box: its "
                                "paragraph 4 would have 21,007 characters, and a box takes "
                                "paragraphs of up to 20,000. The counts and the report are shown, "
                                "and the output box is as it was; kestrelwick --check writes the "
                                "spin text of these articles."));
        QVERIFY(form->outputBox()->text() == u"{the~last} spin text");
        QVERIFY(!form->countLabel(3)->text().isEmpty());
        QVERIFY(!form->gridBox()->text().empty());
    }

    // A selection dragged within a box: taken out where it was, put in where
    // it is dropped, and the paragraphs that makes measured as they will be.
    void aTextMovedWithinABoxIsMeasuredWhereItGoes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("at");
        QTest::addColumn<int>("paragraph");  // 0 where all fit
        QTest::addColumn<int>("characters");

        const int half = kLimit / 2;
        const QString nearlyFull = QStringLiteral("x\n") + repeated(kLimit - 1, 'a') + u"\nbbbb";
        const int bs = kLimit + 2;  // where its b's start
        const QString halves =
            QStringLiteral("x\n") + repeated(half + 1, 'a') + u'\n' + repeated(half, 'b');
        const int breakAt = half + 3;  // between its a's and b's
        const QString later = QStringLiteral("aa\n") + repeated(kLimit - 1, 'b');
        QTest::newRow("two b's into the a's") << nearlyFull << bs << bs + 2 << 4 << 2 << kLimit + 1;
        QTest::newRow("two b's after the x") << nearlyFull << bs << bs + 2 << 1 << 0 << 0;
        QTest::newRow("the break between two halves moved away")
            << halves << breakAt << breakAt + 1 << 1 << 3 << kLimit + 1;
        QTest::newRow("the a's with their break before the x")
            << halves << 2 << breakAt + 1 << 0 << 0 << 0;
        QTest::newRow("dropped inside itself") << halves << 2 << 8 << 5 << 0 << 0;
        QTest::newRow("a's moved to the end of the b's")
            << later << 0 << 2 << int(later.size()) << 2 << kLimit + 1;
    }

    void aTextMovedWithinABoxIsMeasuredWhereItGoes() {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, at);
        QFETCH(int, paragraph);
        QFETCH(int, characters);
        QPlainTextEdit box;
        box.setPlainText(text);
        const ParagraphGuard guard(box);
        QString moved = text.mid(from, to - from);
        const std::optional<LongParagraph> found =
            guard.afterMoving(from, to, at, u16(moved.replace(u'\n', QChar(0x2029))));
        // What the box holds after the same move, measured whole.
        QString after = text;
        after.remove(from, to - from);
        after.insert(at < from ? at : at - (to - from), text.mid(from, to - from));
        QCOMPARE(found, findLongParagraph({u16(after)}));
        QCOMPARE(found, paragraph == 0 ? std::nullopt
                                       : std::optional(LongParagraph{std::size_t(paragraph),
                                                                     std::size_t(characters)}));
    }
};

QTEST_MAIN(LongParagraphsTest)
#include "long_paragraphs_test.moc"
