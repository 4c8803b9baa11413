#pragma once

// "Save spun articles…" (the output box's menu, and the preview): a batch of
// different articles spun from the output box's text in the format the
// window shows, chosen so that no two repeat each other more than they must
// (processing/article_batch.h), written to a folder as article-1.txt … as the
// command line's --spin --count writes them (files/batch_files.h).
//
// A dialog asks how many articles, or the share no two may pass, and the
// folder; the work runs on a thread of its own behind a progress bar with
// Cancel that shows when it takes more than a moment. Then a message gives
// the command line's line on how much any two share, with a button that
// opens the folder. A cancel, a full disk, a folder that cannot be written
// or a file of the same name leaves no file of the batch behind, and the
// boxes are never touched.
//
// This header is the room's one entry. Inside:
//   batch_dialog.h   the dialog that asks
//   batch_job.h      the choice and the writing, on their own thread

#include <string>

#include "processing/spinning.h"

class QWidget;

namespace kestrelwick {

void saveSpunArticles(QWidget* parent, std::u16string spinText, SpinFormat format);

}  // namespace kestrelwick
