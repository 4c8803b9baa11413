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

#include "dog_training_article.h"
#include "processing/working_memory.h"
#include "window/form1.h"
#include "window/modal.h"
#include "window/text_box.h"
#include "window/worked_example.h"

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

    void aCheckWithoutMemoryLeavesEveryBoxAsItWas() {
        form->text1(0)->setText(kestrelwick::testing::kDogs1);
        form->text1(1)->setText(kestrelwick::testing::kDogs2);
        const std::u16string untidy = std::u16string(kestrelwick::testing::kDogs3) + u"  \r\n";
        form->text1(2)->setText(untidy);
        form->text1(3)->setText(u"typed earlier");
        form->label3(0)->setText(QStringLiteral("Words: 3"));

        // Every message is answered as it comes, the report and the warning.
        QStringList messages;
        QTimer answerer;
        connect(&answerer, &QTimer::timeout, this, [&messages] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages << box->text();
                box->button(QMessageBox::Ok)->click();
            }
        });
        answerer.start(5);
        // Too little for the check's working buffers, which it asks for once
        // it has tidied the articles.
        kestrelwick::limitWorkingMemory(256);
        form->command1()->click();
        kestrelwick::limitWorkingMemory(0);
        answerer.stop();

        QVERIFY(!messages.isEmpty());
        QCOMPARE(messages.last(), QStringLiteral("There is not enough memory to check these "
                                                 "articles. The boxes are as they were."));
        QCOMPARE(form->text1(2)->text(), untidy);
        QCOMPARE(form->text1(3)->text(), u"typed earlier");
        QVERIFY(form->text2()->text().empty());
        QCOMPARE(form->label3(0)->text(), QStringLiteral("Words: 3"));
        QCOMPARE(overrideShape(), std::nullopt);

        // The window goes on working.
        checkArticles();
        QCOMPARE(form->text1(3)->text(), kestrelwick::testing::kDogsSpin);
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
        fillWorkedExample(*form);
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

  private:
    // Files dragged from a file manager, as it sends them: their addresses
    // and, beside them, the same as text.
    static std::unique_ptr<QMimeData> filesData(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths) {
            urls << QUrl::fromLocalFile(path);
        }
        data->setUrls(urls);
        QString text;
        for (const QUrl& url : urls) {
            text += url.toString() + u'\n';
        }
        data->setText(text);
        return data;
    }

    // Whether the box would take the drop: the pointer shows the action.
    static bool dragAccepted(TextBox* box, const QMimeData* data) {
        QDragEnterEvent enter(box->viewport()->rect().center(), Qt::CopyAction, data,
                              Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &enter);
        return enter.isAccepted() && enter.dropAction() != Qt::IgnoreAction;
    }

    static void drop(TextBox* box, const QMimeData* data) {
        QDropEvent event(QPointF(box->viewport()->rect().center()), Qt::CopyAction, data,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &event);
    }

    // Drags the data onto the box and drops it all the same, as a user can
    // where the pointer shows that the drop will not be taken.
    QString dropAndReadMessage(TextBox* box, const QMimeData* data) {
        QString message;
        if (dragAccepted(box, data)) {
            return QStringLiteral("the drag is taken");
        }
        dismissNextModal(message);
        drop(box, data);
        return message;
    }

    // Writes a file of the given name into dir and returns its path.
    static QString fileIn(const QTemporaryDir& dir, const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            QTest::qFail("cannot write a test file", __FILE__, __LINE__);
        }
        return path;
    }

  private slots:
    void droppedFilesFillTheArticleBoxes() {
        QTemporaryDir dir;
        const QString one = fileIn(dir, "one.txt", "Title one\nBody one\n");
        const QString two =
            fileIn(dir, "two.txt", "\xef\xbb\xbfTitle two\r\nBody \xe2\x80\x9ctwo\xe2\x80\x9d");
        const QString three = fileIn(dir, "three.txt", "Title three\rBody \x93three\x94");

        // One file on article box 2 replaces its text, as one undoable edit.
        form->text1(1)->setText(u"typed before");
        const auto single = filesData({one});
        QVERIFY(dragAccepted(form->text1(1), single.get()));
        drop(form->text1(1), single.get());
        QCOMPARE(form->text1(1)->text(), u"Title one\r\nBody one\r\n");
        undo(form->text1(1));
        QCOMPARE(form->text1(1)->text(), u"typed before");

        // Three files on article box 1 fill the three article boxes in order.
        const auto all = filesData({one, two, three});
        QVERIFY(dragAccepted(form->text1(0), all.get()));
        drop(form->text1(0), all.get());
        QCOMPARE(form->text1(0)->text(), u"Title one\r\nBody one\r\n");
        QCOMPARE(form->text1(1)->text(), u"Title two\r\nBody \u201ctwo\u201d");
        QCOMPARE(form->text1(2)->text(), u"Title three\r\nBody \u201cthree\u201d");
        QVERIFY(form->text1(3)->text().empty());
    }

    void dropsThatCannotBeTakenChangeNothing() {
        QTemporaryDir dir;
        const QString one = fileIn(dir, "one.txt", "Title one");
        const QString binary =
            fileIn(dir, "picture.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        for (int k = 0; k < 3; ++k) {
            form->text1(k)->setText(u"kept " + std::u16string(1, char16_t(u'1' + k)));
        }

        // Two files on article box 3: one box left. The drag is refused there,
        // and a drop that comes all the same is explained.
        const auto two = filesData({one, one});
        QVERIFY(dragAccepted(form->text1(1), two.get()));
        QCOMPARE(dropAndReadMessage(form->text1(2), two.get()),
                 QStringLiteral("2 files were dropped on article box 3, but only 1 article box "
                                "is from there on. Nothing was changed."));

        // Files on the output box or the grid.
        const auto single = filesData({one});
        QVERIFY(!dragAccepted(form->text1(3), single.get()));
        QVERIFY(!dragAccepted(form->text2(), single.get()));
        const QString onOutput = QStringLiteral(
            "Files can be dropped on the three article boxes only; this box gets its text from "
            "Check Articles.");
        QCOMPARE(dropAndReadMessage(form->text1(3), single.get()), onOutput);
        QCOMPARE(dropAndReadMessage(form->text2(), single.get()), onOutput);

        // A file that is no text, beside one that is: nothing changes.
        const auto mixed = filesData({one, binary});
        QVERIFY(dragAccepted(form->text1(0), mixed.get()));  // not read before the drop
        QString refusal;
        dismissNextModal(refusal);
        drop(form->text1(0), mixed.get());
        QCOMPARE(refusal, QStringLiteral("Cannot read \"%1\": it is not a text file (it holds NUL "
                                         "characters).\nNothing was changed.")
                              .arg(binary));

        for (int k = 0; k < 3; ++k) {
            QCOMPARE(form->text1(k)->text(), u"kept " + std::u16string(1, char16_t(u'1' + k)));
        }
        QVERIFY(form->text1(3)->text().empty());
        QVERIFY(form->text2()->text().empty());
    }

    void filesNamedAtStartFillTheBoxesOrSayWhyNot() {
        QTemporaryDir dir;
        const QString one = fileIn(dir, "one.txt", "First\nversion");
        const QString missing = dir.filePath(QStringLiteral("missing.txt"));
        const QString three = fileIn(dir, "three.txt", "");
        form->text1(2)->setText(u"not yet");
        QString message;
        dismissNextModal(message);
        form->openArticleFiles({one, missing, three});
        QCOMPARE(form->text1(0)->text(), u"First\r\nversion");
        QVERIFY(form->text1(1)->text().empty());
        QVERIFY(form->text1(2)->text().empty());  // an empty file is an empty article
        // The message comes once the window is up and its event loop runs.
        QVERIFY(message.isEmpty());
        QTRY_COMPARE(message,
                     QStringLiteral("Cannot read \"%1\": there is no such file.").arg(missing));
    }

    void moreFilesThanBoxesFillThreeAndNameTheRest() {
        QTemporaryDir dir;
        QStringList paths;
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
            paths << fileIn(dir, name, name);
        }
        QString message;
        dismissNextModal(message);
        form->openArticleFiles(paths);
        QCOMPARE(form->text1(0)->text(), u"a.txt");
        QCOMPARE(form->text1(1)->text(), u"b.txt");
        QCOMPARE(form->text1(2)->text(), u"c.txt");
        QTRY_COMPARE(message, QStringLiteral("There are three article boxes, so these 2 files "
                                             "were not opened:\n%1\n%2")
                                  .arg(paths[3], paths[4]));

        // One file left out, and a refusal besides: one message says both.
        dismissNextModal(message);
        form->openArticleFiles({paths[0], QStringLiteral("-"), paths[2], paths[3]});
        QCOMPARE(form->text1(1)->text(), u"b.txt");  // a refused file changes nothing
        QTRY_COMPARE(message,
                     QStringLiteral("Cannot read \"-\": standard input is read only with "
                                    "--check.\n\nThere are three article boxes, so this file "
                                    "was not opened:\n") +
                         paths[3]);
    }

    void pointerIsBusyWhileClearFormEmptiesTheBoxes() {
        fillWorkedExample(*form);
        std::optional<Qt::CursorShape> whileAsking = Qt::ArrowCursor;
        std::optional<Qt::CursorShape> whileEmptying;
        connect(form->text1(0), &QPlainTextEdit::textChanged, this,
                [&] { whileEmptying = overrideShape(); });
        whenModalOpens([&](QMessageBox* box) {
            whileAsking = overrideShape();
            box->button(QMessageBox::Yes)->click();
        });
        form->command2()->click();
        QVERIFY(form->text1(0)->text().empty());
        QCOMPARE(whileAsking, std::nullopt);
        QCOMPARE(whileEmptying, std::optional(Qt::WaitCursor));
        QCOMPARE(overrideShape(), std::nullopt);
    }

    void textDraggedAsTextDropsAsText() {
        QMimeData data;
        data.setText(QStringLiteral("dragged words"));
        TextBox* box = form->text1(0);
        QVERIFY(dragAccepted(box, &data));
        drop(box, &data);
        QCOMPARE(box->text(), u"dragged words");
        // An address of the web is text too.
        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://kestrelwick.example/a.txt"))});
        web.setText(QStringLiteral("https://kestrelwick.example/a.txt"));
        QVERIFY(dragAccepted(form->text1(3), &web));
    }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
