// A Check Articles click in the real window, offscreen, against putting the
// same three articles into the boxes once.

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "generated_articles.h"
#include "processing/working_memory.h"
#include "window/form1.h"
#include "window/text_box.h"

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
        form.text1(k)->setText(articles[std::size_t(k)]);
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
        form.text1(3)->setText({});
        QApplication::processEvents();
        state.ResumeTiming();
        form.command1()->click();
    }
    qApp->removeEventFilter(&closer);
}
BENCHMARK(BM_CheckArticlesClick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Memory as the program sets it up.
    kestrelwick::keepWorkingMemoryBetweenClicks();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
