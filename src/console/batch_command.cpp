#include "console/batch_command.h"

#include <QDir>

#include <new>
#include <random>
#include <variant>

#include "console/command_line.h"
#include "console/spin_command.h"
#include "console/standard_streams.h"
#include "console/stop_signals.h"
#include "files/files.h"

namespace kestrelwick {

namespace {

bool say(QIODevice& err, const QString& message) {
    return writeUtf8(err, QStringLiteral("kestrelwick: ") + message + u'\n');
}

// The command line's batch is stopped only by a signal.
class StoppedBySignal final : public ExportProgress {
  public:
    bool cancelled() override { return StopSignals::caught() != 0; }
};

// Writes the batch, stopped by a signal if one comes; the folder left as it
// was unless the batch was written whole.
int exportBatch(const CommandLine& command, const SpinSource& spin, QIODevice& err) {
    const std::uint64_t seed = command.seed ? *command.seed : std::random_device{}();
    const StopSignals stopSignals;
    ExportOutcome outcome;
    QString leftovers;
    {
        BatchFolder folder(command.out);
        StoppedBySignal progress;
        outcome = exportSpunArticles(
            spin, {*command.count, command.maxShare, seed, command.withWritten}, progress, folder);
        leftovers = folder.leftoversRemoved();
    }
    if (StopSignals::caught() != 0 && outcome.kind != ExportOutcome::Kind::Written) {
        say(err, QStringLiteral("stopped by %1: the batch was not written, and nothing of it is "
                                "left in \"%2\".")
                     .arg(QLatin1String(StopSignals::nameOf(StopSignals::caught())),
                          QDir::toNativeSeparators(command.out)));
        StopSignals::endAsCaught();
    }
    if (outcome.kind == ExportOutcome::Kind::Written) {
        writeUtf8(err, qtText(outcome.summary) +
                           (leftovers.isEmpty() ? QString() : u' ' + leftovers) + u'\n');
        return kExitClean;
    }
    if (outcome.refusal) {
        say(err, qtText(*outcome.refusal));
    }
    return kExitTrouble;
}

}  // namespace

int spinBatch(const CommandLine& command, QIODevice& in, QIODevice& err) {
    const QString name = spinTextArgument(command);
    try {
        ArticleFile file = readArticleArgument(name, &in);
        if (!file.read()) {
            say(err, qtText(*file.refusal));
            return kExitTrouble;
        }
        const FoundFormat found = spinFormatFor(command, file.text, err);
        auto read = SpinSource::read(std::move(file.text), found);
        if (const auto* refusal = std::get_if<Refusal>(&read)) {
            say(err, cannotBeSpun(name, *refusal));
            return kExitTrouble;
        }
        return exportBatch(command, *std::get<std::unique_ptr<const SpinSource>>(read), err);
    } catch (const std::bad_alloc&) {
        say(err, QStringLiteral("not enough memory to spin this text"));
        return kExitTrouble;
    }
}

}  // namespace kestrelwick
