#include "window/spun_articles/spun_articles.h"

#include <QDesktopServices>
#include <QDir>
#include <QRandomGenerator>
#include <QUrl>

#include <variant>

#include "files/files.h"
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
    // Read once, for the dialog's count and for the job.
    const FoundFormat found = findSpinFormat(spinText, format);
    auto read = SpinSource::read(std::move(spinText), found);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        warn(parent, QStringLiteral("The spin text cannot be spun: ") + qtText(*refusal));
        return;
    }
    const SpinSource& spin = *std::get<std::unique_ptr<const SpinSource>>(read);
    BatchDialog dialog(parent, spin.choices().articles(), lastBatchFolder());
    while (dialog.exec() == QDialog::Accepted) {
        const QString folder = dialog.folder();
        if (folder.isEmpty()) {
            warn(&dialog, QStringLiteral("Say which folder the articles go to."));
            continue;
        }
        const ExportOutcome outcome = runBatchJob(
            &dialog, spin,
            {dialog.count(), dialog.maxShare(), QRandomGenerator::global()->generate64()}, folder);
        if (outcome.kind == ExportOutcome::Kind::Cancelled) {
            continue;  // nothing written; the user may change the request
        }
        if (outcome.kind == ExportOutcome::Kind::Refused) {
            warn(&dialog, outcome.refusal->kind == Refusal::Kind::NoMemory
                              ? QStringLiteral("There is not enough memory to spin these "
                                               "articles. Nothing was written.")
                              : qtText(*outcome.refusal));
            continue;
        }
        rememberBatchFolder(folder);
        if (informWithAction(parent, qtText(outcome.summary),
                             QStringLiteral("The articles are in \"%1\".")
                                 .arg(QDir::toNativeSeparators(QDir(folder).absolutePath())),
                             QStringLiteral("&Open folder"))) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(folder).absolutePath()));
        }
        return;
    }
}

}  // namespace kestrelwick
