#include "console/command_line.h"

#include <QCommandLineParser>

#include "files/files.h"
#include "processing/check_articles.h"

namespace kestrelwick {

namespace {

const QString kCheck = QStringLiteral("check");
const QString kSpin = QStringLiteral("spin");
const QString kFormat = QStringLiteral("format");
const QString kBy = QStringLiteral("by");
const QString kSeed = QStringLiteral("seed");
const QString kCount = QStringLiteral("count");
const QString kOut = QStringLiteral("out");
const QString kMaxShare = QStringLiteral("max-share");
const QString kWithWritten = QStringLiteral("with-written");

// The words --format takes, in the order of the formats: "ama|pipe" with
// between "|", "ama or pipe" with between " or ".
QString formatWords(const QString& between, const QString& last) {
    QString words;
    for (std::size_t f = 0; f < spinFormatCount(); ++f) {
        if (f > 0) {
            words += f + 1 == spinFormatCount() ? last : between;
        }
        words += qtText(spinFormatRow(spinFormatAt(f)).commandWord);
    }
    return words;
}

// What --help says of --format: every format's word and what its groups look
// like, wrapped as the other options are.
QString formatOptionText() {
    QString text = QStringLiteral("The spin format:");
    for (std::size_t f = 0; f < spinFormatCount(); ++f) {
        const SpinFormatRow& row = spinFormatRow(spinFormatAt(f));
        const SpinMarks marks = row.marks;
        text += QStringLiteral("%1 %2, %3a%4b%4c%5%6")
                    .arg(f == 0                       ? QString()
                         : f + 1 == spinFormatCount() ? QStringLiteral(", or")
                                                      : QStringLiteral(","))
                    .arg(qtText(row.commandWord))
                    .arg(QChar(marks.open))
                    .arg(QChar(marks.separator))
                    .arg(QChar(marks.close))
                    .arg(f == 0 ? QStringLiteral(" (the default)") : QString());
    }
    text += u'.';
    const QString indent(17, u' ');
    QString wrapped = QStringLiteral("  --format F     ");
    qsizetype column = wrapped.size();
    for (const QString& word : text.split(u' ')) {
        if (column > indent.size() && column + 1 + word.size() > 79) {
            wrapped += u'\n' + indent;
            column = indent.size();
        } else if (column > indent.size()) {
            wrapped += u' ';
            ++column;
        }
        wrapped += word;
        column += word.size();
    }
    return wrapped + u'\n';
}

void addOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QString()});
    parser.addOption({kCheck, QString()});
    parser.addOption({kSpin, QString()});
    parser.addOption({kFormat, QString(), QStringLiteral("format")});
    parser.addOption({kBy, QString(), QStringLiteral("grouping")});
    parser.addOption({kSeed, QString(), QStringLiteral("number")});
    parser.addOption({kCount, QString(), QStringLiteral("number")});
    parser.addOption({kOut, QString(), QStringLiteral("folder")});
    parser.addOption({kMaxShare, QString(), QStringLiteral("percent")});
    parser.addOption({kWithWritten, QString()});
    // The options that every Qt program takes for its window (the platform,
    // the style and so on) are the window's business: they are read here
    // only so that they are not taken for files or refused.
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "style",
                             "stylesheet", "display", "geometry", "title", "icon", "name"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    addOptions(parser);
    CommandLine command;
    const auto usageError = [&command](const QString& error) {
        command.mode = CommandLine::Mode::UsageError;
        command.error = error;
        return command;
    };
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    command.files = parser.positionalArguments();
    command.namesPlatform = parser.isSet(QStringLiteral("platform"));
    if (parser.isSet(QStringLiteral("help"))) {
        command.mode = CommandLine::Mode::Help;
        return command;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        command.mode = CommandLine::Mode::Version;
        return command;
    }
    const bool check = parser.isSet(kCheck);
    const bool spin = parser.isSet(kSpin);
    if (check && spin) {
        return usageError(QStringLiteral("--check and --spin go one at a time."));
    }
    if (parser.isSet(kFormat)) {
        const QString format = parser.value(kFormat);
        const std::optional<SpinFormat> named = spinFormatOfWord(engineText(format));
        if (!named) {
            return usageError(
                QStringLiteral("--format takes %1, not \"%2\".")
                    .arg(formatWords(QStringLiteral(", "), QStringLiteral(" or ")), format));
        }
        command.format = *named;
        if (!check && !spin) {
            return usageError(QStringLiteral("--format goes with --check or --spin."));
        }
        command.formatGiven = true;
    }
    if (parser.isSet(kBy)) {
        const QString by = parser.value(kBy);
        const std::optional<SpinBy> named = spinByOfWord(engineText(by));
        if (!named) {
            return usageError(QStringLiteral("--by takes %1 or %2, not \"%3\".")
                                  .arg(qtText(spinByWord(SpinBy::Paragraph)),
                                       qtText(spinByWord(SpinBy::Sentence)), by));
        }
        if (!check) {
            return usageError(QStringLiteral("--by goes with --check."));
        }
        command.by = *named;
    }
    if (parser.isSet(kSeed)) {
        bool number = false;
        const QString seed = parser.value(kSeed);
        command.seed = seed.toULongLong(&number);
        if (!number || seed.startsWith(u'+')) {
            return usageError(QStringLiteral("--seed takes a whole number from 0 to "
                                             "18446744073709551615, not \"%1\".")
                                  .arg(seed));
        }
        if (!spin) {
            return usageError(QStringLiteral("--seed goes with --spin."));
        }
    }
    if (parser.isSet(kCount)) {
        bool number = false;
        const QString count = parser.value(kCount);
        command.count = count.toULongLong(&number);
        if (!number || count.startsWith(u'+') || *command.count == 0 ||
            *command.count > kMostArticlesInABatch) {
            return usageError(QStringLiteral("--count takes a whole number from 1 to %1, not "
                                             "\"%2\": %3")
                                  .arg(kMostArticlesInABatch)
                                  .arg(count, qtText(mostArticlesReason())));
        }
    }
    if (parser.isSet(kMaxShare)) {
        bool number = false;
        const QString share = parser.value(kMaxShare);
        command.maxShare = share.toInt(&number);
        if (!number || share.startsWith(u'+') || *command.maxShare < 0 || *command.maxShare > 100) {
            return usageError(
                QStringLiteral("--max-share takes a whole percent from 0 to 100, not \"%1\".")
                    .arg(share));
        }
        if (!command.count) {
            return usageError(QStringLiteral("--max-share goes with --count."));
        }
    }
    if (parser.isSet(kWithWritten)) {
        if (!command.count) {
            return usageError(QStringLiteral("--with-written goes with --count."));
        }
        command.withWritten = true;
    }
    if (parser.isSet(kOut)) {
        command.out = parser.value(kOut);
    }
    if (command.count || parser.isSet(kOut)) {
        if (!spin) {
            return usageError(QStringLiteral("--count and --out go with --spin."));
        }
        if (!command.count || !parser.isSet(kOut) || command.out.isEmpty()) {
            return usageError(
                QStringLiteral("--count and --out go together: how many articles, "
                               "and the folder to write them to."));
        }
    }
    if (check) {
        command.mode = CommandLine::Mode::Check;
        if (command.files.size() != qsizetype(kArticleCount)) {
            return usageError(
                QStringLiteral("--check takes three files, not %1.").arg(command.files.size()));
        }
        if (command.files.count(kStandardInputArgument) > 1) {
            return usageError(QStringLiteral("Standard input (-) can stand for one file only."));
        }
    } else if (spin) {
        command.mode = CommandLine::Mode::Spin;
        if (command.files.size() > 1) {
            return usageError(
                QStringLiteral("--spin takes one file, not %1.").arg(command.files.size()));
        }
    }
    return command;
}

bool displayAvailable(const CommandLine& command) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return command.namesPlatform || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    Q_UNUSED(command);
    return true;
#endif
}

QString usageText() {
    const QString words = formatWords(QStringLiteral("|"), QStringLiteral("|"));
    return QStringLiteral(
               "Usage: kestrelwick [FILE1 [FILE2 [FILE3]]]\n"
               "       kestrelwick --check [--format %1] [--by paragraph|sentence]\n"
               "                   FILE1 FILE2 FILE3\n"
               "       kestrelwick --spin [--format %1] [--seed N] [FILE]\n"
               "       kestrelwick --spin --count K --out DIR [--max-share S] [--with-written]\n"
               "                   [--seed N] [--format %1] [FILE]\n"
               "\n"
               "Checks three differently worded versions of one article, paragraph for\n"
               "paragraph, and writes them in AMA spin format.\n"
               "\n"
               "Without --check or --spin, opens the window with the first three files in\n"
               "article boxes 1, 2 and 3; a message names any files left out. Standard input\n"
               "(-) is read only with --check and --spin.\n"
               "\n"
               "Options:\n"
               "  --check        Check the three files without a window. The spin text goes to\n"
               "                 standard output; the word counts, the minimum length, what the\n"
               "                 spin text gives and the report's notes go to standard error. A\n"
               "                 file named - is read from standard input.\n"
               "  --spin         Write one article spun from the spin text in FILE (standard\n"
               "                 input when FILE is - or left out): every group replaced by one\n"
               "                 of its alternatives, picked at random.\n"
               "  --count K      With --spin: write K different articles (at most %3) to the\n"
               "  --out DIR      folder DIR as article-1.txt to article-K.txt, with shares.csv,\n"
               "                 chosen so that no two share more of their runs of four words\n"
               "                 than they must, none is one of the three articles you wrote,\n"
               "                 and they repeat those as little as they can; say on standard\n"
               "                 error how much any two share. An existing file is never\n"
               "                 overwritten.\n"
               "  --max-share S  With --count: as many articles as can be found, up to K, of\n"
               "                 which no two share more than S percent, nor any with one of\n"
               "                 the three you wrote.\n"
               "  --with-written With --count: the three articles you wrote may be chosen and\n"
               "                 take no part in the limit (for when you publish none of them).\n"
               "%2"
               "  --by B         With --check: paragraph (the default), one group per\n"
               "                 paragraph, or sentence, one group per sentence wherever a\n"
               "                 paragraph's versions have as many sentences each.\n"
               "  --seed N       Pick the alternatives from seed N (0 to 18446744073709551615):\n"
               "                 the same seed gives the same article (or batch) on every\n"
               "                 system.\n"
               "  -h, --help     Show this help and exit.\n"
               "  -v, --version  Show the version and exit.\n"
               "\n"
               "Files are read as UTF-8 or UTF-16 when they start with a byte-order mark, as\n"
               "UTF-8 when they are valid UTF-8, and as Windows-1252 otherwise. Files larger\n"
               "than 256 MiB or holding NUL characters are refused.\n"
               "\n"
               "Exit status: 0 when the check has no notes (or the article was spun), 1 when\n"
               "it has notes, 2 for a usage error, a file that cannot be read or a spin text\n"
               "that cannot be spun.\n")
        .arg(words, formatOptionText(), QString::number(kMostArticlesInABatch));
}

QString versionText() {
    return QStringLiteral("kestrelwick " KESTRELWICK_VERSION_TEXT "\n");
}

}  // namespace kestrelwick
