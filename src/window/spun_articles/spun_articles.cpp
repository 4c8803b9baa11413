#include "window/spun_articles/spun_articles.h"

#include <QDesktopServices>
#include <QDir>
#include <QRandomGenerator>
#include <QUrl>

#include <variant>

#include "files/engine_text.h"
#include "processing/spin_choices.h"
#include "window/file_dialogs.h"
#include "window/messages.h"
#include "window/spun_articles/batch_dialog.h"
#include "window/spun_articles/batch_job.h"

namespace kestrelwick {

void saveSpunArticles(QWidget* parent, std::u16string spinText, SpinFormat format) {
    if (spinText.empty()) {
        warn(parent, QStringLiteral("There is no spin text to spin yet. Press Check Articles to "
                                    "write it into the output box, or paste one there."));
        return;
    }
    // Only the number of articles it gives, for the dialog: one alternative
    // of each group is kept.
    const auto read = readSpinChoices(spinText, format, 1);
    if (const auto* error = std::get_if<SpinError>(&read)) {
        warn(parent, QStringLiteral("The spin text cannot be spun: ") + qtText(error->text()));
        return;
    }
    BatchDialog dialog(parent, std::get<SpinChoices>(read).articles(), lastBatchFolder());
    while (dialog.exec() == QDialog::Accepted) {
        const QString folder = dialog.folder();
        if (folder.isEmpty()) {
            warn(&dialog, QStringLiteral("Say which folder the articles go to."));
            continue;
        }
        const BatchJobResult result = runBatchJob(
            &dialog, spinText, format,
            {dialog.count(), dialog.maxShare(), QRandomGenerator::global()->generate64()}, folder);
        if (result.outcome == BatchJobResult::Outcome::Cancelled) {
            continue;  // nothing written; the user may change the request
        }
        if (result.outcome == BatchJobResult::Outcome::Refused) {
            warn(&dialog, result.message);
            continue;
        }
        rememberBatchFolder(folder);
        if (informWithAction(parent, result.message,
                             QStringLiteral("The articles are in \"%1\".")
                                 .arg(QDir::toNativeSeparators(QDir(folder).absolutePath())),
                             QStringLiteral("&Open folder"))) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(folder).absolutePath()));
        }
        return;
    }
}

}  // namespace kestrelwick
