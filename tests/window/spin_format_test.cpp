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

#include "files/files.h"
#include "processing/check_articles.h"
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

        // The keyboard changes the choice. The box holds the check's spin
        // text: it is written again in the pipe format, as a check in it
        // writes it, the ~ in a version left as plain text.
        choice->setFocus(Qt::TabFocusReason);
        QTest::keyClick(choice, Qt::Key_Down);
        QCOMPARE(choice->format(), SpinFormat::Pipe);
        QVERIFY(QAccessible::queryAccessibleInterface(choice)
                    ->text(QAccessible::Value)
                    .contains(QStringLiteral("Pipe")));
        const std::u16string pipe =
            u"{One|Two|Three}\r\n\r\n\r\n{A cup | a mug|A glass|A bowl ~ a plate}\r\n\r\n";
        QCOMPARE(form->outputBox()->text(), pipe);
        shown = check();
        QCOMPARE(form->outputBox()->text(), pipe);
        QVERIFY(shown[1].contains(QStringLiteral("Article 1: paragraph 2 contains {, } or |")));
        QVERIFY(!shown[1].contains(QStringLiteral("Article 3")));

        // Undo and redo of a switch bring the choice back with the text.
        QTest::keyClick(choice, Qt::Key_Up);
        QCOMPARE(form->outputBox()->text(),
                 u"{One~Two~Three}\r\n\r\n\r\n{A cup | a mug~A glass~A bowl ~ a plate}\r\n\r\n");
        form->outputBox()->setFocus();
        QTest::keyClick(form->outputBox(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->outputBox()->text(), pipe);
        QCOMPARE(choice->format(), SpinFormat::Pipe);
        QCOMPARE(choice->currentIndex(), int(SpinFormat::Pipe));
        QTest::keyClick(form->outputBox(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(choice->format(), SpinFormat::Ama);
        QCOMPARE(choice->currentIndex(), int(SpinFormat::Ama));
    }

    // The garden example, whose third article holds a ~: after a check in
    // AMA format, the pipe format gives what --check --format pipe writes.
    void aSwitchWritesWhatACheckInTheFormatWrites() {
        std::array<std::u16string, 3> garden;
        for (std::size_t k = 0; k < 3; ++k) {
            const ArticleFile file = readArticleFile(
                QStringLiteral(KESTRELWICK_SOURCE_DIR "/docs/examples/garden-%1.txt").arg(k + 1));
            QVERIFY(file.read());
            garden[k] = file.text;
        }
        fill(garden[0], garden[1], garden[2]);
        check();
        form->formatChoice()->setFormat(SpinFormat::Pipe);
        const std::array<std::u16string, 3> tidied = {
            form->articleBox(0)->text(), form->articleBox(1)->text(), form->articleBox(2)->text()};
        const CheckResult pipe = checkArticles({tidied[0], tidied[1], tidied[2]}, SpinFormat::Pipe);
        const std::u16string expected(writeSpinText(pipe.spinText, SpinFormat::Pipe));
        QCOMPARE(form->outputBox()->text(), expected);
        QVERIFY(expected.find(u"prepare ~ well") != std::u16string::npos);
    }

    // An edited spin text: a switch that would split an alternative is
    // refused with its place, one that cannot be read is asked about.
    void aRefusedSwitchLeavesTextAndChoiceTogether() {
        SpinFormatChoice* choice = form->formatChoice();
        form->outputBox()->setText(u"{a~b}\r\n{c|d~e}\r\n");
        QString said;
        dismissNextModal(said);
        choice->setFormat(SpinFormat::Pipe);
        QCOMPARE(said, QStringLiteral("The spin text stays in AMA format: at line 2, column 3 an "
                                      "alternative holds |, which the pipe format reads as a "
                                      "separator, so writing the text in it would split that "
                                      "alternative."));
        QCOMPARE(choice->format(), SpinFormat::Ama);
        QCOMPARE(choice->currentIndex(), int(SpinFormat::Ama));
        QCOMPARE(form->outputBox()->text(), u"{a~b}\r\n{c|d~e}\r\n");

        form->outputBox()->setText(u"{a~b\r\n");
        dismissNextModal(said);  // No
        choice->setFormat(SpinFormat::Pipe);
        QVERIFY(
            said.startsWith(QStringLiteral("The spin text cannot be spun in AMA format "
                                           "(line 1, column 1: a { has no } to close it)")));
        QCOMPARE(choice->format(), SpinFormat::Ama);
        QCOMPARE(form->outputBox()->text(), u"{a~b\r\n");

        // Hand-edited groups that allow it: only their separators change.
        form->outputBox()->setText(u"x ~ {a~b} | y\r\n");
        choice->setFormat(SpinFormat::Pipe);
        QCOMPARE(form->outputBox()->text(), u"x ~ {a|b} | y\r\n");
        QCOMPARE(QAccessible::queryAccessibleInterface(choice)->text(QAccessible::Name),
                 QStringLiteral("Spin format"));
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

    void anEmptyOutputBoxSaysHowToFillIt() {
        QString said;
        dismissNextModal(said);
        QTest::keyClick(form.get(), Qt::Key_F9);
        QCOMPARE(said, QStringLiteral("There is no spin text yet. Press Check Articles to write "
                                      "it into the output box, or paste one there; then F9 "
                                      "spins an article from it."));
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
