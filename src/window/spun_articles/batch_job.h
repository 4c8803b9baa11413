#pragma once

// A batch of spun articles chosen and written on a thread of its own, while
// a progress bar with Cancel shows how far it has come (after a moment's
// work; a quick batch shows none). The spin text is the job's own copy, so
// the boxes can change meanwhile without touching it.

#include <QString>

#include <string>

#include "processing/article_batch.h"

class QWidget;

namespace kestrelwick {

struct BatchJobResult {
    enum class Outcome { Written, Refused, Cancelled };
    Outcome outcome = Outcome::Written;
    QString message;  // Written: the summary line; Refused: why
};

// Runs the job over parent, modal, and returns once it has ended.
BatchJobResult runBatchJob(QWidget* parent, const std::u16string& spinText, SpinFormat format,
                           const BatchRequest& request, const QString& folder);

}  // namespace kestrelwick
