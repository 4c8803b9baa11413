#include "console/command_line.h"

#include <QCommandLineParser>
#include <QFile>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <new>
#include <string>
#include <vector>

#include "files/article_file.h"
#include "processing/check_articles.h"

namespace kestrelwick {

namespace {

const QString kCheck = QStringLiteral("check");
QString fromEngine(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

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

// UTF-8 as a terminal or a file takes it. A lone surrogate, which a box can
// hold but UTF-8 cannot, is written as U+FFFD.
QByteArray utf8Of(const QString& text) {
    const auto lone = [&text](qsizetype i) {
        const QChar unit = text[i];
        return (unit.isHighSurrogate() &&
                (i + 1 == text.size() || !text[i + 1].isLowSurrogate())) ||
               (unit.isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate()));
    };
    QString replaced;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSurrogate() && lone(i)) {
            if (replaced.isNull()) {
                replaced = text;
            }
            replaced[i] = QChar::ReplacementCharacter;
        }
    }
    return (replaced.isNull() ? text : replaced).toUtf8();
}

// Writes all of the text; false when the device took less.
bool write(QIODevice& device, const QString& text) {
    if (!device.isOpen()) {
        return false;  // a stream the program was started without
    }
    const QByteArray bytes = utf8Of(text);
    return device.write(bytes) == bytes.size();
}

QString reasonOf(const QIODevice& device) {
    return systemReason(device.isOpen() ? device.errorString() : qt_error_string(EBADF));
}

// Which of standard input, output and error the program was started
// without, as holdStandardStreams found them.
std::array<bool, 3> startedWithout{};

// Standard output or error, written with the system's own calls so that
// every failure is seen with its reason, even one after part of the text.
class StandardOutput final : public QIODevice {
  public:
    explicit StandardOutput(int fd) : fd_(fd) {
        if (!startedWithout.at(std::size_t(fd))) {
            open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        }
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        qint64 done = 0;
        while (done < size) {
            constexpr qint64 kMostAtOnce = qint64{1} << 30;
#ifdef Q_OS_WIN
            const auto wrote =
                ::_write(fd_, data + done, unsigned(std::min(size - done, kMostAtOnce)));
#else
            const auto wrote =
                ::write(fd_, data + done, std::size_t(std::min(size - done, kMostAtOnce)));
#endif
            if (wrote < 0 && errno == EINTR) {
                continue;
            }
            if (wrote <= 0) {
                setErrorString(qt_error_string(wrote < 0 ? errno : EIO));
                return -1;
            }
            done += wrote;
        }
        return done;
    }

  private:
    int fd_;
};

// The three standard streams of a check.
struct StandardStreams {
    StandardStreams() {
        if (!startedWithout[0]) {
            in.open(0, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
        }
    }
    QFile in;
    StandardOutput out{1};
    StandardOutput err{2};
};

const QString kNoMemory =
    QStringLiteral("kestrelwick: not enough memory to check these articles\n");

}  // namespace

void holdStandardStreams() {
#ifdef Q_OS_WIN
    // A window program started from a console has no standard streams of
    // its own: it writes to its parent's console where it has none, and
    // to whatever its streams were redirected to otherwise.
    const auto missing = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    if ((missing(STD_OUTPUT_HANDLE) || missing(STD_ERROR_HANDLE)) &&
        AttachConsole(ATTACH_PARENT_PROCESS)) {
        FILE* reopened = nullptr;
        if (missing(STD_OUTPUT_HANDLE) || _fileno(stdout) < 0) {
            freopen_s(&reopened, "CONOUT$", "w", stdout);
        }
        if (missing(STD_ERROR_HANDLE) || _fileno(stderr) < 0) {
            freopen_s(&reopened, "CONOUT$", "w", stderr);
        }
    }
    // The same bytes as on every other system: line breaks stay LF.
    _setmode(1, _O_BINARY);
    _setmode(2, _O_BINARY);
    _setmode(0, _O_BINARY);
#endif
#ifdef Q_OS_UNIX
    for (int fd = 0; fd < 3; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            startedWithout.at(std::size_t(fd)) = true;
            // The lowest free number: this one, now held by the null device.
            const int held = ::open("/dev/null", O_RDWR | O_CLOEXEC);
            if (held >= 0 && held != fd) {
                ::close(held);
            }
        }
    }
#endif
}

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
        if (command.files.size() != qsizetype(kArticleCount)) {
            command.mode = CommandLine::Mode::UsageError;
            command.error =
                QStringLiteral("--check takes three files, not %1.").arg(command.files.size());
        } else if (command.files.count(kStandardInputArgument) > 1) {
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
    try {
        // Every file is read before anything is checked or written.
        std::array<std::u16string, kArticleCount> articles;
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            ArticleFile file = readArticleArgument(files[qsizetype(k)], &in);
            if (!file.read()) {
                write(err, QStringLiteral("kestrelwick: ") + file.refusal + u'\n');
                return kExitTrouble;
            }
            articles[k] = std::move(file.text);
        }

        const CheckResult result = checkArticles({articles[0], articles[1], articles[2]});

        // The spin text as the output box's copy gives it: line breaks as LF.
        QString spin = fromEngine(writeSpinText(result.spinText));
        spin.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (!write(out, spin)) {
            write(err, QStringLiteral("kestrelwick: cannot write the spin text: ") + reasonOf(out) +
                           u'\n');
            return kExitTrouble;
        }

        QString report;
        for (const std::u16string& caption : result.captions) {
            report += fromEngine(caption) + u'\n';
        }
        report += fromEngine(result.message) + u'\n';
        for (const ReportNote& note : result.notes) {
            report += fromEngine(note.text) + u'\n';
        }
        if (!write(err, report)) {
            return kExitTrouble;  // nowhere left to say so
        }
        return result.notes.empty() ? kExitClean : kExitNotes;
    } catch (const std::bad_alloc&) {
        // What was taken for the check is given back by now, so the message
        // itself has room.
        write(err, kNoMemory);
        return kExitTrouble;
    }
}

int runConsole(const CommandLine& command) {
    StandardStreams streams;
    switch (command.mode) {
        case CommandLine::Mode::Help:
            return write(streams.out, usageText()) ? kExitClean : kExitTrouble;
        case CommandLine::Mode::Version:
            return write(streams.out, versionText()) ? kExitClean : kExitTrouble;
        case CommandLine::Mode::Check:
            return checkFiles(command.files, streams.in, streams.out, streams.err);
        case CommandLine::Mode::NoDisplay:
            write(streams.err,
                  QStringLiteral("kestrelwick: no display to open the window on. To check files "
                                 "without a window: kestrelwick --check FILE1 FILE2 FILE3\n"));
            return kExitTrouble;
        case CommandLine::Mode::UsageError:
        case CommandLine::Mode::Window:
            break;
    }
    write(streams.err, QStringLiteral("kestrelwick: ") + command.error +
                           QStringLiteral("\nTry 'kestrelwick --help' for more information.\n"));
    return kExitTrouble;
}

}  // namespace kestrelwick
