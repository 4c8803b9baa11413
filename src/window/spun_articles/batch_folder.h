#pragma once

// The folder a batch of spun articles goes to, as the dialog takes it: a
// new folder of its own in the user's Documents folder by default, named
// after the article's title, so that one batch never meets another; and a
// folder typed by hand, "~" standing for the home folder as in a shell.

#include <QString>

#include <optional>
#include <string_view>

namespace kestrelwick {

// The folder's name for an article's title: the characters no system takes
// in a name left out, at most sixty characters; "Spun articles" where
// nothing is left.
QString folderNameFor(std::u16string_view title);

// A folder that is not there yet, in the Documents folder (or the home
// folder where there is none): the title's name, or the name with " 2",
// " 3", ... where that is taken.
QString newBatchFolder(std::u16string_view title);

// The folder a user typed, "~" and "~/..." read as in the home folder;
// nothing for a name that is not a whole path (it would go wherever the
// program happened to be started).
std::optional<QString> typedFolder(const QString& typed);

}  // namespace kestrelwick
