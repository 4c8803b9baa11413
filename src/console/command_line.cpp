#include "console/command_line.h"

#include <QCommandLineParser>
#include <QFile>

#include <array>
#include <string>
#include <vector>

#include "files/article_file.h"
#include "processing/check_articles.h"

namespace kestrelwick {

namespace {

const QString kCheck = QStringLiteral("check");
const QString kStandardInput = QStringLiteral("-");

QString fromEngine(const std::u16string& text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// The engine's window, on a terminal: the three articles come from files,
// and what the window would show is kept for printing.
class ConsoleWindow final : public ArticleWindow {
  public:
    explicit ConsoleWindow(std::array<std::u16string, kArticleCount> articles)
        : articles_(std::move(articles)) {}

    // The articles stay as they were read, for the engine to work on; only
    // the spin text is printed, so the cleaned articles are not kept.
    std::u16string_view text1(int index) const override {
        return index < int(kArticleCount) ? std::u16string_view(articles_.at(std::size_t(index)))
                                          : std::u16string_view(spinText);
    }
    void setText1(int index, std::u16string_view text) override {
        if (index == kOutputBox) {
            spinText = text;
        }
    }
    void setText2(const std::u16string&) override {}
    void setLabel3(int index, const std::u16string& caption) override {
        labels.at(std::size_t(index)) = caption;
    }
    void showReport(const std::u16string& text, const std::vector<std::u16string>& notes) override {
        message = text;
        reportNotes = notes;
    }

    std::u16string spinText;
    std::array<std::u16string, 4> labels;
    std::u16string message;
    std::vector<std::u16string> reportNotes;

  private:
    const std::array<std::u16string, kArticleCount> articles_;
};

void addOptions(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QString()});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QString()});
    parser.addOption({kCheck, QString()});
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

void write(QIODevice& device, const QString& text) {
    device.write(text.toUtf8());
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    addOptions(parser);
    CommandLine command;
    if (!parser.parse(arguments)) {
        command.mode = CommandLine::Mode::UsageError;
        command.error = parser.errorText();
        return command;
    }
    command.files = parser.positionalArguments();
    command.namesPlatform = parser.isSet(QStringLiteral("platform"));
    if (parser.isSet(QStringLiteral("help"))) {
        command.mode = CommandLine::Mode::Help;
    } else if (parser.isSet(QStringLiteral("version"))) {
        command.mode = CommandLine::Mode::Version;
    } else if (parser.isSet(kCheck)) {
        command.mode = CommandLine::Mode::Check;
        if (command.files.size() != 3) {
            command.mode = CommandLine::Mode::UsageError;
            command.error =
                QStringLiteral("--check takes three files, not %1.").arg(command.files.size());
        } else if (command.files.count(kStandardInput) > 1) {
            command.mode = CommandLine::Mode::UsageError;
            command.error = QStringLiteral("Standard input (-) can stand for one file only.");
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
        "       kestrelwick --check FILE1 FILE2 FILE3\n"
        "\n"
        "Checks three differently worded versions of one article, paragraph for\n"
        "paragraph, and writes them in AMA spin format.\n"
        "\n"
        "Without --check, opens the window with the first three files in article boxes\n"
        "1, 2 and 3; a message names any files left out. Standard input (-) is read\n"
        "only with --check.\n"
        "\n"
        "Options:\n"
        "  --check        Check the three files without a window. The spin text goes to\n"
        "                 standard output; the word counts, the minimum length and the\n"
        "                 report's notes go to standard error. A file named - is read\n"
        "                 from standard input.\n"
        "  -h, --help     Show this help and exit.\n"
        "  -v, --version  Show the version and exit.\n"
        "\n"
        "Files are read as UTF-8 or UTF-16 when they start with a byte-order mark, as\n"
        "UTF-8 when they are valid UTF-8, and as Windows-1252 otherwise. Files larger\n"
        "than 256 MiB or holding NUL characters are refused.\n"
        "\n"
        "Exit status: 0 when the check has no notes, 1 when it has notes, 2 for a\n"
        "usage error or a file that cannot be read.\n");
}

QString versionText() {
    return QStringLiteral("kestrelwick " KESTRELWICK_VERSION_TEXT "\n");
}

int checkFiles(const QStringList& files, QIODevice& in, QIODevice& out, QIODevice& err) {
    // Every file is read before anything is checked or written.
    std::array<std::u16string, kArticleCount> articles;
    for (std::size_t k = 0; k < kArticleCount; ++k) {
        const QString& name = files[qsizetype(k)];
        ArticleFile file = name == kStandardInput
                               ? readArticleStream(in, QStringLiteral("standard input"))
                               : readArticleFile(name);
        if (!file.read()) {
            write(err, QStringLiteral("kestrelwick: ") + file.refusal + u'\n');
            return kExitTrouble;
        }
        articles[k] = std::move(file.text);
    }

    ConsoleWindow window(std::move(articles));
    CheckArticles(window);

    // The spin text as the output box's copy gives it: line breaks as LF.
    QString spin = fromEngine(window.spinText);
    spin.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    write(out, spin);

    QString report;
    for (const std::u16string& label : window.labels) {
        report += fromEngine(label) + u'\n';
    }
    report += fromEngine(window.message) + u'\n';
    for (const std::u16string& note : window.reportNotes) {
        report += fromEngine(note) + u'\n';
    }
    write(err, report);
    return window.reportNotes.empty() ? kExitClean : kExitNotes;
}

int runConsole(const CommandLine& command) {
    QFile in;
    QFile out;
    QFile err;
    in.open(stdin, QIODevice::ReadOnly);
    out.open(stdout, QIODevice::WriteOnly);
    err.open(stderr, QIODevice::WriteOnly);
    switch (command.mode) {
        case CommandLine::Mode::Help:
            write(out, usageText());
            return kExitClean;
        case CommandLine::Mode::Version:
            write(out, versionText());
            return kExitClean;
        case CommandLine::Mode::Check:
            return checkFiles(command.files, in, out, err);
        case CommandLine::Mode::NoDisplay:
            write(err,
                  QStringLiteral("kestrelwick: no display to open the window on. To check files "
                                 "without a window: kestrelwick --check FILE1 FILE2 FILE3\n"));
            return kExitTrouble;
        case CommandLine::Mode::UsageError:
        case CommandLine::Mode::Window:
            break;
    }
    write(err, QStringLiteral("kestrelwick: ") + command.error +
                   QStringLiteral("\nTry 'kestrelwick --help' for more information.\n"));
    return kExitTrouble;
}

}  // namespace kestrelwick
