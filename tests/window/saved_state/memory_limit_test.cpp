// Running out of memory in the window, under a real limit on the process's
// address space, set just before each thing a user does: a check, the spin
// text shown after its report, a switch of format or of grouping, a preview,
// a drop, and the saved work read at start. Whatever runs short, the program
// goes on, says so, and every box holds what it shows (read as a screen
// reader reads it); the saved state then holds the same.

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <malloc.h>
#include <sys/resource.h>
#endif

#include <fstream>
#include <string>

#include "support/own_settings.h"
#include "support/saved_window.h"
#include "window/article_files.h"
#include "window/low_memory.h"
#include "window/spin_by_choice.h"
#include "window/spin_format_choice.h"

using namespace kestrelwick;
using namespace kestrelwick::testing;

namespace {

#if defined(__SANITIZE_ADDRESS__)
#define KESTRELWICK_NO_ADDRESS_LIMIT "AddressSanitizer reserves more address space than any limit"
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRELWICK_NO_ADDRESS_LIMIT "AddressSanitizer reserves more address space than any limit"
#endif
#endif
#if !defined(Q_OS_LINUX) && !defined(KESTRELWICK_NO_ADDRESS_LIMIT)
#define KESTRELWICK_NO_ADDRESS_LIMIT "only Linux limits a process's address space"
#endif

// What a screen reader reads of a box: its document's text.
QString readAloud(QWidget* box) {
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(box)->textInterface();
    return text->text(0, text->characterCount());
}

// An article of about the given number of code units, paragraphs of
// ordinary words, each its own.
std::u16string article(std::size_t units, char16_t flavour) {
    std::u16string text = u"Title " + std::u16string(1, flavour);
    for (std::size_t p = 0; text.size() < units; ++p) {
        text += u"\r\n";
        for (std::size_t w = 0; w < 60; ++w) {
            text += u"word";
            text += char16_t(u'a' + (p * 7 + w * 3 + flavour) % 26);
            text += u' ';
        }
    }
    return text;
}

// The process may map no more than what it has now and `more` bytes, until
// the limit goes. (Where there is no such limit, the tests are skipped.)
class MemoryLimit {
  public:
    explicit MemoryLimit(std::size_t more) {
#ifndef KESTRELWICK_NO_ADDRESS_LIMIT
        getrlimit(RLIMIT_AS, &before_);
        rlimit limit = before_;
        limit.rlim_cur = rlim_t(addressSpaceInUse() + more);
        setrlimit(RLIMIT_AS, &limit);
#else
        static_cast<void>(more);
#endif
    }
    ~MemoryLimit() {
#ifndef KESTRELWICK_NO_ADDRESS_LIMIT
        setrlimit(RLIMIT_AS, &before_);
#endif
    }
    MemoryLimit(const MemoryLimit&) = delete;
    MemoryLimit& operator=(const MemoryLimit&) = delete;

  private:
#ifndef KESTRELWICK_NO_ADDRESS_LIMIT
    // The address space in use now, in bytes.
    static std::size_t addressSpaceInUse() {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("VmSize:", 0) == 0) {
                return std::size_t(std::stoull(line.substr(7))) * 1024;
            }
        }
        return 0;
    }
    rlimit before_{};
#endif
};

// Room for the window's own small needs, far below what the articles take.
constexpr std::size_t kRoom = std::size_t{24} << 20;
constexpr std::size_t kArticleUnits = std::size_t{6} << 20;

}  // namespace

class MemoryLimitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString path;
    StateTexts texts;

    void fillAndSave(Window& window) {
        for (std::size_t k = 0; k < kStateTexts; ++k) {
            window.form->largeBox(int(k))->setText(texts[k]);
        }
        window.state->saveNow();
    }
    // Every box reads aloud as it was, and the saved state holds it too.
    void everyBoxIsWhole(Window& window, const StateTexts& expected) {
        for (std::size_t k = 0; k < kStateTexts; ++k) {
            // A screen reader reads each line break as LF.
            QString shown = QString::fromStdU16String(expected[k]);
            shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            const QString read = readAloud(window.form->largeBox(int(k)));
            QVERIFY2(read == shown,
                     qPrintable(QStringLiteral("box %1 reads %2 characters, holds %3")
                                    .arg(k)
                                    .arg(read.size())
                                    .arg(shown.size())));
        }
        window.state->saveNow();
        QVERIFY(fileTexts(path) == std::optional(expected));
    }

  private slots:
    void initTestCase() {
#ifdef KESTRELWICK_NO_ADDRESS_LIMIT
        QSKIP(KESTRELWICK_NO_ADDRESS_LIMIT);
#else
        // As the program starts: small thread stacks and a reserve. Large
        // blocks go back to the system when freed, so that the limit counts
        // what is in use.
        prepareForLowMemory();
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
        useOwnSettings();
        Form1::setUpApplication();
        texts = {article(kArticleUnits, u'a'), article(kArticleUnits / 2, u'b'),
                 article(kArticleUnits * 3 / 4, u'c'), u"typed earlier"};
    }
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        path = dir->filePath(QStringLiteral("state/boxes.state"));
    }

    // Every test below is skipped where there is no limit (initTestCase).
    void aCheckLeavesEveryBoxWhole() {
        Window window(path);
        fillAndSave(window);
        EveryMessageAnswered answered;
        {
            MemoryLimit limit(kRoom);
            window.form->checkButton()->click();
        }
        QCOMPARE(answered.texts, QStringList{QStringLiteral("There is not enough memory to check "
                                                            "these articles. The boxes are as "
                                                            "they were.")});
        everyBoxIsWhole(window, texts);
    }

    void showingTheSpinTextLeavesTheOutputBoxWhole() {
        Window window(path);
        fillAndSave(window);
        std::optional<MemoryLimit> limit;
        std::optional<EveryMessageAnswered> answered;
        whenModalOpens([&](QMessageBox* report) {
            // The report is read; then the spin text runs short (and so may a
            // save in the background).
            limit.emplace(kRoom);
            answered.emplace();
            report->button(QMessageBox::Ok)->click();
        });
        window.form->checkButton()->click();
        const QString spinTextShort = QStringLiteral(
            "The articles were tidied and counted, and the counts are shown, but there is not "
            "enough memory to write the spin text: the output box is as it was.");
        QTRY_VERIFY2(answered && answered->texts.contains(spinTextShort),
                     qPrintable(answered ? answered->texts.join(u'|') : QString()));
        limit.reset();
        answered.reset();
        StateTexts expected = texts;
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            expected[k] = window.form->articleBox(int(k))->text();  // tidied by the check
        }
        everyBoxIsWhole(window, expected);
    }

    void aSwitchOfFormatLeavesTextAndChoiceAlone() {
        Window window(path);
        fillAndSave(window);
        {
            EveryMessageAnswered answered;
            window.form->checkButton()->click();
        }
        StateTexts checked = boxTexts(*window.form);
        EveryMessageAnswered answered;
        {
            MemoryLimit limit(kRoom);
            window.form->formatChoice()->setFormat(SpinFormat::Pipe);
        }
        QCOMPARE(answered.texts, QStringList{QStringLiteral("There is not enough memory to write "
                                                            "the spin text in the pipe format. "
                                                            "The text and the choice are as "
                                                            "they were.")});
        QCOMPARE(window.form->formatChoice()->format(), SpinFormat::Ama);
        everyBoxIsWhole(window, checked);
    }

    void aSwitchOfGroupingLeavesTextChoiceAndMinimumAlone() {
        Window window(path);
        fillAndSave(window);
        {
            EveryMessageAnswered answered;
            window.form->checkButton()->click();
        }
        const StateTexts checked = boxTexts(*window.form);
        const QString minimum = window.form->countLabel(int(kArticleCount))->text();
        EveryMessageAnswered answered;
        {
            MemoryLimit limit(kRoom);
            window.form->byChoice()->setBy(SpinBy::Sentence);
        }
        QCOMPARE(answered.texts, QStringList{QStringLiteral("There is not enough memory to write "
                                                            "the spin text by sentence. The text "
                                                            "and the choice are as they were.")});
        QCOMPARE(window.form->byChoice()->by(), SpinBy::Paragraph);
        QCOMPARE(window.form->countLabel(int(kArticleCount))->text(), minimum);
        everyBoxIsWhole(window, checked);
    }

    void aPreviewOrADropLeavesEveryBoxWhole() {
        Window window(path);
        fillAndSave(window);
        window.form->outputBox()->setText(texts[0] + u"{a~b}");
        texts[3] = window.form->outputBox()->text();
        const QString big = dir->filePath(QStringLiteral("big.txt"));
        {
            QFile file(big);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QString::fromStdU16String(texts[0]).toUtf8());
        }
        QApplication::setActiveWindow(window.form.get());
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        EveryMessageAnswered answered;
        {
            MemoryLimit limit(kRoom);
            QTest::keyClick(window.form.get(), Qt::Key_F9);
            dropArticleFiles(window.form.get(), window.form->controls(), 1, {big, big});
        }
        QCOMPARE(answered.texts.size(), 2);
        QVERIFY2(answered.texts[0].contains(QStringLiteral("not enough memory")),
                 qPrintable(answered.texts[0]));
        QVERIFY2(answered.texts[1].contains(QStringLiteral("not enough memory")),
                 qPrintable(answered.texts[1]));
        everyBoxIsWhole(window, texts);
    }

    // Saved work too large for the memory there is at start stays where it
    // is, untouched; the window says so, saves nothing over it, and a later
    // start with room reads it.
    void savedWorkThatCannotBeReadStaysForALaterStart() {
        {
            Window first(path);
            fillAndSave(first);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray saved = file.readAll();
        file.close();
        {
            std::optional<MemoryLimit> limit(kRoom);
            Window short_(path);
            limit.reset();
            QStringList said;
            {
                EveryMessageAnswered answered;
                QTRY_COMPARE(answered.texts.size(), 1);
                said = answered.texts;
            }
            QVERIFY2(said[0].contains(QStringLiteral("not enough memory")), qPrintable(said[0]));
            QVERIFY(short_.form->windowTitle().contains(QStringLiteral("not saved")));
            short_.form->articleBox(0)->setText(u"typed meanwhile");
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), saved);
        file.close();
        Window later(path);
        QCOMPARE(boxTexts(*later.form), texts);
    }
};

QTEST_MAIN(MemoryLimitTest)
#include "memory_limit_test.moc"
