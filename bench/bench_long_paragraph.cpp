// How long a paragraph a box can hold and stay responsive, the measure of
// kLongestParagraph (processing/long_paragraphs.h): a box holding one
// paragraph of L code units, for a ladder of L, in three kinds of text:
// ordinary words; one endless word, where the box finds no place to wrap a
// line but anywhere and so measures the rest of the word again for every
// line it fills (the worst case of laying out, growing with the square of
// L); and, to compare, the same code units in paragraphs of about 420.
//
//   BM_KeyPress        a key typed at the end of the paragraph and answered:
//                      the key handled, the paragraph laid out again and the
//                      box drawn (each iteration types a letter or takes it
//                      back, so the text keeps its length)
//   BM_Rest            the program at rest for a second with the focus in
//                      the box, its cursor blinking: the processor time it
//                      takes (getrusage), as a share of that second
//   BM_ClearQuestion   Clear form clicked in the window, the focus leaving
//                      an article box that holds the paragraph, which then
//                      loses the space at its end, until the question is
//                      drawn
//   BM_FindLong        the look for a paragraph too long that every text
//                      gets before a box takes it: one pass, here over 200
//                      million code units
//
// The window's boxes take no paragraph past the limit, so the first two
// measure a box as Qt makes it and the window sets it up (the window's font,
// lines wrapped at the width of an article box at the design size, the
// scroll bar shown): Qt's laying out and drawing are what grows. The window
// runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise, so
// that the same benchmark runs in an X server:
//
//   . scripts/xvfb.sh; start_xvfb 1366x768x24; start_window_manager openbox
//   QT_QPA_PLATFORM=xcb build/bench/bench/kestrelwick_bench_paragraph

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "generated_articles.h"
#include "processing/check_articles.h"
#include "window/form1.h"
#include "window/widgets/widgets.h"

using kestrelwick::Form1;

namespace {

enum Kind : std::int64_t { kWords, kOneWord, kInParagraphs };

// `units` code units of a kind, ending with a space, as where the user
// stopped typing.
std::u16string boxText(std::int64_t units, std::int64_t kind) {
    std::u16string text;
    if (kind == kInParagraphs) {
        text = kestrelwick::bench::generateArticle(units / 422 + 1, 1);
    } else if (kind == kOneWord) {
        text.assign(std::size_t(units), u'x');
    } else {
        text = kestrelwick::bench::generateArticle(2, 1, std::size_t(units));
        text.erase(0, text.find(u"\r\n") + 2);  // the title
    }
    text.resize(std::size_t(units));
    text.back() = u' ';
    return text;
}

void labelOf(benchmark::State& state) {
    state.SetLabel(state.range(1) == kWords     ? "words"
                   : state.range(1) == kOneWord ? "one word"
                                                : "in paragraphs of 420");
}

// Runs the event loop for a while.
void settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Shows a window, makes it the active one and the box in it the focus, the
// cursor at the end of its text.
void focusAtEnd(QWidget& window, QPlainTextEdit& box) {
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    box.setFocus();
    box.moveCursor(QTextCursor::End);
    settle(300);
}

// A window with one box as an article box is, holding the text.
struct HeldBox {
    QWidget window;
    QPlainTextEdit box{&window};

    explicit HeldBox(benchmark::State& state) {
        const QRect design = Form1::kDesignLayout.largeBoxes[0];
        window.resize(design.size() + QSize(2 * design.x(), 2 * design.y()));
        box.setGeometry(design);
        box.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box.setTabChangesFocus(true);
        const std::u16string text = boxText(state.range(0), state.range(1));
        box.setPlainText(QString::fromStdU16String(text));
        focusAtEnd(window, box);
        labelOf(state);
    }
};

void sendKey(QWidget* to, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(to, &release);
}

void BM_KeyPress(benchmark::State& state) {
    HeldBox held(state);
    bool typed = false;
    for (auto _ : state) {
        QElapsedTimer answered;
        answered.start();
        if (typed) {
            sendKey(&held.box, Qt::Key_Backspace, {});
        } else {
            sendKey(&held.box, Qt::Key_X, QStringLiteral("x"));
        }
        typed = !typed;
        // What the key changed is drawn before the next event is taken.
        QApplication::processEvents();
        state.SetIterationTime(double(answered.nsecsElapsed()) / 1e9);
    }
}

double processorSeconds() {
    rusage used{};
    getrusage(RUSAGE_SELF, &used);
    return double(used.ru_utime.tv_sec + used.ru_stime.tv_sec) +
           double(used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e6;
}

void BM_Rest(benchmark::State& state) {
    HeldBox held(state);
    double busy = 0;
    for (auto _ : state) {
        const double before = processorSeconds();
        settle(1000);
        busy += processorSeconds() - before;
    }
    state.counters["busy_percent"] = 100 * busy / double(state.iterations());
}

// Notes when a message box is first drawn, and then answers No.
class QuestionWatch : public QObject {
  public:
    QElapsedTimer clicked;
    qint64 drawnAfter = -1;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box != nullptr && event->type() == QEvent::Paint && drawnAfter < 0) {
            drawnAfter = clicked.nsecsElapsed();
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::No)->click(); });
        }
        return false;
    }
};

void BM_ClearQuestion(benchmark::State& state) {
    Form1 form;
    kestrelwick::TextBox* box = form.articleBox(0);
    box->setText(boxText(state.range(0), state.range(1)));
    focusAtEnd(form, *box);
    labelOf(state);
    QuestionWatch watch;
    qApp->installEventFilter(&watch);
    QPushButton* clear = form.clearButton();
    for (auto _ : state) {
        watch.drawnAfter = -1;
        watch.clicked.start();
        // A click moves the focus to the button before it presses it.
        clear->setFocus(Qt::MouseFocusReason);
        clear->click();
        state.SetIterationTime(double(watch.drawnAfter) / 1e9);
        // Back to typing at the end of the box.
        QApplication::setActiveWindow(&form);
        box->setFocus(Qt::MouseFocusReason);
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(QStringLiteral(" "));
        settle(100);
    }
    qApp->removeEventFilter(&watch);
}

void BM_FindLong(benchmark::State& state) {
    const std::u16string text = boxText(state.range(0), state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kestrelwick::findLongParagraph({text}));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * state.range(0) * 2);
    labelOf(state);
}

void ladder(benchmark::internal::Benchmark* bench) {
    for (const std::int64_t units :
         {1 << 13, 1 << 14, 20000, 1 << 15, 1 << 16, 1 << 17, 1 << 18, 1 << 20, 1 << 22}) {
        bench->Args({units, kWords});
    }
    // Growing with the square of the length, one word is measured only as
    // far as it stays within a second or so.
    for (const std::int64_t units : {1 << 13, 1 << 14, 20000, 1 << 15, 1 << 16}) {
        bench->Args({units, kOneWord});
    }
    bench->Args({1 << 22, kInParagraphs});
    bench->ArgNames({"units", "kind"});
}

// Up to the limit, as the window's boxes take no more; and the same code
// units in paragraphs as the most a box held before.
void upToTheLimit(benchmark::internal::Benchmark* bench) {
    const auto limit = std::int64_t(kestrelwick::kLongestParagraph);
    bench->Args({limit, kWords})->Args({limit, kOneWord})->Args({1 << 22, kInParagraphs});
    bench->ArgNames({"units", "kind"});
}

BENCHMARK(BM_KeyPress)->Apply(ladder)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rest)->Apply(ladder)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClearQuestion)
    ->Apply(upToTheLimit)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindLong)
    ->Args({200'000'000, kWords})
    ->Args({200'000'000, kInParagraphs})
    ->ArgNames({"units", "kind"})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    Form1::setUpApplication();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
