// The user's text is never lost without a way back: Clear form and Check
// Articles replace box texts as undoable edits, Alt with a letter types
// nothing, and the pointer shows when the window is busy. Driven through the
// real widgets with key events, headless.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <optional>
#include <string>

#include "processing/check_articles.h"
#include "support/dog_training_article.h"
#include "support/form_test.h"

using namespace kestrelwick;

namespace {

// Every kind of code unit a box keeps as it is: a non-breaking space, a tab,
// a surrogate pair, a line separator, and line breaks.
const std::u16string kOdd = u"Caf\u00e9\u00a0au\tlait \U0001F375\u2028x\r\nsecond  line";

std::optional<Qt::CursorShape> overrideShape() {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor != nullptr ? std::optional(cursor->shape()) : std::nullopt;
}

}  // namespace

class EditingTest : public FormTest {
    Q_OBJECT

  private:
    void checkArticles() { check(); }
    static void undo(TextBox* box) { QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); }

  private slots:
    void clearFormIsUndoneAndRedoneBoxByBox() {
        for (int k = 0; k < 4; ++k) {
            form->largeBox(k)->setText(kOdd + std::u16string(1, char16_t(u'0' + k)));
        }
        form->gridBox()->setText(u"3\t4\t\r\n5\t");
        form->countLabel(0)->setText(QStringLiteral("Words: 7"));
        clearForm(QMessageBox::Yes);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(form->largeBox(k)->text().empty());
            QVERIFY(form->countLabel(k)->text().isEmpty());
        }
        QVERIFY(form->gridBox()->text().empty());

        for (int k = 0; k < 4; ++k) {
            TextBox* box = form->largeBox(k);
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
        form->gridBox()->undo();
        QCOMPARE(form->gridBox()->text(), u"3\t4\t\r\n5\t");
    }

    void clearFormAnsweredNoKeepsTheHistory() {
        TextBox* box = form->articleBox(0);
        box->setText(u"kept");
        box->moveCursor(QTextCursor::End);
        QTest::keyClicks(box, QStringLiteral(" typed"));
        clearForm(QMessageBox::No);
        QCOMPARE(box->text(), u"kept typed");
        undo(box);
        QCOMPARE(box->text(), u"kept");
    }

    void checkArticlesIsUndoneBoxByBox() {
        form->articleBox(0)->setText(kestrelwick::testing::kDogs1);
        form->articleBox(1)->setText(kestrelwick::testing::kDogs2);
        const std::u16string untidy = std::u16string(kestrelwick::testing::kDogs3) + u"  \r\n \r\n";
        form->articleBox(2)->setText(untidy);
        checkArticles();
        const std::u16string firstSpin = form->outputBox()->text();
        const std::u16string firstGrid = form->gridBox()->text();
        QCOMPARE(form->articleBox(2)->text(), kestrelwick::testing::kDogs3);

        // Hand edits of the spin text come back after the next check.
        TextBox* output = form->outputBox();
        output->moveCursor(QTextCursor::End);
        QTest::keyClicks(output, QStringLiteral("my edit"));
        const std::u16string edited = output->text();
        form->articleBox(1)->moveCursor(QTextCursor::End);
        QTest::keyClicks(form->articleBox(1), QStringLiteral(" more"));
        checkArticles();
        QVERIFY(output->text() != edited);
        QVERIFY(output->text() != firstSpin);
        undo(output);
        QCOMPARE(output->text(), edited);

        // The grid was emptied and filled in one click: one step back.
        QVERIFY(form->gridBox()->text() != firstGrid);
        QTest::keyClick(form->gridBox(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->gridBox()->text(), firstGrid);

        // The tidied article comes back as it was typed.
        undo(form->articleBox(2));
        QCOMPARE(form->articleBox(2)->text(), untidy);

        // An article that the check left alone keeps its own history: the
        // typed word is the last edit there.
        undo(form->articleBox(1));
        QCOMPARE(form->articleBox(1)->text(), kestrelwick::testing::kDogs2);
    }

    void aCheckWithoutMemoryLeavesEveryBoxAsItWas() {
        form->articleBox(0)->setText(kestrelwick::testing::kDogs1);
        form->articleBox(1)->setText(kestrelwick::testing::kDogs2);
        const std::u16string untidy = std::u16string(kestrelwick::testing::kDogs3) + u"  \r\n";
        form->articleBox(2)->setText(untidy);
        form->outputBox()->setText(u"typed earlier");
        form->countLabel(0)->setText(QStringLiteral("Words: 3"));

        // Every message is answered as it comes, the report and the warning.
        QStringList messages;
        {
            EveryMessageAnswered answered;
            // Too little for the check's working buffers.
            kestrelwick::limitWorkingMemory(256);
            form->checkButton()->click();
            kestrelwick::limitWorkingMemory(0);
            messages = answered.texts;
        }

        QVERIFY(!messages.isEmpty());
        QCOMPARE(messages.last(), QStringLiteral("There is not enough memory to check these "
                                                 "articles. The boxes are as they were."));
        QCOMPARE(form->articleBox(2)->text(), untidy);
        QCOMPARE(form->outputBox()->text(), u"typed earlier");
        QVERIFY(form->gridBox()->text().empty());
        QCOMPARE(form->countLabel(0)->text(), QStringLiteral("Words: 3"));
        QCOMPARE(overrideShape(), std::nullopt);

        // The window goes on working.
        checkArticles();
        QCOMPARE(form->outputBox()->text(), kestrelwick::testing::kDogsSpin);
    }

    void altWithALetterTypesNothing() {
        TextBox* box = form->articleBox(0);
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
        fillWorkedExample();
        std::optional<Qt::CursorShape> whileCounting;
        std::optional<Qt::CursorShape> whileReporting = Qt::ArrowCursor;
        std::optional<Qt::CursorShape> whileSpinning;
        connect(form->gridBox(), &QPlainTextEdit::textChanged, this,
                [&] { whileCounting = overrideShape(); });
        connect(form->outputBox(), &QPlainTextEdit::textChanged, this,
                [&] { whileSpinning = overrideShape(); });
        whenModalOpens([&](QMessageBox* box) {
            whileReporting = overrideShape();
            box->button(QMessageBox::Ok)->click();
        });
        form->checkButton()->click();

        QCOMPARE(whileCounting, std::optional(Qt::WaitCursor));
        QCOMPARE(whileReporting, std::nullopt);
        QCOMPARE(whileSpinning, std::optional(Qt::WaitCursor));
        QCOMPARE(overrideShape(), std::nullopt);
    }

    void pointerIsBusyWhileClearFormEmptiesTheBoxes() {
        fillWorkedExample();
        std::optional<Qt::CursorShape> whileAsking = Qt::ArrowCursor;
        std::optional<Qt::CursorShape> whileEmptying;
        connect(form->articleBox(0), &QPlainTextEdit::textChanged, this,
                [&] { whileEmptying = overrideShape(); });
        whenModalOpens([&](QMessageBox* box) {
            whileAsking = overrideShape();
            box->button(QMessageBox::Yes)->click();
        });
        form->clearButton()->click();
        QVERIFY(form->articleBox(0)->text().empty());
        QCOMPARE(whileAsking, std::nullopt);
        QCOMPARE(whileEmptying, std::optional(Qt::WaitCursor));
        QCOMPARE(overrideShape(), std::nullopt);
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
