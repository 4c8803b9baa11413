#include "files/batch_files.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <new>

#include "files/engine_text.h"
#include "files/new_file.h"
#include "files/text_files.h"

namespace kestrelwick {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

Refusal cannotWrite(const QString& path, const QString& why) {
    return refusalOf(
        Refusal::Kind::CannotWrite,
        QStringLiteral("Cannot write \"%1\": %2. Nothing was written.").arg(shown(path), why));
}

// The number of article name within a batch of count, or 0 where it is
// none of the batch's names.
std::size_t numberOf(const QString& name, std::size_t count) {
    static const QString kStart = QStringLiteral("article-");
    static const QString kEnd = QStringLiteral(".txt");
    const qsizetype width = QString::number(count).size();
    if (name.size() != kStart.size() + width + kEnd.size() || !name.startsWith(kStart) ||
        !name.endsWith(kEnd)) {
        return 0;
    }
    std::size_t number = 0;
    for (const QChar digit : QStringView(name).mid(kStart.size(), width)) {
        if (digit < u'0' || digit > u'9') {
            return 0;
        }
        number = number * 10 + std::size_t(digit.unicode() - u'0');
    }
    return number <= count ? number : 0;
}

}  // namespace

QString batchFileName(std::size_t number, std::size_t count) {
    return qtText(articleFileName(number, count));
}

std::optional<Refusal> fileInTheWay(const QString& folder, std::size_t count) {
    std::size_t lowest = 0;
    bool record = false;
    // Links that lead nowhere and files of every kind stand in the way too.
    QDirIterator entries(folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        record = record || entries.fileName() == kBatchRecordName;
        const std::size_t number = numberOf(entries.fileName(), count);
        if (number != 0 && (lowest == 0 || number < lowest)) {
            lowest = number;
        }
    }
    if (lowest == 0 && !record) {
        return std::nullopt;
    }
    const QString name = lowest != 0 ? batchFileName(lowest, count) : QString(kBatchRecordName);
    return refusalOf(Refusal::Kind::FileInTheWay,
                     QStringLiteral("\"%1\" is there already. Nothing was written, so that no "
                                    "file is overwritten.")
                         .arg(shown(QDir(folder).filePath(name))));
}

BatchFolder::BatchFolder(QString folder) : folder_(std::move(folder)) {}

BatchFolder::~BatchFolder() {
    files_.clear();  // each removes its new file unless it was named
    if (!named_) {
        for (const QString& made : made_) {
            QDir().rmdir(made);  // only where it is still empty
        }
    }
}

std::optional<Refusal> BatchFolder::check(std::size_t count) {
    return fileInTheWay(folder_, count);
}

void BatchFolder::removeLeftovers() {
    static const QRegularExpression kBatchName(
        QStringLiteral("^(article-[0-9]+\\.txt|shares\\.csv)$"));
    QDir folder(folder_);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const std::optional<QString> was = leftBehindNewFile(name);
        if (was && kBatchName.match(*was).hasMatch() && folder.remove(name)) {
            leftovers_ << name;
        }
    }
}

QString BatchFolder::leftoversRemoved() const {
    if (leftovers_.isEmpty()) {
        return {};
    }
    constexpr qsizetype kNamed = 3;
    QString names = leftovers_.mid(0, kNamed).join(QStringLiteral(", "));
    if (leftovers_.size() > kNamed) {
        names += QStringLiteral(" and %1 more").arg(leftovers_.size() - kNamed);
    }
    return leftovers_.size() == 1
               ? QStringLiteral("Removed a file that a stopped batch left there: %1.").arg(names)
               : QStringLiteral("Removed %1 files that a stopped batch left there: %2.")
                     .arg(leftovers_.size())
                     .arg(names);
}

std::optional<Refusal> BatchFolder::write(std::size_t number, std::size_t count,
                                          std::u16string_view article) {
    if (paths_.empty()) {
        // The folder made, and looked at once more, before the first file.
        if (auto refusal = prepare(count)) {
            return refusal;
        }
    }
    return add(QDir(folder_).filePath(batchFileName(number, count)), article);
}

std::optional<Refusal> BatchFolder::prepare(std::size_t count) {
    if (auto why = makeFolder(folder_, &made_)) {
        return refusalOf(Refusal::Kind::CannotWrite,
                         QStringLiteral("Cannot create the folder \"%1\": %2.")
                             .arg(shown(folder_), qtText(*why)));
    }
    if (auto inTheWay = fileInTheWay(folder_, count)) {
        return inTheWay;
    }
    removeLeftovers();
    return std::nullopt;
}

std::optional<Refusal> BatchFolder::writeRecord(std::u16string_view table) {
    return add(QDir(folder_).filePath(kBatchRecordName), table);
}

std::optional<Refusal> BatchFolder::add(const QString& path, std::u16string_view text) {
    auto file = std::make_unique<NewFile>(path, NewFile::Access::Everyone);
    try {
        if (file->write(fileBytesOf(text))) {
            file->finish();
        }
    } catch (const std::bad_alloc&) {
        return refusalOf(Refusal::Kind::CannotWrite,
                         QStringLiteral("Cannot write \"%1\": there is not enough memory. "
                                        "Nothing was written.")
                             .arg(shown(path)));
    }
    if (file->failed()) {
        return cannotWrite(path, qtText(*file->failure()));
    }
    files_.push_back(std::move(file));
    paths_.push_back(path);
    return std::nullopt;
}

std::optional<Refusal> BatchFolder::finish() {
    for (std::size_t n = 0; n < files_.size(); ++n) {
        if (!files_[n]->putInPlace(NewFile::Replace::No)) {
            // Those named already go again: the batch is written whole or
            // not at all.
            for (std::size_t placed = 0; placed < n; ++placed) {
                QFile::remove(paths_[placed]);
            }
            return cannotWrite(paths_[n], qtText(*files_[n]->failure()));
        }
    }
    named_ = true;
    return std::nullopt;
}

}  // namespace kestrelwick
