#include "window/article_files.h"

#include "files/article_file.h"
#include "window/file_dialogs.h"
#include "window/messages.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

void openArticleFiles(QWidget* parent, const FormControls& controls, const QStringList& paths) {
    const qsizetype boxes = qsizetype(kArticleCount);
    const auto files = readArticleArguments(paths.mid(0, boxes), nullptr);
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
    const auto files = readArticleArguments(paths, nullptr);
    if (const QString refusals = refusalsOf(files); !refusals.isEmpty()) {
        warn(parent, refusals + QStringLiteral("\nNothing was changed."));
        return;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        controls.articleBoxes.at(std::size_t(index) + i)->replaceText(files[i].text);
    }
}

void openArticleDialog(QWidget* parent, const FormControls& controls, int index) {
    const QStringList paths = askForArticleFiles(parent);
    if (!paths.isEmpty()) {
        dropArticleFiles(parent, controls, index, paths);
    }
}

}  // namespace kestrelwick
