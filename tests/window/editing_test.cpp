// The user's text is never lost without a way back: Clear form and Check
// Articles replace box texts as undoable edits, Alt with a letter types
// nothing, and the pointer shows when the window is busy. Driven through the
// real widgets with key events, headless.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <optional>
#include <string>

#include "dog_training_article.h"
#include "window/form1.h"
#include "window/modal.h"
#include "window/text_box.h"

namespace {

// Every kind of code unit a box keeps as it is: a non-breaking space, a tab,
// a surrogate pair, a line separator, and line breaks.
const std::u16string kOdd = u"Caf\u00e9\u00a0au\tlait \U0001F375\u2028x\r\nsecond  line";

std::optional<Qt::CursorShape> overrideShape() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
}

}  // namespace

class EditingTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1> form;

    void checkArticles() {
        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        form->command1()->click();
    }

    void clearForm(QMessageBox::StandardButton answer) {
        // Enter answers with the default button, Yes.
        whenModalOpens([answer](QMessageBox* box) {
            if (answer == QMessageBox::Yes) {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                box->button(answer)->click();
            }
        });
        form->command2()->click();
    }

    static void undo(TextBox* box) { QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); }

  private slots:
    void initTestCase() { Form1::setUpApplication(); }
    void init() {
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void clearFormIsUndoneAndRedoneBoxByBox() {
        for (int k = 0; k < 4; ++k) {
            form->text1(k)->setText(kOdd + std::u16string(1, char16_t(u'0' + k)));
        }
        form->text2()->setText(u"3\t4\t\r\n5\t");
        form->label3(0)->setText(QStringLiteral("Words: 7"));
        clearForm(QMessageBox::Yes);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(form->text1(k)->text().empty());
            QVERIFY(form->label3(k)->text().isEmpty());
        }
        QVERIFY(form->text2()->text().empty());

        for (int k = 0; k < 4; ++k) {
            TextBox* box = form->text1(k);
            const std::u16string held = kOdd + std::u16string(1, char16_t(u'0' + k));
            undo(box);
            QCOMPARE(box->text(), held);
            QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY(box->text().empty());
            undo(box);
            QCOMPARE(box->text(), held);
            QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
            QVERIFY(box->text().empty());
        }
        // The context menu's Undo does the same.
        form->text2()->undo();
        QCOMPARE(form->text2()->text(), u"3\t4\t\r\n5\t");
    }

    void clearFormAnsweredNoKeepsTheHistory() {
        TextBox* box = form->text1(0);
        box->setText(u"kept");
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, QStringLiteral(" typed"));
        clearForm(QMessageBox::No);
        QCOMPARE(box->text(), u"kept typed");
        undo(box);
        QCOMPARE(box->text(), u"kept");
    }

    void checkArticlesIsUndoneBoxByBox() {
        form->text1(0)->setText(kestrelwick::testing::kDogs1);
        form->text1(1)->setText(kestrelwick::testing::kDogs2);
        const std::u16string untidy = std::u16string(kestrelwick::testing::kDogs3) + u"  \r\n \r\n";
        form->text1(2)->setText(untidy);
        checkArticles();
        const std::u16string firstSpin = form->text1(3)->text();
        const std::u16string firstGrid = form->text2()->text();
        QCOMPARE(form->text1(2)->text(), kestrelwick::testing::kDogs3);

        // Hand edits of the spin text come back after the next check.
        TextBox* output = form->text1(3);
        output->moveCursor(QTextCursor::End);
        QTest::keyClicks(output, QStringLiteral("my edit"));
        const std::u16string edited = output->text();
        form->text1(1)->moveCursor(QTextCursor::End);
        QTest::keyClicks(form->text1(1), QStringLiteral(" more"));
        checkArticles();
        QVERIFY(output->text() != edited);
        QVERIFY(output->text() != firstSpin);
        undo(output);
        QCOMPARE(output->text(), edited);

        // The grid was emptied and filled in one click: one step back.
        QVERIFY(form->text2()->text() != firstGrid);
        QTest::keyClick(form->text2(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->text2()->text(), firstGrid);

        // The tidied article comes back as it was typed.
        undo(form->text1(2));
        QCOMPARE(form->text1(2)->text(), untidy);

        // An article that the check left alone keeps its own history: the
        // typed word is the last edit there.
        undo(form->text1(1));
        QCOMPARE(form->text1(1)->text(), kestrelwick::testing::kDogs2);
    }

    void altWithALetterTypesNothing() {
        TextBox* box = form->text1(0);
        box->setText(u"abc");
        box->setFocus();
        box->moveCursor(QTextCursor::End);
        for (const Qt::Key key : {Qt::Key_C, Qt::Key_K, Qt::Key_L, Qt::Key_1}) {
            QTest::keyClick(box, key, Qt::AltModifier);
            QTest::keyClick(box, key, Qt::AltModifier | Qt::ShiftModifier);
        }
        QCOMPARE(box->text(), u"abc");

        // AltGr types, whether it comes as Ctrl+Alt or as a group switch.
        QTest::keyClick(box, '@', Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(box, '|', Qt::GroupSwitchModifier);
        QCOMPARE(box->text(), u"abc@|");

        // The Ctrl keys of a box work as before.
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("abc@|"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), u"abc@|abc@|");
        undo(box);
        QCOMPARE(box->text(), u"abc@|");
    }

    void pointerIsBusyWhileTheCheckWorks() {
        form->text1(0)->setText(kestrelwick::testing::kDogs1);
        form->text1(1)->setText(kestrelwick::testing::kDogs2);
        form->text1(2)->setText(kestrelwick::testing::kDogs3);
        std::optional<Qt::CursorShape> whileCounting;
        std::optional<Qt::CursorShape> whileReporting = Qt::ArrowCursor;
        std::optional<Qt::CursorShape> whileSpinning;
        connect(form->text2(), &QPlainTextEdit::textChanged, this,
                [&] { whileCounting = overrideShape(); });
        connect(form->text1(3), &QPlainTextEdit::textChanged, this,
                [&] { whileSpinning = overrideShape(); });
        whenModalOpens([&](QMessageBox* box) {
            whileReporting = overrideShape();
            box->button(QMessageBox::Ok)->click();
        });
        form->command1()->click();

        QCOMPARE(whileCounting, std::optional(Qt::WaitCursor));
        QCOMPARE(whileReporting, std::nullopt);
        QCOMPARE(whileSpinning, std::optional(Qt::WaitCursor));
        QCOMPARE(overrideShape(), std::nullopt);
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
