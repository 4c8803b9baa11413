// The spin format and the preview of a spun article, driven through the real
// window: the choice under the output box (keys, settings, what it changes),
// F9 and the output box's menu, and a broken group found for the user.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <set>

#include "support/form_test.h"
#include "window/spin_format_choice.h"

using namespace kestrelwick;

namespace {

// Runs handle on the next dialog once it is shown, then closes it.
void whenPreviewOpens(std::function<void(QDialog*)> handle) {
    whenDialogOpens<QDialog>([handle](QDialog* dialog) {
        handle(dialog);
        dialog->close();
    });
}

QPushButton* buttonNamed(QDialog* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text().remove(u'&') == text) {
            return button;
        }
    }
    return nullptr;
}

}  // namespace

class SpinFormatTest : public FormTest {
    Q_OBJECT

  private slots:
    void theChoiceChangesTheOutputAndTheNotes() {
        SpinFormatChoice* choice = form->formatChoice();
        QCOMPARE(choice->format(), SpinFormat::Ama);
        QCOMPARE(choice->accessibleName(), QStringLiteral("Spin format"));
        QVERIFY(QAccessible::queryAccessibleInterface(choice)
                    ->text(QAccessible::Value)
                    .contains(QStringLiteral("AMA")));

        fill(u"One\r\nA cup | a mug", u"Two\r\nA glass", u"Three\r\nA bowl ~ a plate");
        QStringList shown = check();
        QCOMPARE(form->outputBox()->text(),
                 u"{One~Two~Three}\r\n\r\n\r\n{A cup | a mug~A glass~A bowl ~ a plate}\r\n\r\n");
        QVERIFY(shown[1].contains(QStringLiteral("Article 3: paragraph 2 contains {, } or ~")));

        // The keyboard changes the choice; the output box follows where it can.
        choice->setFocus(Qt::TabFocusReason);
        QTest::keyClick(choice, Qt::Key_Down);
        QCOMPARE(choice->format(), SpinFormat::Pipe);
        QVERIFY(QAccessible::queryAccessibleInterface(choice)
                    ->text(QAccessible::Value)
                    .contains(QStringLiteral("Pipe")));
        // A version holds |, the pipe format's separator: the text is left.
        QCOMPARE(form->outputBox()->text(),
                 u"{One~Two~Three}\r\n\r\n\r\n{A cup | a mug~A glass~A bowl ~ a plate}\r\n\r\n");
        shown = check();
        QCOMPARE(form->outputBox()->text(),
                 u"{One|Two|Three}\r\n\r\n\r\n{A cup | a mug|A glass|A bowl ~ a plate}\r\n\r\n");
        QVERIFY(shown[1].contains(QStringLiteral("Article 1: paragraph 2 contains {, } or |")));
        QVERIFY(!shown[1].contains(QStringLiteral("Article 3")));

        // Without such a version, back to AMA format rewrites the output, as
        // one edit that Ctrl+Z takes back.
        fill(u"One\r\nA cup", u"Two\r\nA glass", u"Three\r\nA bowl");
        check();
        QCOMPARE(form->outputBox()->text(),
                 u"{One|Two|Three}\r\n\r\n\r\n{A cup|A glass|A bowl}\r\n\r\n");
        QTest::keyClick(choice, Qt::Key_Up);
        QCOMPARE(choice->format(), SpinFormat::Ama);
        QCOMPARE(form->outputBox()->text(),
                 u"{One~Two~Three}\r\n\r\n\r\n{A cup~A glass~A bowl}\r\n\r\n");
        form->outputBox()->undo();
        QCOMPARE(form->outputBox()->text(),
                 u"{One|Two|Three}\r\n\r\n\r\n{A cup|A glass|A bowl}\r\n\r\n");
    }

    void theChoiceIsKeptAcrossARestart() {
        form->formatChoice()->setFormat(SpinFormat::Pipe);
        form.reset();
        init();
        // init() starts from AMA: a second window of this run reads the setting.
        form->formatChoice()->setFormat(SpinFormat::Pipe);
        form = std::make_unique<Form1>();
        QCOMPARE(form->formatChoice()->format(), SpinFormat::Pipe);
        form->formatChoice()->setFormat(SpinFormat::Ama);
        form = std::make_unique<Form1>();
        QCOMPARE(form->formatChoice()->format(), SpinFormat::Ama);
    }

    void thePreviewIsMadeOfTheOutputBoxsAlternatives() {
        fillWorkedExample();
        check();
        const std::set<QString> versions = {QStringLiteral("Dog Training Tips"),
                                            QStringLiteral("Tips For Training Dogs"),
                                            QStringLiteral("How To Train A Dog")};
        std::set<QString> titles;
        QString copied;
        whenPreviewOpens([&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Preview a spun article"));
            auto* article = dialog->findChild<QPlainTextEdit*>();
            QVERIFY(article != nullptr);
            QVERIFY(article->isReadOnly());
            QVERIFY(article->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
            for (int spin = 0; spin < 40; ++spin) {
                const QStringList lines = article->toPlainText().split(u'\n');
                QCOMPARE(lines.size(), 10);  // four paragraphs, the line breaks between
                titles.insert(lines[0]);
                buttonNamed(dialog, QStringLiteral("Spin again"))->click();
            }
            buttonNamed(dialog, QStringLiteral("Copy article"))->click();
            copied = QApplication::clipboard()->text();
            QCOMPARE(copied, article->toPlainText());
        });
        // The headless platform gives activation back to no window once a
        // message box closes.
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_F9);
        QCOMPARE(titles, versions);  // every alternative comes up
        QVERIFY(copied.startsWith(u'D') || copied.startsWith(u'T') || copied.startsWith(u'H'));
    }

    void aBrokenGroupIsFoundForTheUser() {
        form->outputBox()->setText(u"{a~b}\r\nx {c~d\r\n");
        QString said;
        dismissNextModal(said);
        QTest::keyClick(form.get(), Qt::Key_F9);
        QCOMPARE(said, QStringLiteral("The spin text cannot be spun: line 2, column 3: a { has "
                                      "no } to close it."));
        const QTextCursor cursor = form->outputBox()->textCursor();
        QCOMPARE(cursor.blockNumber(), 1);
        QCOMPARE(cursor.positionInBlock(), 2);
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget(), form->outputBox());
    }
};

QTEST_MAIN(SpinFormatTest)
#include "spin_format_test.moc"
