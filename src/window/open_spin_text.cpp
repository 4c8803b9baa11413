#include "window/open_spin_text.h"

#include <QString>

#include <new>

#include "files/files.h"
#include "window/file_dialogs.h"
#include "window/low_memory.h"
#include "window/messages.h"
#include "window/spin_format_choice.h"

namespace kestrelwick {

void openSpinTextDialog(QWidget* parent, SpinFormatChoice* choice) {
    if (const QString path = askForSpinTextFile(parent); !path.isEmpty()) {
        openSpinText(parent, choice, path);
    }
}

void openSpinText(QWidget* parent, SpinFormatChoice* choice, const QString& path) {
    try {
        const ArticleFile file = readArticleFile(path);
        if (!file.read()) {
            warn(parent, qtText(*file.refusal) + QStringLiteral("\nNothing was changed."));
            return;
        }
        choice->openText(file.text);
    } catch (const std::bad_alloc&) {
        warnShortOfMemory(parent, QStringLiteral("There is not enough memory to open this spin "
                                                 "text. The output box is as it was."));
    }
}

}  // namespace kestrelwick
