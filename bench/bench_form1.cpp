// A Check Articles click in the real window, offscreen, against putting the
// same three articles into the boxes once.

#include <benchmark/benchmark.h>

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "generated_articles.h"
#include "processing/check_articles.h"
#include "window/form1.h"
#include "window/saved_state/saved_state.h"
#include "window/widgets/widgets.h"

using kestrelwick::Form1;
using kestrelwick::SavedState;
using kestrelwick::TextBox;

namespace {

constexpr std::int64_t kParagraphs = 4000;  // about 1.7 MB an article

// Presses OK on the minimum-length report as soon as it is shown.
class ReportCloser : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Show) {
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Ok)->click(); });
        }
        return false;
    }
};

void fillArticleBoxes(Form1& form, const std::array<std::u16string, 3>& articles) {
    for (int k = 0; k < 3; ++k) {
        form.largeBox(k)->setText(articles[std::size_t(k)]);
    }
}

void BM_FillArticleBoxes(benchmark::State& state) {
    const auto articles = kestrelwick::bench::generateArticles(kParagraphs);
    Form1 form;
    form.show();
    for (auto _ : state) {
        fillArticleBoxes(form, articles);
    }
}
BENCHMARK(BM_FillArticleBoxes)->Unit(benchmark::kMillisecond);

void BM_CheckArticlesClick(benchmark::State& state) {
    const auto articles = kestrelwick::bench::generateArticles(kParagraphs);
    Form1 form;
    form.show();
    ReportCloser closer;
    qApp->installEventFilter(&closer);
    for (auto _ : state) {
        state.PauseTiming();
        fillArticleBoxes(form, articles);
        form.outputBox()->setText({});
        QApplication::processEvents();
        state.ResumeTiming();
        form.checkButton()->click();
    }
    qApp->removeEventFilter(&closer);
}
BENCHMARK(BM_CheckArticlesClick)->Unit(benchmark::kMillisecond);

// What a save of the user's work costs the window's thread, where keys are
// handled, with three 20 MB articles and their spin text in the boxes: the
// longest time between two turns of the event loop, from the start of a save
// to its end (the texts are read a slice a turn and written on a thread of
// their own). A key pressed during a save waits at most this long.
void BM_SaveStateLongestWait(benchmark::State& state) {
    const auto articles = kestrelwick::bench::generateArticles(kParagraphs * 12);
    Form1 form;
    fillArticleBoxes(form, articles);
    form.outputBox()->setText(articles[0] + articles[1] + articles[2]);
    const QTemporaryDir dir;
    SavedState saved(&form, form.controls().largeBoxes(),
                     dir.filePath(QStringLiteral("boxes.state")));
    saved.restore();
    bool done = false;
    QObject::connect(&saved, &SavedState::saved, &saved, [&done] { done = true; });
    for (auto _ : state) {
        form.articleBox(0)->insertPlainText(QStringLiteral("x"));
        done = false;
        QElapsedTimer turn;
        turn.start();
        saved.saveInBackground();
        qint64 longest = turn.nsecsElapsed();
        while (!done) {
            turn.restart();
            QApplication::processEvents();
            longest = std::max(longest, turn.nsecsElapsed());
        }
        state.SetIterationTime(double(longest) / 1e9);
    }
}
BENCHMARK(BM_SaveStateLongestWait)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Memory as the program sets it up.
    kestrelwick::keepWorkingMemoryBetweenChecks();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
