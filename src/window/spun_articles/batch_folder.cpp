#include "window/spun_articles/batch_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kestrelwick {

namespace {

constexpr qsizetype kLongestName = 60;

}  // namespace

QString folderNameFor(std::u16string_view title) {
    QString name;
    bool space = false;
    for (const char16_t unit : title) {
        const QChar c(unit);
        // What Windows, macOS or Linux refuse in a name, and control
        // characters; runs of white space are one space.
        if (c.isSpace()) {
            space = !name.isEmpty();
            continue;
        }
        if (c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c)) {
            continue;
        }
        if (space) {
            name += u' ';
            space = false;
        }
        name += c;
    }
    if (name.size() > kLongestName) {
        // Cut at a word where one ends near the end, never inside a pair.
        qsizetype cut = name.lastIndexOf(u' ', kLongestName);
        if (cut < kLongestName / 2) {
            cut = kLongestName;
        }
        if (name[cut - 1].isHighSurrogate()) {
            --cut;
        }
        name.truncate(cut);
    }
    // Windows takes no name that ends in a dot or a space, nor one of dots.
    while (!name.isEmpty() && (name.endsWith(u'.') || name.endsWith(u' '))) {
        name.chop(1);
    }
    return name.isEmpty() ? QStringLiteral("Spun articles") : name;
}

QString newBatchFolder(std::u16string_view title) {
    QString parent = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (parent.isEmpty()) {
        parent = QDir::homePath();
    }
    const QString name = folderNameFor(title);
    const QDir documents(parent);
    QString path = documents.filePath(name);
    for (int number = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++number) {
        path = documents.filePath(name + u' ' + QString::number(number));
    }
    return QDir::toNativeSeparators(path);
}

std::optional<QString> typedFolder(const QString& typed) {
    QString path = QDir::fromNativeSeparators(typed.trimmed());
    if (path == QStringLiteral("~") || path.startsWith(QStringLiteral("~/"))) {
        path = QDir::homePath() + path.mid(1);
    }
    if (path.isEmpty() || QDir::isRelativePath(path)) {
        return std::nullopt;
    }
    return QDir::cleanPath(path);
}

}  // namespace kestrelwick
