#include "console/command_line.h"

#include <QCommandLineParser>

#include <array>
#include <csignal>
#include <new>
#include <string>

#include "console/spin_command.h"
#include "files/article_file.h"
#include "files/engine_text.h"
#include "processing/check_articles.h"

namespace kestrelwick {

namespace {

const QString kCheck = QStringLiteral("check");
const QString kSpin = QStringLiteral("spin");
const QString kFormat = QStringLiteral("format");
const QString kSeed = QStringLiteral("seed");
void addOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QString()});
    parser.addOption({kCheck, QString()});
    parser.addOption({kSpin, QString()});
    parser.addOption({kFormat, QString(), QStringLiteral("format")});
    parser.addOption({kSeed, QString(), QStringLiteral("number")});
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

const QString kNoMemory =
    QStringLiteral("kestrelwick: not enough memory to check these articles\n");

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
        if (format == QLatin1String("pipe")) {
            command.format = SpinFormat::Pipe;
        } else if (format != QLatin1String("ama")) {
            return usageError(
                QStringLiteral("--format takes ama or pipe, not \"%1\".").arg(format));
        }
        if (!check && !spin) {
            return usageError(QStringLiteral("--format goes with --check or --spin."));
        }
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
    return QStringLiteral(
        "Usage: kestrelwick [FILE1 [FILE2 [FILE3]]]\n"
        "       kestrelwick --check [--format ama|pipe] FILE1 FILE2 FILE3\n"
        "       kestrelwick --spin [--format ama|pipe] [--seed N] [FILE]\n"
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
        "  --format F     The spin format: ama, {a~b~c} (the default), or pipe, {a|b|c}.\n"
        "  --seed N       Pick the alternatives from seed N (0 to 18446744073709551615):\n"
        "                 the same seed gives the same article on every system.\n"
        "  -h, --help     Show this help and exit.\n"
        "  -v, --version  Show the version and exit.\n"
        "\n"
        "Files are read as UTF-8 or UTF-16 when they start with a byte-order mark, as\n"
        "UTF-8 when they are valid UTF-8, and as Windows-1252 otherwise. Files larger\n"
        "than 256 MiB or holding NUL characters are refused.\n"
        "\n"
        "Exit status: 0 when the check has no notes (or the article was spun), 1 when\n"
        "it has notes, 2 for a usage error, a file that cannot be read or a spin text\n"
        "that cannot be spun.\n");
}

QString versionText() {
    return QStringLiteral("kestrelwick " KESTRELWICK_VERSION_TEXT "\n");
}

int checkFiles(const QStringList& files, SpinFormat format, QIODevice& in, QIODevice& out,
               QIODevice& err) {
    try {
        // Every file is read before anything is checked or written.
        std::array<std::u16string, kArticleCount> articles;
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            ArticleFile file = readArticleArgument(files[qsizetype(k)], &in);
            if (!file.read()) {
                writeUtf8(err, QStringLiteral("kestrelwick: ") + file.refusal + u'\n');
                return kExitTrouble;
            }
            articles[k] = std::move(file.text);
        }

        const CheckResult result = checkArticles({articles[0], articles[1], articles[2]}, format);

        // The spin text as the output box's copy gives it: line breaks as LF.
        QString spin = qtText(writeSpinText(result.spinText, format));
        spin.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!writeUtf8(out, spin)) {
            writeUtf8(err, QStringLiteral("kestrelwick: cannot write the spin text: ") +
                               failureOf(out) + u'\n');
            return kExitTrouble;
        }

        QString report;
        for (const std::u16string& caption : result.captions) {
            report += qtText(caption) + u'\n';
        }
        report += qtText(result.reportText()) + u'\n';
        for (const ReportNote& note : result.notes) {
            report += qtText(note.text) + u'\n';
        }
        if (!writeUtf8(err, report)) {
            return kExitTrouble;  // nowhere left to say so
        }
        return result.notes.empty() ? kExitClean : kExitNotes;
    } catch (const std::bad_alloc&) {
        // What was taken for the check is given back by now, so the message
        // itself has room.
        writeUtf8(err, kNoMemory);
        return kExitTrouble;
    }
}

int runConsole(const CommandLine& command) {
#ifdef Q_OS_UNIX
    // A reader that stops early makes a write fail, which is then told and
    // ends with status 2, rather than ending the program without a word.
    ::signal(SIGPIPE, SIG_IGN);
#endif
    StandardStreams streams;
    switch (command.mode) {
        case CommandLine::Mode::Help:
            return writeUtf8(streams.out, usageText()) ? kExitClean : kExitTrouble;
        case CommandLine::Mode::Version:
            return writeUtf8(streams.out, versionText()) ? kExitClean : kExitTrouble;
        case CommandLine::Mode::Check:
            return checkFiles(command.files, command.format, streams.in, streams.out, streams.err);
        case CommandLine::Mode::Spin:
            return spinFile(
                command.files.isEmpty() ? QString(kStandardInputArgument) : command.files.front(),
                command.format, command.seed, streams.in, streams.out, streams.err);
        case CommandLine::Mode::NoDisplay:
            writeUtf8(
                streams.err,
                QStringLiteral("kestrelwick: no display to open the window on. To check files "
                               "without a window: kestrelwick --check FILE1 FILE2 FILE3\n"));
            return kExitTrouble;
        case CommandLine::Mode::UsageError:
        case CommandLine::Mode::Window:
            break;
    }
    writeUtf8(streams.err,
              QStringLiteral("kestrelwick: ") + command.error +
                  QStringLiteral("\nTry 'kestrelwick --help' for more information.\n"));
    return kExitTrouble;
}

}  // namespace kestrelwick
