#pragma once

// The user's work, kept across runs: the texts of the three article boxes
// and of the output box, saved to one state file and put back in the boxes
// at the next start.
//
// When: two seconds after the last edit, when the window closes, and when the
// desktop session ends, and when the system ends the program with SIGTERM
// or SIGHUP. Typing goes on while a large state is saved: the boxes' texts
// are read in the window's thread a slice at a time, between which keys are
// handled (an edit meanwhile starts the wait again), and written on a thread
// of their own; only one save is written at a time, and edits during it are
// saved after it. When the window closes or the session ends, the texts are
// read and written at once. A save is written whole to a new file that then
// replaces the state, so the file on disk is always the old state or the new
// one, readable by its owner only.
//
// Whose: the first window takes the state with a lock file; a window started
// while another holds it opens empty, saves nothing and says so in its
// title. A lock left by a program that died is taken over.
//
// A state file that cannot be read, is cut short or comes from a newer
// version is moved aside (its name with ".bad-" and a time stamp), the boxes
// stay empty, and a message names both files. One too large for the memory
// there is, or whose texts have a paragraph longer than a box takes, stays
// where it is, untouched, and the window saves nothing over it. A save that
// fails is reported once for each new reason and tried again; the window
// goes on working.
//
// This header is the saved work's one entry; the rest of the window includes
// nothing else of this folder. The units inside, in the order a run uses
// them:
//   state_lock.h        which window keeps the saved work
//   state_file.h        the file's format
//   state_io.h          reading and writing the file, whole or not at all
//   shutdown_signals.h  SIGTERM and SIGHUP save before the program ends

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "window/saved_state/state_file.h"

class QThread;
class QWidget;

namespace kestrelwick {

class StateLock;
class TextBox;

class SavedState : public QObject {
    Q_OBJECT

  public:
    static constexpr int kQuietMilliseconds = 2000;
    // While saving fails, how long until it is tried again.
    static constexpr int kRetryMilliseconds = 30000;
    // What a window that does not keep the saved work says in its title:
    // another window keeps it, there was not the memory to read it, or it
    // has a paragraph longer than a box takes.
    static const QString kNotSaved;
    static const QString kNotRead;
    static const QString kNotShown;

    // The state file in the user's application-data folder.
    static QString defaultPath();

    // Keeps the texts of the four large boxes (the articles, then the output)
    // of window, whose closing saves them.
    SavedState(QWidget* window, const std::array<TextBox*, kStateTexts>& boxes, QString path);
    // Finishes a save under way.
    ~SavedState() override;
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

    // Takes the state for this window and puts its texts in the boxes, with
    // fresh undo histories. Returns false when another window holds the
    // state, or when there is not the memory to read it or a text has a
    // paragraph longer than a box takes (it then stays as it is, for a later
    // start or version): this window then saves nothing.
    bool restore();

    // Saves now, after a save under way has finished; for the window closing
    // and the session ending.
    void saveNow();
    // Saves when the system ends the program (SIGTERM, SIGHUP), then ends
    // the event loop; once per program.
    void saveOnShutdownSignals();
    // Starts a save of what changed, as the quiet time after an edit does:
    // the texts are taken here and written on a thread of their own. A save
    // under way is left to finish first.
    void saveInBackground();

    // Why the last save failed; empty when it did not.
    QString failure() const { return failure_; }
    // Whether the window may close: it saves first, and asks when the save
    // failed, or when this window does not keep the saved work and has text.
    bool mayClose();
    QString path() const { return path_; }

  signals:
    // A save has ended; error is empty when the file holds the texts.
    void saved(const QString& error);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Job;

    void edited();
    // Reads the next slice of the boxes' texts; once all are read, hands
    // them to a thread that writes them.
    void readSlice();
    std::shared_ptr<Job> takeTexts() const;
    void finishSave(const Job& job);
    void collectWorker();
    void moveAside(const QString& why);
    void saveNothing(const QString& why);
    // Leaves the saved work as it is for a later start: lets go of the
    // lock, and saves nothing, for the reason that the title gives.
    void leaveUntouched(const QString& why);
    void removeLeftovers();

    QWidget* window_;
    std::array<TextBox*, kStateTexts> boxes_;
    QString path_;
    std::unique_ptr<StateLock> lock_;
    bool owns_ = false;
    QString notSaved_;  // why this window saves nothing
    bool restoring_ = false;
    bool dirty_ = false;
    // Why the last save failed, and the reason last told to the user.
    QString failure_;
    QString reported_;
    QTimer quiet_;
    QTimer retry_;
    // A save being read: the texts so far, and where reading goes on.
    std::shared_ptr<Job> reading_;
    std::size_t readingBox_ = 0;
    int readingAt_ = 0;
    QTimer nextSlice_;
    QThread* worker_ = nullptr;
    std::shared_ptr<Job> workerJob_;
};

}  // namespace kestrelwick
