// The help window as the user meets it: F1 opens it (and brings it back
// rather than opening another), it tells the keys, the saved work's real
// place, the version and the licence, screen readers find it by name, and
// Escape closes it.

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QTextBrowser>
#include <QtTest>

#include "support/form_test.h"
#include "window/saved_state/saved_state.h"
#include "window/shortcuts.h"

using namespace kestrelwick;

class HelpWindowTest : public FormTest {
    Q_OBJECT

    QDialog* helpWindow() const { return form->findChild<QDialog*>(QStringLiteral("helpWindow")); }

  private slots:
    void f1OpensTheHelpAndEscapeClosesIt() {
        QTest::keyClick(form->articleBox(1), Qt::Key_F1);
        QPointer<QDialog> help = helpWindow();
        QVERIFY(help != nullptr);
        QTRY_VERIFY(help->isVisible());
        auto* text = help->findChild<QTextBrowser*>();
        QVERIFY(text != nullptr);
        const QString shown = text->toPlainText();
        QVERIFY(
            shown.startsWith(QStringLiteral("Kestrelwick checks three versions of one "
                                            "article")));
        for (const KeyRow& row : keyRows()) {
            QVERIFY2(shown.contains(keysText(row)) && shown.contains(doesText(row)),
                     qPrintable(doesText(row)));
        }
        QVERIFY(shown.contains(QDir::toNativeSeparators(SavedState::defaultPath())));
        QVERIFY(shown.contains(QStringLiteral("Kestrelwick ") + QApplication::applicationVersion() +
                               QStringLiteral(", free software under the MIT licence.")));
        QVERIFY(shown.contains(QStringLiteral("README")));
        QVERIFY(text->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(text);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Kestrelwick help"));
        QVERIFY(!accessible->text(QAccessible::Description).isEmpty());

        // F1 again, in the window, brings back the same help.
        QApplication::setActiveWindow(form.get());
        QTest::keyClick(form->outputBox(), Qt::Key_F1);
        QCOMPARE(form->findChildren<QDialog*>(QStringLiteral("helpWindow")).size(), 1);

        QTest::keyClick(text, Qt::Key_Escape);
        QTRY_VERIFY(help.isNull());
    }

    void aWindowThatKeepsNoWorkSaysSo() {
        form->setSavedWork({QStringLiteral("/elsewhere/boxes.state"), false});
        QTest::keyClick(form.get(), Qt::Key_F1);
        QDialog* help = helpWindow();
        QVERIFY(help != nullptr);
        const QString shown = help->findChild<QTextBrowser*>()->toPlainText();
        QVERIFY(shown.contains(
            QStringLiteral("This window saves nothing; its title says why. "
                           "The saved work stays in \"%1\"")
                .arg(QDir::toNativeSeparators(QStringLiteral("/elsewhere/boxes.state")))));
        help->close();
    }
};

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
