#include "window/spun_articles/batch_job.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>

#include "files/files.h"

namespace kestrelwick {

namespace {

std::atomic<bool> threadsRefused{false};

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

// A close of the main window while the job runs: the job is cancelled, and
// the window closes once it has ended.
class CloseWaits final : public QObject {
  public:
    CloseWaits(QWidget* window, Shared& shared) : window_(window), shared_(shared) {
        window->installEventFilter(this);
    }
    bool closing() const { return closing_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Close) {
            event->ignore();
            closing_ = true;
            shared_.stop = true;
            return true;
        }
        return false;
    }

  private:
    QWidget* window_;
    Shared& shared_;
    bool closing_ = false;
};

}  // namespace

void refuseBatchThreadsForTests(bool refuse) {
    threadsRefused = refuse;
}

BatchJobEnd runBatchJob(QWidget* window, const SpinSource& spin, const BatchRequest& request,
                        const QString& folder) {
    Shared shared;
    BatchJobEnd end;
    const auto work = [&] {
        BatchFolder writer(folder);
        end.outcome = exportSpunArticles(spin, request, shared, writer);
        end.leftovers = writer.leftoversRemoved();
    };

    QThread* thread = QThread::create(work);
    if (!threadsRefused) {
        thread->start();
    }
    if (!thread->isRunning() && !thread->isFinished()) {
        // No thread to be had (the system's limit on processes, or no
        // memory for a stack): the work is done here and now, as a save is.
        delete thread;
        work();
        return end;
    }

    QProgressDialog progress(QStringLiteral("Choosing the articles…"), QStringLiteral("Cancel"), 0,
                             0, window);
    progress.setWindowTitle(QStringLiteral("Save spun articles"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&shared, &progress] {
        shared.stop = true;
        progress.setLabelText(QStringLiteral("Stopping…"));
    });
    const CloseWaits closeWaits(window, shared);

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
    loop.exec();
    if (!thread->isFinished()) {
        // The event loop was ended from outside (the system ends the
        // program): the batch stops, and leaves nothing behind.
        shared.stop = true;
    }
    thread->wait();
    delete thread;
    end.closing = closeWaits.closing();
    if (end.closing) {
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    }
    return end;
}

}  // namespace kestrelwick
