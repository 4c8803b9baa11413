// Articles from files in the window: files dropped on the boxes, files named
// when the program starts, and text dragged as text. Driven through the real
// widgets with drag and drop events, headless.

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <string>

#include "support/form_test.h"

using namespace kestrelwick;

class ArticleFilesTest : public FormTest {
    Q_OBJECT

  private:
    static void undo(TextBox* box) { QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); }
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
        form->articleBox(1)->setText(u"typed before");
        const auto single = filesData({one});
        QVERIFY(dragAccepted(form->articleBox(1), single.get()));
        drop(form->articleBox(1), single.get());
        QCOMPARE(form->articleBox(1)->text(), u"Title one\r\nBody one\r\n");
        undo(form->articleBox(1));
        QCOMPARE(form->articleBox(1)->text(), u"typed before");

        // Three files on article box 1 fill the three article boxes in order.
        const auto all = filesData({one, two, three});
        QVERIFY(dragAccepted(form->articleBox(0), all.get()));
        drop(form->articleBox(0), all.get());
        QCOMPARE(form->articleBox(0)->text(), u"Title one\r\nBody one\r\n");
        QCOMPARE(form->articleBox(1)->text(), u"Title two\r\nBody \u201ctwo\u201d");
        QCOMPARE(form->articleBox(2)->text(), u"Title three\r\nBody \u201cthree\u201d");
        QVERIFY(form->outputBox()->text().empty());
    }

    void dropsThatCannotBeTakenChangeNothing() {
        QTemporaryDir dir;
        const QString one = fileIn(dir, "one.txt", "Title one");
        const QString binary =
            fileIn(dir, "picture.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        for (int k = 0; k < 3; ++k) {
            form->largeBox(k)->setText(u"kept " + std::u16string(1, char16_t(u'1' + k)));
        }

        // Two files on article box 3: one box left. The drag is refused there,
        // and a drop that comes all the same is explained.
        const auto two = filesData({one, one});
        QVERIFY(dragAccepted(form->articleBox(1), two.get()));
        QCOMPARE(dropAndReadMessage(form->articleBox(2), two.get()),
                 QStringLiteral("2 files were dropped on article box 3, but only 1 article box "
                                "is from there on. Nothing was changed."));

        // Files on the output box or the grid.
        const auto single = filesData({one});
        QVERIFY(!dragAccepted(form->outputBox(), single.get()));
        QVERIFY(!dragAccepted(form->gridBox(), single.get()));
        const QString onOutput = QStringLiteral(
            "Files can be dropped on the three article boxes only; this box gets its text from "
            "Check Articles.");
        QCOMPARE(dropAndReadMessage(form->outputBox(), single.get()), onOutput);
        QCOMPARE(dropAndReadMessage(form->gridBox(), single.get()), onOutput);

        // A file that is no text, beside one that is: nothing changes.
        const auto mixed = filesData({one, binary});
        QVERIFY(dragAccepted(form->articleBox(0), mixed.get()));  // not read before the drop
        QString refusal;
        dismissNextModal(refusal);
        drop(form->articleBox(0), mixed.get());
        QCOMPARE(refusal, QStringLiteral("Cannot read \"%1\": it is not a text file (it holds NUL "
                                         "characters).\nNothing was changed.")
                              .arg(binary));

        for (int k = 0; k < 3; ++k) {
            QCOMPARE(form->largeBox(k)->text(), u"kept " + std::u16string(1, char16_t(u'1' + k)));
        }
        QVERIFY(form->outputBox()->text().empty());
        QVERIFY(form->gridBox()->text().empty());
    }

    void filesNamedAtStartFillTheBoxesOrSayWhyNot() {
        QTemporaryDir dir;
        const QString one = fileIn(dir, "one.txt", "First\nversion");
        const QString missing = dir.filePath(QStringLiteral("missing.txt"));
        const QString three = fileIn(dir, "three.txt", "");
        form->articleBox(2)->setText(u"not yet");
        QString message;
        dismissNextModal(message);
        form->openArticleFiles({one, missing, three});
        QCOMPARE(form->articleBox(0)->text(), u"First\r\nversion");
        QVERIFY(form->articleBox(1)->text().empty());
        QVERIFY(form->articleBox(2)->text().empty());  // an empty file is an empty article
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
        QCOMPARE(form->articleBox(0)->text(), u"a.txt");
        QCOMPARE(form->articleBox(1)->text(), u"b.txt");
        QCOMPARE(form->articleBox(2)->text(), u"c.txt");
        QTRY_COMPARE(message, QStringLiteral("There are three article boxes, so these 2 files "
                                             "were not opened:\n%1\n%2")
                                  .arg(paths[3], paths[4]));

        // One file left out, and a refusal besides: one message says both.
        dismissNextModal(message);
        form->openArticleFiles({paths[0], QStringLiteral("-"), paths[2], paths[3]});
        QCOMPARE(form->articleBox(1)->text(), u"b.txt");  // a refused file changes nothing
        QTRY_COMPARE(
            message,
            QStringLiteral("Cannot read \"-\": standard input is read only by "
                           "--check and --spin.\n\nThere are three article boxes, so this file "
                           "was not opened:\n") +
                paths[3]);
    }

    void textDraggedAsTextDropsAsText() {
        QMimeData data;
        data.setText(QStringLiteral("dragged words"));
        TextBox* box = form->articleBox(0);
        QVERIFY(dragAccepted(box, &data));
        drop(box, &data);
        QCOMPARE(box->text(), u"dragged words");
        // An address of the web is text too.
        QMimeData web;
        web.setUrls({QUrl(QStringLiteral("https://kestrelwick.example/a.txt"))});
        web.setText(QStringLiteral("https://kestrelwick.example/a.txt"));
        QVERIFY(dragAccepted(form->outputBox(), &web));
    }
};

QTEST_MAIN(ArticleFilesTest)
#include "article_files_test.moc"
