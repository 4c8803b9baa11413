#include "console/spin_command.h"

#include <QIODevice>

#include <new>
#include <random>
#include <variant>

#include "console/command_line.h"
#include "console/standard_streams.h"
#include "files/files.h"

namespace kestrelwick {

QString spinTextArgument(const CommandLine& command) {
    return command.files.isEmpty() ? QString(kStandardInputArgument) : command.files.front();
}

FoundFormat spinFormatFor(const CommandLine& command, std::u16string_view text, QIODevice& err) {
    FoundFormat found = findSpinFormat(
        text, command.formatGiven ? std::optional<SpinFormat>(command.format) : std::nullopt);
    if (found.mixed) {
        writeUtf8(err, QStringLiteral("kestrelwick: warning: ") + qtText(*found.mixed) + u'\n');
    }
    return found;
}

QString cannotBeSpun(const QString& name, const Refusal& refusal) {
    const QString shownName = name == kStandardInputArgument ? QStringLiteral("standard input")
                                                             : QStringLiteral("\"%1\"").arg(name);
    if (refusal.kind == Refusal::Kind::NoSpinText) {
        return QStringLiteral("the spin text in %1 is empty: there is nothing to spin.")
            .arg(shownName);
    }
    return QStringLiteral("the spin text in %1 cannot be spun: ").arg(shownName) + qtText(refusal);
}

int spinFile(const CommandLine& command, QIODevice& in, QIODevice& out, QIODevice& err) {
    const QString name = spinTextArgument(command);
    try {
        const ArticleFile file = readArticleArgument(name, &in);
        if (!file.read()) {
            writeUtf8(err, QStringLiteral("kestrelwick: ") + qtText(*file.refusal) + u'\n');
            return kExitTrouble;
        }
        if (file.text.empty()) {
            writeUtf8(err, QStringLiteral("kestrelwick: ") +
                               cannotBeSpun(name, {Refusal::Kind::NoSpinText}) + u'\n');
            return kExitTrouble;
        }
        const SpinFormat format = spinFormatFor(command, file.text, err).format;
        SpinRandom random(command.seed ? *command.seed : std::random_device{}());
        const auto spun = spinArticle(file.text, format, random);
        if (const auto* refusal = std::get_if<Refusal>(&spun)) {
            writeUtf8(err, QStringLiteral("kestrelwick: ") + cannotBeSpun(name, *refusal) + u'\n');
            return kExitTrouble;
        }
        // Line breaks as LF, as --check writes them.
        const QByteArray article = fileBytesOf(std::get<std::u16string>(spun));
        if (out.write(article) != article.size()) {
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
