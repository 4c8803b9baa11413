// The resident memory of the window while a user works on large articles:
// three articles pasted into their boxes, two checks and a Clear form, with
// the report and the confirmation answered as a user would.
//
//   kestrelwick_memory_use [PARAGRAPHS [CHECKS]]
//
// PARAGRAPHS defaults to 47,000 (about 20 MB an article), CHECKS to 2.

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "generated_articles.h"
#include "processing/check_articles.h"
#include "window/form1.h"
#include "window/widgets/widgets.h"

using kestrelwick::Form1;
using kestrelwick::TextBox;

namespace {

// Answers every message box with its first button: OK or Yes.
class Answerer : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            QTimer::singleShot(0, box, [box] {
                QAbstractButton* ok = box->button(QMessageBox::Ok);
                (ok != nullptr ? ok : box->button(QMessageBox::Yes))->click();
            });
        }
        return false;
    }
};

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

void report(const char* step) {
    QApplication::processEvents();
    std::printf("%-28s %8ld MB\n", step, residentKilobytes() / 1024);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    kestrelwick::keepWorkingMemoryBetweenChecks();
    QApplication app(argc, argv);
    const long paragraphs = argc > 1 ? std::atol(argv[1]) : 47000;
    const long checks = argc > 2 ? std::atol(argv[2]) : 2;

    Form1 form;
    form.show();
    Answerer answerer;
    app.installEventFilter(&answerer);
    report("window shown");

    {
        const auto articles = kestrelwick::bench::generateArticles(paragraphs);
        for (int k = 0; k < 3; ++k) {
            const std::u16string& text = articles[std::size_t(k)];
            QApplication::clipboard()->setText(
                QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size())));
            form.largeBox(k)->setFocus();
            form.largeBox(k)->paste();
        }
        QApplication::clipboard()->clear();
    }
    report("three articles pasted");
    for (long check = 1; check <= checks; ++check) {
        form.checkButton()->click();
        report(("check " + std::to_string(check)).c_str());
    }
    form.clearButton()->click();
    report("Clear form");
    return 0;
}
