#pragma once

// A batch of spun articles chosen and written on a thread of its own
// (processing/spin_export.h, into a folder: files/batch_files.h), while a
// progress bar with Cancel, over the main window and above it, shows how far
// it has come (after a moment's work; a quick batch shows none). The job
// keeps only the thread and the progress: what is chosen, written and said
// is the export's.
//
// The job always ends: where no thread can be started it runs at once,
// without the progress; a close of the main window, or the end of the
// program told by the system, cancels it, and the window closes once
// nothing of the batch is left.

#include <QString>

#include "processing/spinning.h"

class QWidget;

namespace kestrelwick {

struct BatchJobEnd {
    ExportOutcome outcome;
    // What the folder held of stopped batches, removed (BatchFolder).
    QString leftovers;
    // The main window was closed meanwhile: it closes now, and nothing more
    // is to be shown.
    bool closing = false;
};

// Runs the export over the main window, window-modal, and returns once it
// has ended. The spin text is read already, and stays unchanged meanwhile.
BatchJobEnd runBatchJob(QWidget* window, const SpinSource& spin, const BatchRequest& request,
                        const QString& folder);

// For the tests of a system that cannot start one more thread: the job's
// thread is taken as one that could not be started.
void refuseBatchThreadsForTests(bool refuse);

}  // namespace kestrelwick
