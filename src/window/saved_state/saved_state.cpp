#include "window/saved_state/saved_state.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
#include <new>

#include "files/files.h"
#include "window/low_memory.h"
#include "window/messages.h"
#include "window/paragraph_refusals.h"
#include "window/saved_state/shutdown_signals.h"
#include "window/saved_state/state_io.h"
#include "window/saved_state/state_lock.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

const QString SavedState::kNotSaved =
    QStringLiteral("not saved: another Kestrelwick window keeps the saved work");
const QString SavedState::kNotRead =
    QStringLiteral("not saved: there was not the memory to read the saved work");
const QString SavedState::kNotShown =
    QStringLiteral("not saved: the saved work has a paragraph too long to show");

// One save: the texts as the boxes held them, and how writing them went.
struct SavedState::Job {
    std::array<QString, kStateTexts> raw;  // as the boxes hold them
    QString path;
    QString error;

    void write() {
        try {
            StateTexts texts;
            for (std::size_t k = 0; k < kStateTexts; ++k) {
                texts[k] = engineTextFromRaw(raw[k]);
                raw[k].clear();
            }
            error = writeStateFile(path, texts);
        } catch (const std::bad_alloc&) {
            error = QStringLiteral("not enough memory");
        }
    }
};

QString SavedState::defaultPath() {
    // The local folder, not the roaming one: the work belongs to this machine.
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/boxes.state");
}

SavedState::SavedState(QWidget* window, const std::array<TextBox*, kStateTexts>& boxes,
                       QString path)
    : window_(window), boxes_(boxes), path_(std::move(path)) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMilliseconds);
    connect(&quiet_, &QTimer::timeout, this, &SavedState::saveInBackground);
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMilliseconds);
    connect(&retry_, &QTimer::timeout, this, &SavedState::saveInBackground);
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &SavedState::readSlice);
    for (TextBox* box : boxes_) {
        connect(box, &QPlainTextEdit::textChanged, this, &SavedState::edited);
    }
    // The window closing ends the program; the session ending may too.
    window_->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &SavedState::saveNow);
}

SavedState::~SavedState() {
    collectWorker();
}

bool SavedState::restore() {
    makeFolder(QFileInfo(path_).absolutePath());  // a save that fails tells why
    lock_ = std::make_unique<StateLock>(path_ + QStringLiteral(".lock"));
    if (lock_->take() == StateLock::Taken::Others) {
        // Another window keeps the work: this one says so, and asks before
        // it closes with text in it.
        saveNothing(kNotSaved);
        return false;
    }
    owns_ = true;  // a lock that cannot be made shows once the first save fails
    removeLeftovers();

    StateRead read = readStateFile(path_);
    if (read.outcome == StateRead::Outcome::Refused) {
        moveAside(read.why);
        return true;
    }
    if (read.outcome == StateRead::Outcome::Missing) {
        return true;  // a first start
    }
    if (read.outcome == StateRead::Outcome::Read) {
        // A paragraph no box takes: the work stays as it is for a version
        // that shows it, before any box changes.
        for (std::size_t k = 0; k < kStateTexts; ++k) {
            if (const std::optional<LongParagraph> found = findLongParagraph({read.texts[k]})) {
                leaveUntouched(kNotShown);
                warnOnceShown(window_, savedWorkRefusal(path_, boxName(k), *found));
                return false;
            }
        }
        try {
            restoring_ = true;
            for (std::size_t k = 0; k < kStateTexts; ++k) {
                boxes_[k]->setText(read.texts[k]);
                std::u16string().swap(read.texts[k]);
            }
            restoring_ = false;
            return true;
        } catch (const std::bad_alloc&) {
            for (TextBox* box : boxes_) {
                box->clear();
            }
            restoring_ = false;
        }
    }
    // Not the memory to read it: it stays as it is for a later start.
    leaveUntouched(kNotRead);
    warnShortOfMemoryOnceShown(
        window_, QStringLiteral("The work saved in \"%1\" could not be read back: there is "
                                "not enough memory to read it. It stays as it is, and this "
                                "window saves nothing over it; close the window and start "
                                "Kestrelwick again when more memory is free.")
                     .arg(QDir::toNativeSeparators(path_)));
    return false;
}

void SavedState::leaveUntouched(const QString& why) {
    lock_.reset();
    owns_ = false;
    saveNothing(why);
}

void SavedState::saveNothing(const QString& why) {
    notSaved_ = why;
    window_->setWindowTitle(window_->windowTitle() + QStringLiteral(" (") + why + u')');
}

void SavedState::removeLeftovers() {
    // Only the window that holds the lock writes the state, so a new file
    // beside it now is what a writer left when it ended half-way.
    const QFileInfo state(path_);
    QDir folder = state.absoluteDir();
    for (const QString& name : folder.entryList({state.fileName() + QStringLiteral(".new-*")},
                                                QDir::Files | QDir::Hidden | QDir::System)) {
        folder.remove(name);
    }
}

void SavedState::moveAside(const QString& why) {
    const QString aside = path_ + QStringLiteral(".bad-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // A folder or any other thing at the path is moved aside as a file is.
    const bool moved = QDir().rename(path_, aside);
    warnOnceShown(
        window_,
        QStringLiteral("The work saved in \"%1\" could not be read back (%2), so the boxes start "
                       "empty.%3")
            .arg(QDir::toNativeSeparators(path_), why,
                 moved ? QStringLiteral(" The file was kept as \"%1\".")
                             .arg(QDir::toNativeSeparators(aside))
                       : QString()));
}

void SavedState::edited() {
    if (restoring_ || !owns_) {
        return;
    }
    dirty_ = true;
    // What was read so far may no longer be what the boxes hold.
    reading_.reset();
    nextSlice_.stop();
    quiet_.start();
}

std::shared_ptr<SavedState::Job> SavedState::takeTexts() const {
    auto job = std::make_shared<Job>();
    job->path = path_;
    for (std::size_t k = 0; k < kStateTexts; ++k) {
        job->raw[k] = boxes_[k]->document()->toRawText();
    }
    return job;
}

void SavedState::saveInBackground() {
    if (!owns_ || !dirty_ || reading_) {
        return;
    }
    if (worker_ != nullptr) {
        quiet_.start();  // after the save under way
        return;
    }
    reading_ = std::make_shared<Job>();
    reading_->path = path_;
    readingBox_ = 0;
    readingAt_ = 0;
    readSlice();
}

void SavedState::readSlice() {
    // About a millisecond's reading at a time.
    constexpr int kSlice = 1 << 17;
    if (!reading_) {
        return;
    }
    QTextDocument* document = boxes_[readingBox_]->document();
    const int end = document->characterCount() - 1;  // the last block has no separator
    try {
        if (readingAt_ == 0) {
            reading_->raw[readingBox_].reserve(end);  // no copy as the text grows
        }
        if (readingAt_ < end) {
            QTextCursor cursor(document);
            cursor.setPosition(readingAt_);
            readingAt_ = std::min(end, readingAt_ + kSlice);
            cursor.setPosition(readingAt_, QTextCursor::KeepAnchor);
            reading_->raw[readingBox_] += cursor.selectedText();
        }
    } catch (const std::bad_alloc&) {
        // Tried again, as a save that fails is.
        reading_.reset();
        Job failed;
        failed.path = path_;
        failed.error = QStringLiteral("not enough memory");
        finishSave(failed);
        return;
    }
    if (readingAt_ >= end) {
        ++readingBox_;
        readingAt_ = 0;
    }
    if (readingBox_ < kStateTexts) {
        nextSlice_.start();
        return;
    }
    // Every box is read: the texts are written on a thread of their own.
    dirty_ = false;
    workerJob_ = std::move(reading_);
    worker_ = QThread::create([job = workerJob_] { job->write(); });
    connect(worker_, &QThread::finished, this, [this, worker = worker_] {
        if (worker == worker_) {
            collectWorker();
        }
    });
    worker_->start();
    if (!worker_->isRunning() && !worker_->isFinished()) {
        // No thread to be had: written here and now.
        delete worker_;
        worker_ = nullptr;
        const std::shared_ptr<Job> job = std::move(workerJob_);
        job->write();
        finishSave(*job);
    }
}

void SavedState::collectWorker() {
    if (worker_ == nullptr) {
        return;
    }
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    const std::shared_ptr<Job> job = std::move(workerJob_);
    finishSave(*job);
}

void SavedState::saveNow() {
    quiet_.stop();
    nextSlice_.stop();
    reading_.reset();
    collectWorker();
    if (!owns_ || !dirty_) {
        return;
    }
    dirty_ = false;
    std::shared_ptr<Job> job;
    try {
        job = takeTexts();
        job->write();
    } catch (const std::bad_alloc&) {
        job = std::make_shared<Job>();
        job->path = path_;
        job->error = QStringLiteral("not enough memory");
    }
    finishSave(*job);
}

void SavedState::saveOnShutdownSignals() {
    kestrelwick::saveOnShutdownSignals([this] { saveNow(); });
}

void SavedState::finishSave(const Job& job) {
    failure_ = job.error;
    if (job.error.isEmpty()) {
        retry_.stop();
        reported_.clear();
    } else {
        // The texts are still to be saved: at the next edit, at close, and
        // on the timer meanwhile.
        dirty_ = true;
        retry_.start();
        if (job.error != reported_) {
            reported_ = job.error;
            warnOnceShown(
                window_,
                QStringLiteral("Your work could not be saved to \"%1\": %2. The saved work is as "
                               "it was before; Kestrelwick tries again at the next edit, every "
                               "%3 seconds, and when the window closes.")
                    .arg(QDir::toNativeSeparators(job.path), job.error)
                    .arg(kRetryMilliseconds / 1000));
        }
    }
    emit saved(job.error);
}

bool SavedState::mayClose() {
    if (owns_) {
        saveNow();
        if (failure_.isEmpty()) {
            return true;
        }
        return askToGoOn(window_,
                         QStringLiteral("Your latest work could not be saved: %1. Close anyway and "
                                        "lose it?")
                             .arg(failure_));
    }
    bool anyText = false;
    for (const TextBox* box : boxes_) {
        anyText = anyText || !box->document()->isEmpty();
    }
    return !anyText ||
           askToGoOn(window_, QStringLiteral("This window's work is %1. Close anyway and lose it?")
                                  .arg(notSaved_));
}

bool SavedState::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Close && !mayClose()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kestrelwick
