#pragma once

// A batch of spun articles chosen and written on a thread of its own
// (processing/spin_export.h, into a folder: files/batch_files.h), while a
// progress bar with Cancel shows how far it has come (after a moment's work;
// a quick batch shows none). The job keeps only the thread and the progress:
// what is chosen, written and said is the export's.

#include <QString>

#include "processing/spinning.h"

class QWidget;

namespace kestrelwick {

// Runs the export over parent, modal, and returns once it has ended. The
// spin text is read already, and stays unchanged while the job runs.
ExportOutcome runBatchJob(QWidget* parent, const SpinSource& spin, const BatchRequest& request,
                          const QString& folder);

}  // namespace kestrelwick
