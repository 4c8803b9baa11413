#include "files/batch_files.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <new>
#include <vector>

#include "files/new_file.h"
#include "files/text_files.h"

namespace kestrelwick {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

}  // namespace

QString batchFileName(std::size_t number, std::size_t count) {
    const int width = int(QString::number(count).size());
    return QStringLiteral("article-%1.txt").arg(number, width, 10, QLatin1Char('0'));
}

QString fileInTheWay(const QString& folder, std::size_t count) {
    const QDir dir(folder);
    for (std::size_t n = 1; n <= count; ++n) {
        const QFileInfo there(dir.filePath(batchFileName(n, count)));
        if (there.exists() || there.isSymLink()) {
            return QStringLiteral(
                       "\"%1\" is there already. Nothing was written, so that no file "
                       "is overwritten.")
                .arg(shown(there.filePath()));
        }
    }
    return {};
}

BatchFiles writeBatchFiles(const QString& folder, std::size_t count,
                           const std::function<std::u16string(std::size_t)>& article,
                           const std::function<bool(std::size_t)>& goOn) {
    const auto refused = [](QString message) {
        return BatchFiles{BatchFiles::Outcome::Refused, std::move(message)};
    };
    if (const QString why = makeFolder(folder); !why.isEmpty()) {
        return refused(
            QStringLiteral("Cannot create the folder \"%1\": %2.").arg(shown(folder), why));
    }
    if (const QString inTheWay = fileInTheWay(folder, count); !inTheWay.isEmpty()) {
        return refused(inTheWay);
    }
    const QDir dir(folder);
    std::vector<QString> paths;
    for (std::size_t n = 1; n <= count; ++n) {
        paths.push_back(dir.filePath(batchFileName(n, count)));
    }
    // Every article in a new file of its own first, then all named.
    std::vector<std::unique_ptr<NewFile>> files;
    for (std::size_t n = 1; n <= count; ++n) {
        auto file = std::make_unique<NewFile>(paths[n - 1], NewFile::Access::Everyone);
        try {
            if (file->write(fileBytesOf(article(n)))) {
                file->finish();
            }
        } catch (const std::bad_alloc&) {
            return refused(QStringLiteral("Cannot write \"%1\": there is not enough memory. "
                                          "Nothing was written.")
                               .arg(shown(paths[n - 1])));
        }
        if (!file->failure().isEmpty()) {
            return refused(QStringLiteral("Cannot write \"%1\": %2. Nothing was written.")
                               .arg(shown(paths[n - 1]), file->failure()));
        }
        files.push_back(std::move(file));
        if (!goOn(n)) {
            return {BatchFiles::Outcome::Cancelled, {}};
        }
    }
    for (std::size_t n = 0; n < count; ++n) {
        if (!files[n]->putInPlace(NewFile::Replace::No)) {
            // Those named already go again: the batch is written whole or
            // not at all.
            for (std::size_t placed = 0; placed < n; ++placed) {
                QFile::remove(paths[placed]);
            }
            return refused(QStringLiteral("Cannot write \"%1\": %2. Nothing was written.")
                               .arg(shown(paths[n]), files[n]->failure()));
        }
    }
    return {};
}

}  // namespace kestrelwick
