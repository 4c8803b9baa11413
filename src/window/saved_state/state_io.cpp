#include "window/saved_state/state_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cerrno>
#include <new>

#include "files/article_file.h"
#include "files/file_names.h"
#include "files/regular_file.h"

namespace kestrelwick {

namespace {

std::atomic<int> failingWrites{0};

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
    failingWrites = error;
}

QString writeFailureReason(int error) {
    switch (error) {
        case ENOSPC:
            return QStringLiteral("the disk is full");
#ifdef EDQUOT
        case EDQUOT:
            return QStringLiteral("the disk quota is used up");
#endif
        case EACCES:
        case EPERM:
            return QStringLiteral("permission denied");
        case EROFS:
            return QStringLiteral("the disk is read-only");
        default:
            return systemReason(qt_error_string(error));
    }
}

namespace {

// Puts the bytes at path whole, or says why not (below, by platform).
QString writeWhole(const QString& path, const QByteArray& bytes);

}  // namespace

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
    return writeWhole(path, bytes);
}

#ifdef Q_OS_UNIX

namespace {

QString writeWhole(const QString& path, const QByteArray& bytes) {
    // A new file of its own beside the state, so that the rename is atomic.
    const QByteArray temporary = systemFileName(path) + ".new-" +
                                 QByteArray::number(QRandomGenerator::global()->generate(), 16);
    const int fd =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return writeFailureReason(errno);
    }
    int error = 0;
    for (qsizetype done = 0; done < bytes.size() && error == 0;) {
        if (const int failing = failingWrites.load(); failing != 0) {
            error = failing;
            break;
        }
        const ssize_t wrote =
            ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            error = wrote < 0 ? errno : EIO;
        } else {
            done += wrote;
        }
    }
    if (error == 0 && ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.constData(), systemFileName(path).constData()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.constData());
        return writeFailureReason(error);
    }
    return {};
}

}  // namespace

#else

namespace {

QString writeWhole(const QString& path, const QByteArray& bytes) {
    if (const int failing = failingWrites.load(); failing != 0) {
        return writeFailureReason(failing);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return systemReason(file.errorString());
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        const QString error = systemReason(file.errorString());
        file.cancelWriting();
        return error;
    }
    return {};
}

}  // namespace

#endif

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
