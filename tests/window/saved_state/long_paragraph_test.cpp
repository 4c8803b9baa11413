// One paragraph of 200 million characters, far more than a box can lay out,
// coming into the window every way a whole text comes: a file named at
// start, dropped on a box or opened with Ctrl+O, and the saved work read at
// start. Each time a message names the file or the saved work, the box, the
// paragraph and the limit, no box changes, and the program goes on; saved
// work holding it stays untouched on disk and the window saves nothing over
// it, its lock let go.

#include <QCryptographicHash>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <memory>
#include <string>

#include "support/own_settings.h"
#include "support/saved_window.h"
#include "window/saved_state/state_lock.h"

using namespace kestrelwick;
using namespace kestrelwick::testing;

namespace {

// Words without a line break, 199,999,972 characters (and as many bytes).
const std::u16string kWords = u"alpha beta gamma delta epsilon ";
constexpr std::size_t kRepeats = 6451612;
const QString kLength = QStringLiteral("199,999,972");

QByteArray hashOf(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

}  // namespace

class LongParagraphTest : public QObject {
    Q_OBJECT

    QTemporaryDir files;
    QString paragraph;  // the file of one paragraph

  private slots:
    void initTestCase() {
        useOwnSettings();
        Form1::setUpApplication();
        paragraph = files.filePath(QStringLiteral("paragraph.txt"));
        QFile file(paragraph);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray words = QString::fromStdU16String(kWords).toLatin1();
        const QByteArray thousand = words.repeated(1000);
        for (std::size_t k = 0; k < kRepeats / 1000; ++k) {
            QCOMPARE(file.write(thousand), thousand.size());
        }
        const QByteArray rest = words.repeated(qsizetype(kRepeats % 1000));
        QCOMPARE(file.write(rest), rest.size());
    }

    void refusedEveryWayIn_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("a file named at start") << QStringLiteral("start");
        QTest::newRow("a file dropped") << QStringLiteral("drop");
        QTest::newRow("a file opened") << QStringLiteral("open");
        QTest::newRow("the saved work") << QStringLiteral("saved");
    }

    void refusedEveryWayIn() {
        QFETCH(QString, way);
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state/boxes.state"));
        StateTexts saved = {u"first", u"second", u"third", u"{spun~text}"};
        {
            Window before(path);
            if (way == QLatin1String("saved")) {
                saved[1] = QString::fromStdU16String(kWords)
                               .repeated(qsizetype(kRepeats))
                               .toStdU16String();
                before.state.reset();  // its lock goes, and it saves nothing now
                QVERIFY(writeFile(path, encodeStateFile(saved)));
            } else {
                for (std::size_t k = 0; k < kStateTexts; ++k) {
                    before.form->largeBox(int(k))->setText(saved[k]);
                }
            }
        }
        const QByteArray savedBytes = hashOf(path);

        auto answered = std::make_unique<EveryMessageAnswered>();
        Window window(path);
        TextBox* first = window.form->articleBox(0);
        QString expected = QStringLiteral(
                               "\"%1\" was not put into article box 1: its paragraph 1 "
                               "has %2 characters, and a box takes paragraphs of up to "
                               "20,000.")
                               .arg(paragraph, kLength);
        if (way == QLatin1String("start")) {
            window.form->openArticleFiles({paragraph});
        } else if (way == QLatin1String("drop")) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(paragraph)});
            const QPoint at = first->viewport()->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(first->viewport(), &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(first->viewport(), &drop);
            expected += QStringLiteral("\nNothing was changed.");
        } else if (way == QLatin1String("open")) {
            whenDialogOpens<QFileDialog>([this](QFileDialog* dialog) {
                dialog->selectFile(paragraph);
                static_cast<QDialog*>(dialog)->accept();
            });
            QApplication::setActiveWindow(window.form.get());
            QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
            first->setFocus();
            QTest::keyClick(first, Qt::Key_O, Qt::ControlModifier);
            expected += QStringLiteral("\nNothing was changed.");
        } else {
            expected = QStringLiteral(
                           "The work saved in \"%1\" was not put back: paragraph 1 of "
                           "article box 2 has %2 characters, and a box takes "
                           "paragraphs of up to 20,000. It stays as it is for a later "
                           "version of Kestrelwick, and this window saves nothing over "
                           "it.")
                           .arg(QDir::toNativeSeparators(path), kLength);
        }
        QTRY_COMPARE(answered->texts, QStringList{expected});
        answered.reset();  // the window's own question on closing is its own

        if (way == QLatin1String("saved")) {
            QVERIFY(!window.owns);
            QVERIFY(window.form->windowTitle().contains(SavedState::kNotShown));
            QCOMPARE(boxTexts(*window.form), StateTexts{});
            // Typed meanwhile, and closed: nothing is saved over the work,
            // and the lock is free for a later start.
            first->setText(u"typed meanwhile");
            window.state->saveNow();
            QCOMPARE(hashOf(path), savedBytes);
            StateLock later(path + QStringLiteral(".lock"));
            QCOMPARE(later.take(), StateLock::Taken::Ours);
        } else {
            QCOMPARE(boxTexts(*window.form), saved);
            QVERIFY(!first->document()->isUndoAvailable());
        }
    }
};

QTEST_MAIN(LongParagraphTest)
#include "long_paragraph_test.moc"
