// Saved work that survives a failing disk, a bad lock and odd things at the
// state's path: a failed save keeps the old state, says why once per reason
// and is tried again; a close after a failed save asks; a stale lock is
// taken over; a link, a FIFO or a huge file at the path never blocks,
// misleads or is written through. Driven through the real window, headless,
// with the state in a temporary folder.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>
#endif

#include <cerrno>

#include "support/saved_window.h"
#include "window/saved_state/state_file.h"
#include "window/saved_state/state_io.h"

using namespace kestrelwick;
using namespace kestrelwick::testing;

class StateReliabilityTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir;
    QString path;

    QByteArray fileBytes() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private slots:
    void initTestCase() { Form1::setUpApplication(); }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        path = dir->filePath(QStringLiteral("state/boxes.state"));
    }
    void cleanup() {
        failStateWritesWith(0);
        dir.reset();
    }

    // A full disk, then a folder without permission, then room again.
    void aFailedSaveKeepsTheOldStateSaysWhyOnceAndIsTriedAgain() {
        Window window(path);
        window.form->articleBox(0)->setText(u"saved before");
        window.state->saveNow();
        const QByteArray before = fileBytes();
        QVERIFY(!before.isEmpty());

        QSignalSpy saved(window.state.get(), &SavedState::saved);
        failStateWritesWith(ENOSPC);
        QString message;
        dismissNextModal(message);
        window.form->articleBox(0)->setText(u"typed on a full disk");
        window.state->saveNow();
        QTRY_VERIFY(!message.isEmpty());
        QVERIFY2(message.contains(QStringLiteral("the disk is full")), qPrintable(message));
        QCOMPARE(window.state->failure(), QStringLiteral("the disk is full"));
        QCOMPARE(fileBytes(), before);
        // No half-written file is left beside the state either.
        QCOMPARE(QDir(QFileInfo(path).absolutePath())
                     .entryList({QStringLiteral("boxes.state.new-*")}, QDir::Files),
                 QStringList());

        // The same reason again: no second message.
        window.form->articleBox(0)->setText(u"still full");
        window.state->saveNow();
        QTest::qWait(50);
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // Another reason: told once.
        failStateWritesWith(EACCES);
        message.clear();
        dismissNextModal(message);
        window.state->saveNow();  // no edit: the last save failed, so it is tried
        QTRY_VERIFY(message.contains(QStringLiteral("permission denied")));
        QCOMPARE(fileBytes(), before);

        // Room again: the retry, as the timer runs it, saves without an edit.
        failStateWritesWith(0);
        const qsizetype saves = saved.size();
        window.state->saveInBackground();
        QTRY_VERIFY(saved.size() > saves);
        QCOMPARE(saved.last().at(0).toString(), QString());
        QCOMPARE(fileTexts(path)->at(0), u"still full");
        QCOMPARE(window.state->failure(), QString());
    }

    void closingAfterAFailedSaveAsks() {
        Window window(path);
        failStateWritesWith(ENOSPC);
        QString message;
        dismissNextModal(message);
        window.form->articleBox(0)->setText(u"not yet saved");
        window.state->saveNow();
        QTRY_VERIFY(!message.isEmpty());
        QString asked;
        dismissNextModal(asked);  // No
        QVERIFY(!window.form->close());
        QCOMPARE(asked, QStringLiteral("Your latest work could not be saved: the disk is full. "
                                       "Close anyway and lose it?"));
        QVERIFY(window.form->isVisible());
        // With room again, the close saves and asks nothing.
        failStateWritesWith(0);
        QVERIFY(window.form->close());
        QCOMPARE(fileTexts(path)->at(0), u"not yet saved");
    }

    // Memory runs out while the check's result is shown, after one box has
    // taken its tidied text: that edit is taken back, and the labels, the
    // grid and the saved work are those of before the click.
    void runningOutOfMemoryWhileShowingTakesEverythingBack() {
        Window window(path);
        Form1& form = *window.form;
        form.articleBox(0)->setText(u"  One two\r\nthree four");
        form.articleBox(1)->setText(u"Uno\r\ndos tres");
        form.articleBox(2)->setText(u"  Eins\r\nzwei drei  ");
        form.outputBox()->setText(u"typed earlier");
        form.gridBox()->setText(u"1\t2\t\r\n");
        form.countLabel(0)->setText(QStringLiteral("Words: 3"));
        window.state->saveNow();
        const StateTexts before = boxTexts(form);

        QStringList messages;
        {
            EveryMessageAnswered answered;
            TextBox::failReplacementsAfter(1);
            form.checkButton()->click();
            TextBox::failReplacementsAfter(-1);
            messages = answered.texts;
        }

        QCOMPARE(messages, QStringList{QStringLiteral("There is not enough memory to check these "
                                                      "articles. The boxes are as they were.")});
        QCOMPARE(boxTexts(form), before);
        QCOMPARE(form.gridBox()->text(), u"1\t2\t\r\n");
        QCOMPARE(form.countLabel(0)->text(), QStringLiteral("Words: 3"));
        QVERIFY(form.countLabel(1)->text().isEmpty());
        window.state->saveNow();
        QCOMPARE(fileTexts(path), std::optional(before));
    }

    // Whatever bytes a state file holds, reading it never takes more memory
    // than the file's own size: every length is checked against the bytes
    // that follow before anything is allocated for it.
    void theReaderAllocatesNoMoreThanTheFileHolds() {
        const QByteArray good = encodeStateFile(kOdd);
        QRandomGenerator random(20261208);
        int read = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = good.first(qsizetype(random.bounded(int(good.size()) + 1)));
            for (int flips = random.bounded(4); flips > 0 && !bytes.isEmpty(); --flips) {
                bytes[random.bounded(int(bytes.size()))] = char(random.generate());
            }
            if (round % 3 == 0 && bytes.size() >= 24) {
                // A length field that promises far more than there is.
                for (int i = 16; i < 24; ++i) {
                    bytes[i] = char(0xff);
                }
            }
            const auto texts = decodeStateFile(bytes);
            if (!texts) {
                continue;
            }
            ++read;
            std::size_t units = 0;
            for (const std::u16string& text : *texts) {
                units += text.size();
            }
            QVERIFY(2 * units <= std::size_t(bytes.size()));
        }
        QVERIFY(read > 0);  // the unflipped, whole file among them
    }

    void aStaleLockIsTakenOver_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("empty") << QStringLiteral("empty");
        QTest::newRow("garbage") << QStringLiteral("garbage");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("another host's") << QStringLiteral("host");
        QTest::newRow("older than the boot") << QStringLiteral("old");
    }

    void aStaleLockIsTakenOver() {
        QFETCH(QString, kind);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeFile(path, encodeStateFile(kOdd)));
        const QString lock = path + QStringLiteral(".lock");
        // A live process of this machine, as a lock names it: this one.
        const QByteArray live = QByteArray::number(QCoreApplication::applicationPid()) +
                                "\nprjKestrelwick\n" + QSysInfo::machineHostName().toUtf8() + "\n";
        if (kind == QLatin1String("empty")) {
            QVERIFY(writeFile(lock, {}));
        } else if (kind == QLatin1String("garbage")) {
            QVERIFY(writeFile(lock, "\x01\x02 not a lock at all"));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(lock));
        } else if (kind == QLatin1String("host")) {
            QVERIFY(writeFile(lock, QByteArray::number(QCoreApplication::applicationPid()) +
                                        "\nprjKestrelwick\nanother-machine.example\n"));
        } else {
#ifdef Q_OS_UNIX
            QVERIFY(writeFile(lock, live));
            const struct timeval longAgo[2] = {{1000000000, 0}, { 1000000000, 0 }};
            QCOMPARE(::utimes(QFile::encodeName(lock).constData(), longAgo), 0);
#else
            QSKIP("the boot time is read on Linux");
#endif
        }
        Window window(path);
        QVERIFY(window.owns);
        QCOMPARE(boxTexts(*window.form), kOdd);
        // No program holds the file's lock, whatever the file says: it is
        // taken over where it is. A folder in its place is moved aside.
        const QStringList aside = QDir(QFileInfo(path).absolutePath())
                                      .entryList({QStringLiteral("boxes.state.lock.stale-*")});
        QCOMPARE(aside.size(), kind == QLatin1String("folder") ? 1 : 0);
        // And it saves.
        window.form->articleBox(2)->setText(u"saved again");
        window.state->saveNow();
        QCOMPARE(fileTexts(path)->at(2), u"saved again");
    }

    void aLinkAtTheStatePathIsReplacedNeverWrittenThrough() {
#ifdef Q_OS_UNIX
        Window window(path);
        window.form->articleBox(0)->setText(u"first");
        window.state->saveNow();
        // Someone puts a link at the state's path while the program runs.
        const QString target = dir->filePath(QStringLiteral("someone-elses.txt"));
        QVERIFY(writeFile(target, "not Kestrelwick's"));
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(target, path));
        window.form->articleBox(0)->setText(u"second");
        window.state->saveNow();
        QCOMPARE(window.state->failure(), QString());
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("not Kestrelwick's"));
        QCOMPARE(QFileInfo(target).permissions() & QFileDevice::ReadOther,
                 QFileDevice::ReadOther);  // its mode untouched
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(fileTexts(path)->at(0), u"second");
#else
        QSKIP("links are a Unix test");
#endif
    }

    void aFifoOrAHugeFileAtTheStatePathIsMovedAsideAtOnce_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("FIFO") << QStringLiteral("fifo")
                              << QStringLiteral("it is not a regular file");
        QTest::newRow("huge") << QStringLiteral("huge")
                              << QStringLiteral("it is larger than saved work can be");
        // Within the size a state can have, but its header (zeros, or lengths
        // that do not add up to the size) says it is no state: judged before
        // a byte of its texts is read.
        QTest::newRow("2,000,000,000 bytes of zeros")
            << QStringLiteral("zeros")
            << QStringLiteral("it is cut short, damaged, or from a newer Kestrelwick");
        QTest::newRow("a header that does not fit the size")
            << QStringLiteral("header")
            << QStringLiteral("it is cut short, damaged, or from a newer Kestrelwick");
    }

    void aFifoOrAHugeFileAtTheStatePathIsMovedAsideAtOnce() {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (kind == QLatin1String("fifo")) {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#else
            QSKIP("FIFOs are a Unix test");
#endif
        } else {
            // Sparse, without the disk space.
            QFile huge(path);
            QVERIFY(huge.open(QIODevice::WriteOnly));
            if (kind == QLatin1String("header")) {
                huge.write(encodeStateFile({u"a", u"b", u"c", u"d"}));
            }
            QVERIFY(huge.resize(kind == QLatin1String("huge") ? qint64(largestStateFile()) + 1
                                                              : qint64(2'000'000'000)));
        }
        QString message;
        dismissNextModal(message);
        QElapsedTimer opened;
        opened.start();
        Window window(path);
        QVERIFY(opened.elapsed() < 10000);  // never waits on the FIFO or reads gigabytes
        QVERIFY(window.owns);
        QTRY_VERIFY(message.contains(why));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(QDir(QFileInfo(path).absolutePath())
                     .entryList({QStringLiteral("boxes.state.bad-*")}, QDir::System | QDir::Files)
                     .size(),
                 1);
    }

    // What a writer that ended half-way left beside the state is removed by
    // the next window that keeps it; a file where the state's folder should
    // be is named as such when a save fails.
    void leftoversGoAndAFileForAFolderIsNamed() {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        const QString leftover = path + QStringLiteral(".new-99999-0badc0de");
        QVERIFY(writeFile(leftover, "half a state"));
        {
            Window window(path);
            QVERIFY(window.owns);
            QVERIFY(!QFileInfo::exists(leftover));
        }
        const QString blocked = dir->filePath(QStringLiteral("plain file"));
        QVERIFY(writeFile(blocked, "not a folder"));
        path = blocked + QStringLiteral("/state/boxes.state");
        Window window(path);
        QString message;
        dismissNextModal(message);
        window.form->articleBox(0)->setText(u"typed");
        window.state->saveNow();
        QTRY_VERIFY2(message.contains(QStringLiteral("plain file\" is a file where a folder "
                                                     "should be")),
                     qPrintable(message));
    }
};

QTEST_MAIN(StateReliabilityTest)
#include "state_reliability_test.moc"
