#include "window/saved_state/state_io.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <new>

#include "files/files.h"

namespace kestrelwick {

namespace {}  // namespace

void failStateWritesWith(int error) {
    NewFile::failWritesWith(error);
}

QString writeStateFile(const QString& path, const StateTexts& texts) {
    QByteArray bytes;
    try {
        bytes = encodeStateFile(texts);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("not enough memory");
    }
    if (const auto why = makeFolder(QFileInfo(path).absolutePath())) {
        return qtText(*why);
    }
    // Readable by its owner only: the boxes may hold anything.
    const auto why = writeWholeFile(path, bytes, NewFile::Access::OwnerOnly);
    return why ? qtText(*why) : QString();
}

StateRead readStateFile(const QString& path) {
    StateRead read;
    // A link at the state's path is never followed: the state is replaced by
    // the next save, never written through a link.
    RegularFile file(path, qint64(largestStateFile()), RegularFile::Links::Refuse);
    read.outcome = StateRead::Outcome::Refused;
    switch (file.problem()) {
        case RegularFile::Problem::None:
            break;
        case RegularFile::Problem::Missing:
            read.outcome = StateRead::Outcome::Missing;  // a first start
            return read;
        case RegularFile::Problem::Link:
        case RegularFile::Problem::DanglingLink:
        case RegularFile::Problem::LinkLoop:
            read.why = QStringLiteral("it is a symbolic link");
            return read;
        case RegularFile::Problem::Folder:
        case RegularFile::Problem::NotRegular:
            read.why = QStringLiteral("it is not a regular file");
            return read;
        case RegularFile::Problem::TooLarge:
            read.why = QStringLiteral("it is larger than saved work can be");
            return read;
        case RegularFile::Problem::System:
#ifdef Q_OS_UNIX
            if (file.error() == ENOTDIR) {
                read.outcome = StateRead::Outcome::Missing;
                return read;
            }
#endif
            read.why = file.reason();
            return read;
    }
    bool failed = false;
    const StateReader reader = [&file, &failed](std::uint64_t offset, char* into,
                                                std::uint64_t size) {
        // A file cut short meanwhile reads short, and is damaged.
        const bool whole =
            file.seek(qint64(offset)) && file.readFully(into, qint64(size)) == qint64(size);
        failed = failed || !whole;
        return whole;
    };
    try {
        if (auto texts = decodeState(reader, std::uint64_t(file.size()))) {
            read.outcome = StateRead::Outcome::Read;
            read.texts = std::move(*texts);
        } else {
            read.why = failed && !file.reason().isEmpty()
                           ? file.reason()
                           : QStringLiteral(
                                 "it is cut short, damaged, or from a newer "
                                 "Kestrelwick");
        }
    } catch (const std::bad_alloc&) {
        read.outcome = StateRead::Outcome::NoMemory;
        read.why = QStringLiteral("there is not enough memory to read it");
    }
    return read;
}

}  // namespace kestrelwick
