#include "window/spun_articles/spun_articles.h"

#include <QDesktopServices>
#include <QDir>
#include <QRandomGenerator>
#include <QUrl>

#include <variant>

#include "files/files.h"
#include "window/messages.h"
#include "window/spun_articles/batch_dialog.h"
#include "window/spun_articles/batch_folder.h"
#include "window/spun_articles/batch_job.h"

namespace kestrelwick {

namespace {

void openFolder(QWidget* window, const QString& folder) {
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        warn(window,
             QStringLiteral("The folder could not be opened. It is here:\n\n") +
                 QDir::toNativeSeparators(folder),
             MessageText::Selectable);
    }
}

}  // namespace

void saveSpunArticles(QWidget* parent, std::u16string spinText, SpinFormat shown) {
    QWidget* window = parent->window();
    if (spinText.empty()) {
        warn(window, QStringLiteral("There is no spin text to spin yet. Press Check Articles to "
                                    "write it into the output box, or paste one there."));
        return;
    }
    // Read once, in the text's own format (the one shown where the text does
    // not tell), for the dialog and for the job.
    const FoundFormat found = findSpinFormat(spinText, std::nullopt, shown);
    auto read = SpinSource::read(std::move(spinText), found);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        warn(window, QStringLiteral("The spin text cannot be spun: ") + qtText(*refusal));
        return;
    }
    const SpinSource& spin = *std::get<std::unique_ptr<const SpinSource>>(read);
    BatchOffer offer;
    offer.articles = spin.choices().articles();
    offer.notWritten = availableArticles(spin.choices(), false);
    offer.folder = newBatchFolder(spin.title());
    if (spin.mixed()) {
        offer.note = QStringLiteral("Note: ") + qtText(*spin.mixed());
    }
    BatchDialog dialog(window, offer);
    while (dialog.exec() == QDialog::Accepted) {
        const QString folder = dialog.folder();
        const std::uint64_t seed = QRandomGenerator::global()->generate64();
        const BatchJobEnd end = runBatchJob(
            window, spin, {dialog.count(), dialog.maxShare(), seed, dialog.withWritten()}, folder);
        if (end.closing) {
            return;
        }
        const ExportOutcome& outcome = end.outcome;
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
        const QString shownFolder = QDir::toNativeSeparators(folder);
        QString detail =
            QStringLiteral("The articles are in \"%1\", with shares.csv.").arg(shownFolder);
        if (!end.leftovers.isEmpty()) {
            detail += u' ' + end.leftovers;
        }
        if (informWithAction(window, qtText(outcome.summary), detail,
                             QStringLiteral("&Open folder"))) {
            openFolder(window, folder);
        }
        return;
    }
}

}  // namespace kestrelwick
