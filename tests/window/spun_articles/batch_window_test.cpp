// "Save spun articles…" as a user meets it: the text read in its own format
// whatever the window shows, the same batch as the command line gives from
// the seed the message names, a folder given as a whole path, the progress
// over the main window, a window closed during the batch, and a batch that
// gets no thread of its own.

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <variant>

#include "files/files.h"
#include "processing/spinning.h"
#include "support/form_test.h"
#include "window/spin_format_choice.h"
#include "window/spun_articles/batch_dialog.h"
#include "window/spun_articles/batch_job.h"
#include "window/spun_articles/spun_articles.h"

using namespace kestrelwick;
using namespace kestrelwick::testing;

namespace {

QAction* actionNamed(QWidget* widget, const QString& text) {
    for (QAction* action : widget->findChildren<QAction*>()) {
        if (action->text().remove(u'&') == text) {
            return action;
        }
    }
    return nullptr;
}

// The files of a folder and their bytes.
QMap<QString, QByteArray> filesOf(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(folder).filePath(name));
        files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    return files;
}

// Answers the batch dialog with a count and a folder, then notes the message
// that follows; pressed: what else to do with the dialog first.
void answerBatch(int count, const QString& folder, QString* said,
                 std::function<void(BatchDialog*)> pressed = {}) {
    whenDialogOpens<BatchDialog>([=](BatchDialog* dialog) {
        dialog->countBox()->setValue(count);
        dialog->folderBox()->setText(folder);
        if (pressed) {
            pressed(dialog);
        }
        if (said != nullptr) {
            whenModalOpens([said](QMessageBox* box) {
                *said = box->text();
                box->button(QMessageBox::Ok)->click();
            });
        }
        dialog->accept();
    });
}

// A spin text long enough that its batch takes more than a moment.
std::u16string longSpinText() {
    std::u16string text;
    for (int g = 0; g < 3000; ++g) {
        text += u"{";
        for (int v = 0; v < 3; ++v) {
            text += v == 0 ? u"" : u"~";
            for (int w = 0; w < 60; ++w) {
                text += u'w';
                text += char16_t(u'a' + (g * 7 + v * 3 + w) % 26);
                text += u' ';
            }
        }
        text += u"}\r\n\r\n";
    }
    return text;
}

}  // namespace

class BatchWindowTest : public FormTest {
    Q_OBJECT

    QTemporaryDir folder;

  private slots:
    // With the choice on the pipe format and an AMA text in the box, the menu
    // writes what --spin --count writes with the seed the message names.
    void theMenuReadsTheTextsOwnFormat() {
        form->formatChoice()->setFormat(SpinFormat::Pipe);
        form->outputBox()->setText(kDogsSpin);
        const QString out = folder.filePath(QStringLiteral("menu"));
        QString said;
        answerBatch(6, out, &said);
        actionNamed(form.get(), QStringLiteral("Save spun articles…"))->trigger();
        const QRegularExpressionMatch seed =
            QRegularExpression(QStringLiteral("^6 articles: .* Seed (\\d+)\\.$")).match(said);
        QVERIFY2(seed.hasMatch(), qPrintable(said));

        auto read = SpinSource::read(kDogsSpin, findSpinFormat(kDogsSpin, std::nullopt));
        const SpinSource& spin = *std::get<std::unique_ptr<const SpinSource>>(read);
        const QString again = folder.filePath(QStringLiteral("again"));
        ExportProgress progress;
        BatchFolder writer(again);
        QCOMPARE(exportSpunArticles(spin, {6, std::nullopt, seed.captured(1).toULongLong()},
                                    progress, writer)
                     .kind,
                 ExportOutcome::Kind::Written);
        QCOMPARE(filesOf(out), filesOf(again));
        QCOMPARE(filesOf(out).size(), 7);  // and shares.csv
    }

    void theFolderIsAWholePathAndTheCountIsKept() {
        form->outputBox()->setText(kDogsSpin);
        QString offered;
        bool warned = false;
        whenDialogOpens<BatchDialog>([&](BatchDialog* dialog) {
            offered = dialog->folderBox()->text();
            dialog->countBox()->setValue(7);
            dialog->folderBox()->setText(QStringLiteral("~/spun"));
            QCOMPARE(dialog->folder(), QDir::home().filePath(QStringLiteral("spun")));
            dialog->folderBox()->setText(QStringLiteral("spun/here"));
            whenModalOpens([&](QMessageBox* box) {
                warned = box->text().contains(QStringLiteral("is not a whole path"));
                box->button(QMessageBox::Ok)->click();
                QVERIFY(dialog->isVisible());  // still asking
                dialog->folderBox()->setText(folder.filePath(QStringLiteral("kept")));
                whenModalOpens([](QMessageBox* news) { news->button(QMessageBox::Ok)->click(); });
                dialog->accept();
            });
            dialog->accept();
        });
        saveSpunArticles(form.get(), kDogsSpin, SpinFormat::Ama);
        QVERIFY(warned);
        // A new folder named after the title, where no batch is yet.
        QCOMPARE(QFileInfo(offered).fileName(), QStringLiteral("Dog Training Tips"));
        QVERIFY(!QFileInfo::exists(offered));
        whenDialogOpens<BatchDialog>([](BatchDialog* dialog) {
            QCOMPARE(dialog->countBox()->value(), 7);
            dialog->reject();
        });
        saveSpunArticles(form.get(), kDogsSpin, SpinFormat::Ama);
    }

    void theProgressIsOverTheWindowAndAClosedWindowLeavesNothing() {
        const QString out = folder.filePath(QStringLiteral("closed"));
        QWidget* parent = nullptr;
        answerBatch(200, out, nullptr);
        whenDialogOpens<QProgressDialog>([&](QProgressDialog* progress) {
            parent = progress->parentWidget();
            form->close();  // asked while the batch runs
        });
        saveSpunArticles(form.get(), longSpinText(), SpinFormat::Ama);
        QCOMPARE(parent, form.get());
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(!QFileInfo::exists(out));
    }

    void cancelLeavesNoFileBehind() {
        const QString out = folder.filePath(QStringLiteral("cancelled"));
        bool sawProgress = false;
        answerBatch(200, out, nullptr);
        whenDialogOpens<QProgressDialog>([&](QProgressDialog* progress) {
            sawProgress = true;
            progress->findChild<QPushButton*>()->click();
            // Back in the dialog: leave it.
            whenDialogOpens<BatchDialog>([](BatchDialog* again) { again->reject(); });
        });
        saveSpunArticles(form.get(), longSpinText(), SpinFormat::Ama);
        QVERIFY(sawProgress);
        QVERIFY(!QFileInfo::exists(out));
    }

    void aBatchWithoutAThreadOfItsOwnEnds() {
        refuseBatchThreadsForTests(true);
        QString said;
        const QString out = folder.filePath(QStringLiteral("at-once"));
        answerBatch(3, out, &said);
        saveSpunArticles(form.get(), kDogsSpin, SpinFormat::Ama);
        refuseBatchThreadsForTests(false);
        QVERIFY2(said.startsWith(QStringLiteral("3 articles: ")), qPrintable(said));
        QCOMPARE(filesOf(out).size(), 4);
    }
};

QTEST_MAIN(BatchWindowTest)
#include "batch_window_test.moc"
