#include "console/check_command.h"

#include <QIODevice>

#include <array>
#include <new>
#include <string>

#include "console/standard_streams.h"
#include "files/files.h"
#include "processing/check_articles.h"

namespace kestrelwick {

namespace {

const QString kNoMemory =
    QStringLiteral("kestrelwick: not enough memory to check these articles\n");

}  // namespace

int checkFiles(const QStringList& files, SpinFormat format, SpinBy by, QIODevice& in,
               QIODevice& out, QIODevice& err) {
    try {
        // Every file is read before anything is checked or written.
        std::array<std::u16string, kArticleCount> articles;
        for (std::size_t k = 0; k < kArticleCount; ++k) {
            ArticleFile file = readArticleArgument(files[qsizetype(k)], &in);
            if (!file.read()) {
                writeUtf8(err, QStringLiteral("kestrelwick: ") + qtText(*file.refusal) + u'\n');
                return kExitTrouble;
            }
            articles[k] = std::move(file.text);
        }

        const CheckResult result =
            checkArticles({articles[0], articles[1], articles[2]}, format, by);

        // The spin text as the output box's copy gives it: line breaks as LF.
        const QByteArray spin = fileBytesOf(writeSpinText(result.spinText, format));
        if (!out.isOpen() || out.write(spin) != spin.size()) {
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

}  // namespace kestrelwick
