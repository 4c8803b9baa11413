// The user's work kept across runs: saved as it is typed and when the window
// closes, back in the boxes at the next start, and never lost to a bad or
// unwritable state file. Driven through the real window, headless, with the
// state in a temporary folder.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

#include "support/saved_window.h"

using namespace kestrelwick;
using namespace kestrelwick::testing;

class SavedStateTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir;
    QString path;

  private slots:
    void initTestCase() { Form1::setUpApplication(); }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        path = dir->filePath(QStringLiteral("data/boxes.state"));
    }

    void theFormatKeepsEveryCodeUnitAndRefusesEveryCut() {
        const QByteArray bytes = encodeStateFile(kOdd);
        QCOMPARE(decodeStateFile(bytes), std::optional(kOdd));
        for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
            QVERIFY2(!decodeStateFile(bytes.first(cut)), qPrintable(QString::number(cut)));
        }
        QVERIFY(!decodeStateFile(bytes + QByteArray(1, 'x')));
    }

    void aFreshStartOpensAsEver() {
        Window window(path);
        QVERIFY(window.owns);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(window.form->largeBox(k)->text().empty());
        }
        QVERIFY(!QFile::exists(path));
    }

    void editsAreSavedOnceTypingPauses() {
        Window window(path);
        QSignalSpy saved(window.state.get(), &SavedState::saved);
        TextBox* box = window.form->articleBox(1);
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("typed"));
        QVERIFY(!QFile::exists(path));  // not at every key
        QTRY_COMPARE_WITH_TIMEOUT(saved.size(), 1, SavedState::kQuietMilliseconds + 3000);
        QCOMPARE(saved.at(0).at(0).toString(), QString());
        QCOMPARE(fileTexts(path), std::optional(boxTexts(*window.form)));
        QCOMPARE(fileTexts(path)->at(1), u"typed");
#ifdef Q_OS_UNIX
        QCOMPARE(QFile::permissions(path) & 0x0077, QFileDevice::Permissions());  // owner only
#endif
    }

    void closingSavesAndTheNextStartRestoresExactly() {
        {
            Window window(path);
            for (std::size_t k = 0; k < kOdd.size(); ++k) {
                window.form->largeBox(int(k))->setText(kOdd[k]);
            }
        }  // closed at once, before the quiet time ends
        Window next(path);
        QCOMPARE(boxTexts(*next.form), kOdd);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(!next.form->largeBox(k)->document()->isUndoAvailable());
            QCOMPARE(next.form->largeBox(k)->textCursor().position(), 0);
            QVERIFY(next.form->countLabel(k)->text().isEmpty());
        }
        QVERIFY(next.form->gridBox()->text().empty());
    }

    void filesNamedAtStartGoOverTheRestoredTextUndoably() {
        QVERIFY(writeFile(dir->filePath(QStringLiteral("one.txt")), "From a file"));
        {
            Window window(path);
            window.form->articleBox(0)->setText(u"restored");
        }
        Window next(path);
        next.form->openArticleFiles({dir->filePath(QStringLiteral("one.txt"))});
        QCOMPARE(next.form->articleBox(0)->text(), u"From a file");
        next.form->articleBox(0)->undo();
        QCOMPARE(next.form->articleBox(0)->text(), u"restored");
    }

    void clearFormIsSavedAndStillUndone() {
        Window window(path);
        window.form->articleBox(2)->setText(u"kept for undo");
        whenModalOpens([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        window.form->clearButton()->click();
        window.state->saveNow();
        QCOMPARE(fileTexts(path), std::optional(StateTexts{}));
        window.form->articleBox(2)->undo();
        QCOMPARE(window.form->articleBox(2)->text(), u"kept for undo");
    }

    void aSecondWindowOpensEmptyAndSavesNothing() {
        Window first(path);
        first.form->articleBox(0)->setText(u"the first window's");
        first.state->saveNow();
        const QByteArray before = [this] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();

        Window second(path);
        QVERIFY(!second.owns);
        QVERIFY(second.form->articleBox(0)->text().empty());
        QVERIFY(second.form->windowTitle().endsWith(
            QStringLiteral("(not saved: another Kestrelwick window keeps the saved work)")));
        QVERIFY(!first.form->windowTitle().contains(QStringLiteral("not saved")));
        QSignalSpy saved(second.state.get(), &SavedState::saved);
        second.form->articleBox(0)->setText(u"the second window's");
        second.state->saveNow();
        QCOMPARE(saved.size(), 0);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);

        // Closing it with text in it asks first; No keeps it open.
        QString asked;
        dismissNextModal(asked);
        QVERIFY(!second.form->close());
        QCOMPARE(asked, QStringLiteral("This window's work is not saved: another Kestrelwick "
                                       "window keeps the saved work. Close anyway and lose it?"));
        QVERIFY(second.form->isVisible());
    }

    void aBadStateFileIsMovedAsideWithAMessage_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = encodeStateFile(kOdd);
        QTest::newRow("cut short") << good.first(good.size() - 3);
        QTest::newRow("garbage") << QByteArray("not a state file at all");
        QByteArray newer = good;
        newer[8] = 2;  // the format version
        QTest::newRow("newer") << newer;
    }

    void aBadStateFileIsMovedAsideWithAMessage() {
        QFETCH(QByteArray, bytes);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeFile(path, bytes));
        QString message;
        dismissNextModal(message);
        Window window(path);
        QVERIFY(window.owns);
        for (int k = 0; k < 4; ++k) {
            QVERIFY(window.form->largeBox(k)->text().empty());
        }
        QVERIFY(!QFile::exists(path));
        const QStringList aside =
            QDir(QFileInfo(path).absolutePath()).entryList({QStringLiteral("boxes.state.bad-*")});
        QCOMPARE(aside.size(), 1);
        QFile kept(QFileInfo(path).absolutePath() + u'/' + aside.front());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
        QTRY_VERIFY(message.contains(QDir::toNativeSeparators(path)));
        QVERIFY(message.contains(aside.front()));
    }

    void aStateThatCannotBeWrittenIsReportedOnce() {
        // A file where the folder should be: nothing can be written there.
        const QString blocked = dir->filePath(QStringLiteral("blocked"));
        QVERIFY(writeFile(blocked, "a file"));
        Window window(blocked + QStringLiteral("/boxes.state"));
        QSignalSpy saved(window.state.get(), &SavedState::saved);
        QString message;
        dismissNextModal(message);
        window.form->articleBox(0)->setText(u"first");
        window.state->saveNow();
        QTRY_VERIFY(message.startsWith(QStringLiteral("Your work could not be saved to")));
        QCOMPARE(saved.size(), 1);
        QVERIFY(!saved.at(0).at(0).toString().isEmpty());

        // The same reason again says nothing more.
        window.form->articleBox(0)->setText(u"second");
        window.state->saveNow();
        QCOMPARE(saved.size(), 2);
        QTest::qWait(50);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(window.form->articleBox(0)->text(), u"second");
    }
};

QTEST_MAIN(SavedStateTest)
#include "saved_state_test.moc"
