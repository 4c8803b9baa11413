#include "window/spun_articles/batch_job.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <new>
#include <variant>

#include "files/batch_files.h"
#include "files/engine_text.h"

namespace kestrelwick {

namespace {

// What the thread and the window share: the user's cancel, and how many
// articles there are to write and are written.
struct Shared {
    std::atomic<bool> cancelled{false};
    std::atomic<std::size_t> total{0};
    std::atomic<std::size_t> written{0};
};

class Cancel final : public BatchProgress {
  public:
    explicit Cancel(const std::atomic<bool>& flag) : flag_(flag) {}
    bool cancelled() override { return flag_.load(); }

  private:
    const std::atomic<bool>& flag_;
};

BatchJobResult work(const std::u16string& text, SpinFormat format, const BatchRequest& request,
                    const QString& folder, Shared& shared) {
    using Outcome = BatchJobResult::Outcome;
    try {
        auto read = readSpinChoices(text, format, alternativesToKeep(request.count));
        if (const auto* error = std::get_if<SpinError>(&read)) {
            return {Outcome::Refused,
                    QStringLiteral("The spin text cannot be spun: ") + qtText(error->text())};
        }
        const SpinChoices& choices = std::get<SpinChoices>(read);
        const std::vector<GroupRuns> runs = countGroupRuns(choices);
        Cancel cancel(shared.cancelled);
        const std::optional<Batch> batch = chooseBatch(choices, runs, request, &cancel);
        if (!batch) {
            return {Outcome::Cancelled, {}};
        }
        shared.total = batch->articles.size();
        const BatchFiles files = writeBatchFiles(
            folder, batch->articles.size(),
            [&](std::size_t n) { return choices.article(batch->articles[n - 1]); },
            [&](std::size_t n) {
                shared.written = n;
                return !shared.cancelled.load();
            });
        switch (files.outcome) {
            case BatchFiles::Outcome::Written:
                return {Outcome::Written, qtText(batch->summary())};
            case BatchFiles::Outcome::Cancelled:
                return {Outcome::Cancelled, {}};
            case BatchFiles::Outcome::Refused:
                break;
        }
        return {Outcome::Refused, files.message};
    } catch (const std::bad_alloc&) {
        return {Outcome::Refused, QStringLiteral("There is not enough memory to spin these "
                                                 "articles. Nothing was written.")};
    }
}

}  // namespace

BatchJobResult runBatchJob(QWidget* parent, const std::u16string& spinText, SpinFormat format,
                           const BatchRequest& request, const QString& folder) {
    Shared shared;
    BatchJobResult result;
    QProgressDialog progress(QStringLiteral("Choosing the articles…"), QStringLiteral("Cancel"), 0,
                             0, parent);
    progress.setWindowTitle(QStringLiteral("Save spun articles"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&shared, &progress] {
        shared.cancelled = true;
        progress.setLabelText(QStringLiteral("Stopping…"));
    });

    QThread* thread =
        QThread::create([&] { result = work(spinText, format, request, folder, shared); });
    QEventLoop loop;
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&shared, &progress] {
        if (progress.wasCanceled()) {
            shared.cancelled = true;
            return;
        }
        if (const std::size_t total = shared.total; total > 0 && !shared.cancelled) {
            progress.setLabelText(QStringLiteral("Writing the articles…"));
            progress.setMaximum(int(total));
            progress.setValue(int(shared.written.load()));
        } else {
            progress.setValue(0);  // shows the bar once the work has taken a moment
        }
    });
    tick.start(50);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    return result;
}

}  // namespace kestrelwick
