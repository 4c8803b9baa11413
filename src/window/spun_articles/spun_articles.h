#pragma once

// "Save spun articles…" (the output box's menu, and the preview): a batch of
// different articles spun from the output box's text, read in its own
// format (the one the window shows where the text does not tell, with a
// note where its groups hold the separators of several formats), chosen so
// that no two repeat each other, nor the three articles the user wrote,
// more than they must, and written to a folder as article-1.txt … with
// shares.csv, as the command line's --spin --count writes them.
//
// A dialog asks how many articles, or the share no two may pass, whether the
// written articles may be taken, and the folder (a new one in the Documents
// folder, named after the article's title); the work runs on a thread of its
// own behind a progress bar with Cancel over the main window that shows when
// it takes more than a moment. Then a message gives the command line's line,
// seed included, with a button that opens the folder. A cancel, a full disk,
// a folder that cannot be written, a file of the same name, or the window
// closed meanwhile leaves no file of the batch behind, and the boxes are
// never touched.
//
// This header is the room's one entry. Inside:
//   batch_dialog.h   the dialog that asks
//   batch_folder.h   the folder offered, and the folder typed
//   batch_job.h      the choice and the writing, on their own thread

#include <string>

#include "processing/spinning.h"

class QWidget;

namespace kestrelwick {

// shown: the format the window shows, which decides where the text does not.
void saveSpunArticles(QWidget* parent, std::u16string spinText, SpinFormat shown);

}  // namespace kestrelwick
