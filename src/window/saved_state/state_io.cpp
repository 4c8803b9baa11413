#include "window/saved_state/state_io.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <new>

#include "files/new_file.h"
#include "files/regular_file.h"

namespace kestrelwick {

namespace {

// The texts of a state's bytes into read, or why they are refused.
void decodeInto(const QByteArray& bytes, StateRead& read) {
    if (auto texts = decodeStateFile(bytes)) {
        read.outcome = StateRead::Outcome::Read;
        read.texts = std::move(*texts);
    } else {
        read.why = QStringLiteral("it is cut short, damaged, or from a newer Kestrelwick");
    }
}

}  // namespace

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
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return writeFailureReason(EACCES);
    }
    // Readable by its owner only: the boxes may hold anything.
    NewFile file(path, NewFile::Access::OwnerOnly);
    if (file.write(bytes)) {
        file.commit(NewFile::Replace::Yes);
    }
    return file.failure();
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
    try {
        QByteArray bytes(qsizetype(file.size()), Qt::Uninitialized);
        const qint64 got = file.readFully(bytes.data(), bytes.size());
        if (got < 0) {
            read.why = file.reason();
            return read;
        }
        bytes.truncate(qsizetype(got));  // a file cut short meanwhile is damaged
        decodeInto(bytes, read);
    } catch (const std::bad_alloc&) {
        read.why = QStringLiteral("there is not enough memory to read it");
    }
    return read;
}

}  // namespace kestrelwick
