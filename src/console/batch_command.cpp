#include "console/batch_command.h"

#include <new>
#include <random>
#include <variant>

#include "console/command_line.h"
#include "console/spin_command.h"
#include "console/standard_streams.h"
#include "files/files.h"

namespace kestrelwick {

namespace {

bool say(QIODevice& err, const QString& message) {
    return writeUtf8(err, QStringLiteral("kestrelwick: ") + message + u'\n');
}

// Nothing to ask: the command line's batch is stopped only by a signal.
class Uninterrupted final : public ExportProgress {};

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
        const SpinSource& spin = *std::get<std::unique_ptr<const SpinSource>>(read);
        const std::uint64_t seed = command.seed ? *command.seed : std::random_device{}();
        BatchFolder folder(command.out);
        Uninterrupted progress;
        const ExportOutcome outcome =
            exportSpunArticles(spin, {*command.count, command.maxShare, seed}, progress, folder);
        if (outcome.kind == ExportOutcome::Kind::Written) {
            writeUtf8(err, qtText(outcome.summary) + u'\n');
            return kExitClean;
        }
        if (outcome.refusal) {
            say(err, qtText(*outcome.refusal));
        }
        return kExitTrouble;
    } catch (const std::bad_alloc&) {
        say(err, QStringLiteral("not enough memory to spin this text"));
        return kExitTrouble;
    }
}

}  // namespace kestrelwick
