#include "console/batch_command.h"

#include <new>
#include <random>
#include <variant>

#include "console/command_line.h"
#include "console/spin_command.h"
#include "console/standard_streams.h"
#include "files/article_file.h"
#include "files/batch_files.h"
#include "files/engine_text.h"
#include "processing/article_batch.h"

namespace kestrelwick {

namespace {

bool say(QIODevice& err, const QString& message) {
    return writeUtf8(err, QStringLiteral("kestrelwick: ") + message + u'\n');
}

}  // namespace

int spinBatch(const CommandLine& command, QIODevice& in, QIODevice& err) {
    const QString name = spinTextArgument(command);
    const std::uint64_t count = *command.count;
    try {
        const ArticleFile file = readArticleArgument(name, &in);
        if (!file.read()) {
            say(err, file.refusal);
            return kExitTrouble;
        }
        const SpinFormat format = spinFormatFor(command, file.text, err);
        auto read = readSpinChoices(file.text, format, alternativesToKeep(count));
        if (const auto* error = std::get_if<SpinError>(&read)) {
            say(err, cannotBeSpun(name, *error));
            return kExitTrouble;
        }
        const SpinChoices& choices = std::get<SpinChoices>(read);
        if (const std::uint64_t articles = choices.articles(); count > articles) {
            say(err,
                QStringLiteral("the spin text gives only %1 different %2, fewer than the %3 "
                               "asked for.")
                    .arg(articles)
                    .arg(articles == 1 ? QStringLiteral("article") : QStringLiteral("articles"))
                    .arg(count));
            return kExitTrouble;
        }
        // A file in the way is told before any time goes into choosing.
        if (const QString inTheWay =
                command.maxShare ? QString() : fileInTheWay(command.out, count);
            !inTheWay.isEmpty()) {
            say(err, inTheWay);
            return kExitTrouble;
        }
        const std::vector<GroupRuns> runs = countGroupRuns(choices);
        const std::uint64_t seed = command.seed ? *command.seed : std::random_device{}();
        const std::optional<Batch> batch =
            chooseBatch(choices, runs, {count, command.maxShare, seed});
        const BatchFiles written = writeBatchFiles(
            command.out, batch->articles.size(),
            [&](std::size_t n) { return choices.article(batch->articles[n - 1]); },
            [](std::size_t) { return true; });
        if (written.outcome != BatchFiles::Outcome::Written) {
            say(err, written.message);
            return kExitTrouble;
        }
        writeUtf8(err, qtText(batch->summary()) + u'\n');
        return kExitClean;
    } catch (const std::bad_alloc&) {
        say(err, QStringLiteral("not enough memory to spin this text"));
        return kExitTrouble;
    }
}

}  // namespace kestrelwick
