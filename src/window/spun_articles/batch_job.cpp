#include "window/spun_articles/batch_job.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>

#include "files/files.h"

namespace kestrelwick {

namespace {

// What the thread and the window share: the user's cancel, and how many
// articles there are to write and are written.
class Shared final : public ExportProgress {
  public:
    std::atomic<bool> stop{false};
    std::atomic<std::size_t> total{0};
    std::atomic<std::size_t> done{0};

    bool cancelled() override { return stop.load(); }
    void written(std::size_t count, std::size_t all) override {
        total = all;
        done = count;
    }
};

}  // namespace

ExportOutcome runBatchJob(QWidget* parent, const SpinSource& spin, const BatchRequest& request,
                          const QString& folder) {
    Shared shared;
    ExportOutcome outcome;
    QProgressDialog progress(QStringLiteral("Choosing the articles…"), QStringLiteral("Cancel"), 0,
                             0, parent);
    progress.setWindowTitle(QStringLiteral("Save spun articles"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&shared, &progress] {
        shared.stop = true;
        progress.setLabelText(QStringLiteral("Stopping…"));
    });

    const auto work = [&] {
        BatchFolder writer(folder);
        outcome = exportSpunArticles(spin, request, shared, writer);
    };
    QThread* thread = QThread::create(work);
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&shared, &progress] {
        if (progress.wasCanceled()) {
            shared.stop = true;
            return;
        }
        if (const std::size_t total = shared.total; total > 0 && !shared.stop) {
            progress.setLabelText(QStringLiteral("Writing the articles…"));
            progress.setMaximum(int(total));
            progress.setValue(int(shared.done.load()));
        } else {
            progress.setValue(0);  // shows the bar once the work has taken a moment
        }
    });
    tick.start(50);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    return outcome;
}

}  // namespace kestrelwick
