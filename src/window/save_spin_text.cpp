#include "window/save_spin_text.h"

#include <QDir>

#include "files/files.h"
#include "window/file_dialogs.h"
#include "window/messages.h"
#include "window/widgets/widgets.h"

namespace kestrelwick {

void saveSpinText(QWidget* parent, const TextBox* outputBox) {
    if (outputBox->document()->isEmpty()) {
        warn(parent, QStringLiteral("There is no spin text to save yet. Press Check Articles to "
                                    "write it into the output box, or paste one there."));
        return;
    }
    const QString path = askWhereToSaveSpinText(parent);
    if (path.isEmpty()) {
        return;
    }
    if (const auto why = saveTextFile(path, outputBox->text())) {
        warn(parent, QStringLiteral("Cannot save \"%1\": %2. The file is as it was.")
                         .arg(QDir::toNativeSeparators(path), qtText(*why)));
    }
}

}  // namespace kestrelwick
