#include "console/spin_command.h"

#include <QIODevice>

#include <new>
#include <random>
#include <variant>

#include "console/standard_streams.h"
#include "files/article_file.h"
#include "files/engine_text.h"
#include "processing/spinner.h"

namespace kestrelwick {

int spinFile(const QString& name, SpinFormat format, std::optional<std::uint64_t> seed,
             QIODevice& in, QIODevice& out, QIODevice& err) {
    try {
        const ArticleFile file = readArticleArgument(name, &in);
        if (!file.read()) {
            writeUtf8(err, QStringLiteral("kestrelwick: ") + file.refusal + u'\n');
            return kExitTrouble;
        }
        SpinRandom random(seed ? *seed : std::random_device{}());
        const auto spun = spinArticle(file.text, format, random);
        if (const auto* error = std::get_if<SpinError>(&spun)) {
            const QString shownName = name == kStandardInputArgument
                                          ? QStringLiteral("standard input")
                                          : QStringLiteral("\"%1\"").arg(name);
            writeUtf8(
                err,
                QStringLiteral("kestrelwick: the spin text in %1 cannot be spun: ").arg(shownName) +
                    qtText(error->text()) + u'\n');
            return kExitTrouble;
        }
        // Line breaks as LF, as --check writes them.
        QString article = qtText(std::get<std::u16string>(spun));
        article.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!writeUtf8(out, article)) {
            writeUtf8(err, QStringLiteral("kestrelwick: cannot write the article: ") +
                               failureOf(out) + u'\n');
            return kExitTrouble;
        }
        return kExitClean;
    } catch (const std::bad_alloc&) {
        writeUtf8(err, QStringLiteral("kestrelwick: not enough memory to spin this text\n"));
        return kExitTrouble;
    }
}

}  // namespace kestrelwick
