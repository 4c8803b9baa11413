#include "window/article_files.h"

#include "files/files.h"
#include "window/file_dialogs.h"
#include "window/low_memory.h"
#include "window/messages.h"
#include "window/paragraph_refusals.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

namespace {

// The files read for the article boxes from `first` on, each refused as the
// file reader refuses one where its text has a paragraph longer than a box
// takes: no box lays such a text out.
std::vector<ArticleFile> readForBoxes(const QStringList& paths, std::size_t first) {
    std::vector<ArticleFile> files = readArticleArguments(paths, nullptr);
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!files[k].read()) {
            continue;
        }
        if (const std::optional<LongParagraph> found = findLongParagraph({files[k].text})) {
            files[k].refusal = fileRefusal(paths[qsizetype(k)], boxName(first + k), *found);
            std::u16string().swap(files[k].text);
        }
    }
    return files;
}

void openFiles(QWidget* parent, const FormControls& controls, const QStringList& paths) {
    const qsizetype boxes = qsizetype(kArticleCount);
    const auto files = readForBoxes(paths.mid(0, boxes), 0);
    // Each file replaces what its box holds as an undoable edit, as a drop
    // does; a refused file leaves its box as it is.
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (files[k].read()) {
            controls.articleBoxes[k]->replaceText(files[k].text);
        }
    }
    // A file manager hands over every file the user selected; the boxes take
    // the first three.
    QStringList messages;
    if (const QString refusals = refusalsOf(files); !refusals.isEmpty()) {
        messages << refusals;
    }
    if (paths.size() > boxes) {
        const QStringList leftOut = paths.mid(boxes);
        messages << (leftOut.size() == 1
                         ? QStringLiteral("There are three article boxes, so this file was not "
                                          "opened:")
                         : QStringLiteral("There are three article boxes, so these %1 files were "
                                          "not opened:")
                               .arg(leftOut.size())) +
                        u'\n' + leftOut.join(u'\n');
    }
    if (!messages.isEmpty()) {
        warnOnceShown(parent, messages.join(QStringLiteral("\n\n")));
    }
}

}  // namespace

void openArticleFiles(QWidget* parent, const FormControls& controls, const QStringList& paths) {
    try {
        openFiles(parent, controls, paths);
    } catch (const std::bad_alloc&) {
        warnShortOfMemory(parent, QStringLiteral("There is not enough memory to read the files "
                                                 "named at start. The boxes are as they were."));
    }
}

void dropArticleFiles(QWidget* parent, const FormControls& controls, int index,
                      const QStringList& paths) {
    if (index < 0 || index >= int(kArticleCount)) {
        warn(parent, QStringLiteral("Files can be dropped on the three article boxes only; this "
                                    "box gets its text from Check Articles."));
        return;
    }
    const qsizetype room = qsizetype(kArticleCount) - index;
    if (paths.size() > room) {
        warn(parent,
             QStringLiteral("%1 files were dropped on article box %2, but only %3 article %4 from "
                            "there on. Nothing was changed.")
                 .arg(paths.size())
                 .arg(index + 1)
                 .arg(room)
                 .arg(room == 1 ? QStringLiteral("box is") : QStringLiteral("boxes are")));
        return;
    }
    std::size_t replaced = 0;
    try {
        const auto files = readForBoxes(paths, std::size_t(index));
        if (const QString refusals = refusalsOf(files); !refusals.isEmpty()) {
            warn(parent, refusals + QStringLiteral("\nNothing was changed."));
            return;
        }
        for (; replaced < files.size(); ++replaced) {
            controls.articleBoxes.at(std::size_t(index) + replaced)
                ->replaceText(files[replaced].text);
        }
    } catch (const std::bad_alloc&) {
        // The boxes filled already are taken back: all or nothing, as with a
        // refused file.
        for (std::size_t k = 0; k < replaced; ++k) {
            controls.articleBoxes.at(std::size_t(index) + k)->undo();
        }
        warnShortOfMemory(parent, QStringLiteral("There is not enough memory to read these "
                                                 "files. Nothing was changed."));
    }
}

void openArticleDialog(QWidget* parent, const FormControls& controls, int index) {
    const QStringList paths = askForArticleFiles(parent);
    if (!paths.isEmpty()) {
        dropArticleFiles(parent, controls, index, paths);
    }
}

}  // namespace kestrelwick
