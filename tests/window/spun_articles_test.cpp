// Files in and out of the window, driven as a user does: Ctrl+S saves the
// spin text, Ctrl+O opens an article into the box with the focus, or a spin
// text into the output box, "Save spun articles…" writes a batch (and Cancel
// leaves nothing), and the preview shows the seed that gives its article.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <variant>

#include "files/files.h"
#include "processing/spinning.h"
#include "support/form_test.h"
#include "window/spin_format_choice.h"
#include "window/spun_articles/spun_articles.h"

using namespace kestrelwick;
using namespace kestrelwick::testing;

namespace {

// Answers the next file dialog with a file in it, as a user picks one.
void answerFileDialog(const QString& file) {
    whenDialogOpens<QFileDialog>([file](QFileDialog* dialog) {
        dialog->selectFile(file);
        static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
    });
}

// The action of a menu item, by its text without the underlined letter.
QAction* actionNamed(QWidget* widget, const QString& text) {
    for (QAction* action : widget->findChildren<QAction*>()) {
        if (QString(action->text()).remove(u'&') == text) {
            return action;
        }
    }
    return nullptr;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SpunArticlesTest : public FormTest {
    Q_OBJECT

    QTemporaryDir folder;

    void activate() {
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

  private slots:
    void ctrlSSavesTheSpinTextAsTheCommandLineWritesIt() {
        fillWorkedExample();
        check();
        activate();
        const QString path = folder.filePath(QStringLiteral("dogs-spin.txt"));
        answerFileDialog(path);
        QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(contentsOf(path), fileBytesOf(kDogsSpin));
        // The next dialog opens where this one was left.
        QString opened;
        whenDialogOpens<QFileDialog>([&opened](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
        QVERIFY(actionNamed(form.get(), QStringLiteral("Save spin text as…")) != nullptr);
        actionNamed(form.get(), QStringLiteral("Save spin text as…"))->trigger();
        QCOMPARE(opened, QDir(folder.path()).absolutePath());
    }

    void ctrlOOpensFilesIntoTheFocusedBoxAsADropDoes() {
        fill(u"one", u"two", u"three");
        const QString first = folder.filePath(QStringLiteral("first.txt"));
        const QString second = folder.filePath(QStringLiteral("second.txt"));
        {
            QFile file(first);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Opened\nfrom a file\n");
        }
        {
            QFile file(second);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("And another");
        }
        activate();
        form->articleBox(1)->setFocus();
        answerFileDialog(first);
        QTest::keyClick(form->articleBox(1), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(form->articleBox(1)->text(), u"Opened\r\nfrom a file\r\n");
        QCOMPARE(form->articleBox(0)->text(), u"one");
        form->articleBox(1)->undo();  // one step, as a drop
        QCOMPARE(form->articleBox(1)->text(), u"two");

        // Two files fill the box and the one after it.
        whenDialogOpens<QFileDialog>([&](QFileDialog* dialog) {
            // Both picked, as the dialog's own file name box takes them.
            dialog->selectFile(first);
            auto* names = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            names->setText(QStringLiteral("\"%1\" \"%2\"").arg(first, second));
            static_cast<QDialog*>(dialog)->accept();
        });
        activate();  // the headless platform leaves no window active after a dialog
        form->articleBox(1)->setFocus();
        QTest::keyClick(form->articleBox(1), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(form->articleBox(1)->text(), u"Opened\r\nfrom a file\r\n");
        QCOMPARE(form->articleBox(2)->text(), u"And another");
    }

    // A saved spin text opens back into the output box, and the choice
    // names its format: one edit, which Ctrl+Z takes back with the choice.
    void ctrlOInTheOutputBoxOpensASpinText() {
        const struct {
            QByteArray bytes;
            std::u16string text;
            SpinFormat format, before;
            QString name;
        } cases[] = {
            {"{One~Two}\n\n{a~b~c}\n", u"{One~Two}\r\n\r\n{a~b~c}\r\n", SpinFormat::Ama,
             SpinFormat::Pipe, QStringLiteral("Spin text output, AMA format")},
            {"\xef\xbb\xbf{One|Two}\r\n\r\n{a|b|c}", u"{One|Two}\r\n\r\n{a|b|c}", SpinFormat::Pipe,
             SpinFormat::Ama, QStringLiteral("Spin text output, pipe format")},
        };
        const QString path = folder.filePath(QStringLiteral("opened-spin.txt"));
        form->articleBox(0)->setText(u"one");
        for (const auto& spin : cases) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(spin.bytes);
            file.close();
            form->outputBox()->setText(u"kept");
            form->formatChoice()->setFormat(spin.before);
            activate();
            form->outputBox()->setFocus();
            answerFileDialog(path);
            QTest::keyClick(form->outputBox(), Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(form->outputBox()->text(), spin.text);
            QCOMPARE(form->formatChoice()->format(), spin.format);
            QCOMPARE(form->outputBox()->accessibleName(), spin.name);
            QCOMPARE(form->articleBox(0)->text(), u"one");  // not an article
            form->outputBox()->undo();
            QCOMPARE(form->outputBox()->text(), u"kept");
            QCOMPARE(form->formatChoice()->format(), spin.before);
            form->outputBox()->redo();
            QCOMPARE(form->formatChoice()->format(), spin.format);
        }
    }

    void thePreviewShowsTheSeedThatGivesItsArticle() {
        fillWorkedExample();
        check();
        activate();
        QString seedText;
        QString shown;
        whenDialogOpens<QDialog>([&](QDialog* dialog) {
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->text().startsWith(QStringLiteral("Seed "))) {
                    seedText = label->text();
                }
            }
            shown = dialog->findChild<QPlainTextEdit*>()->toPlainText();
            dialog->close();
        });
        QTest::keyClick(form.get(), Qt::Key_F9);
        const QRegularExpressionMatch seed =
            QRegularExpression(QStringLiteral("^Seed (\\d+): kestrelwick --spin --seed \\1 gives "
                                              "this article from this spin text\\.$"))
                .match(seedText);
        QVERIFY2(seed.hasMatch(), qPrintable(seedText));
        SpinRandom random(seed.captured(1).toULongLong());
        const auto article = spinArticle(kDogsSpin, SpinFormat::Ama, random);
        QString expected = QString::fromStdU16String(std::get<std::u16string>(article));
        QCOMPARE(shown, expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
};

QTEST_MAIN(SpunArticlesTest)
#include "spun_articles_test.moc"
