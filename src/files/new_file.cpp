#include "files/new_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#else
#include <QFile>
#include <QFileDevice>

#include <io.h>
#include <windows.h>
#endif

#include <atomic>
#include <cerrno>

#include "files/engine_text.h"
#include "files/file_names.h"
#include "files/system_reason.h"

namespace kestrelwick {

namespace {

std::atomic<int> failingWrites{0};

// The new file's name: the file's own, then ".new-", the writer's process
// number (so that a writer that died can be told from one at work) and a
// random part.
QString temporaryName(const QString& path) {
    return path + QStringLiteral(".new-%1-%2")
                      .arg(QCoreApplication::applicationPid())
                      .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

const QString kExists = QStringLiteral("a file of that name is there already");

// Whether the process numbered pid has ended.
bool processEnded(qint64 pid) {
#ifdef Q_OS_UNIX
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#else
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (process == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
#endif
}

// What stands at a path where something else was wanted, as a message names
// it: "a file", "a link that leads nowhere", "a FIFO (a named pipe)".
QString whatStandsAt(const QFileInfo& info) {
    if (info.isSymLink()) {
        return info.exists() ? QStringLiteral("a link to a file")
                             : QStringLiteral("a link that leads nowhere");
    }
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::lstat(systemFileName(info.absoluteFilePath()).constData(), &status) == 0) {
        if (S_ISFIFO(status.st_mode)) {
            return QStringLiteral("a FIFO (a named pipe)");
        }
        if (S_ISSOCK(status.st_mode)) {
            return QStringLiteral("a socket");
        }
        if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
            return QStringLiteral("a device");
        }
    }
#endif
    return QStringLiteral("a file");
}

}  // namespace

void NewFile::failWritesWith(int error) {
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
        case EEXIST:
            return kExists;
        default:
            return systemReason(qt_error_string(error));
    }
}

std::optional<QString> leftBehindNewFile(const QString& fileName) {
    static const QRegularExpression kNewFile(QStringLiteral("^(.+)\\.new-([0-9]+)-[0-9a-f]{8}$"));
    const QRegularExpressionMatch match = kNewFile.match(fileName);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    bool number = false;
    const qint64 pid = match.captured(2).toLongLong(&number);
    if (!number || pid <= 0 || pid == QCoreApplication::applicationPid() || !processEnded(pid)) {
        return std::nullopt;
    }
    return match.captured(1);
}

std::optional<Refusal> makeFolder(const QString& path, QStringList* made) {
    const auto refused = [](const QString& why) {
        return std::optional<Refusal>(refusalOf(Refusal::Kind::CannotWrite, why));
    };
    const QFileInfo info(path);
    if (info.isDir()) {
        return std::nullopt;
    }
    if (info.exists() || info.isSymLink()) {
        return refused(
            QStringLiteral("\"%1\" is %2 where a folder should be")
                .arg(QDir::toNativeSeparators(info.absoluteFilePath()), whatStandsAt(info)));
    }
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath()) {
        if (auto why = makeFolder(parent, made)) {
            return why;
        }
    }
#ifdef Q_OS_UNIX
    if (::mkdir(systemFileName(info.absoluteFilePath()).constData(), 0777) != 0) {
        if (errno == EEXIST && QFileInfo(path).isDir()) {
            return std::nullopt;  // made meanwhile by another
        }
        return refused(writeFailureReason(errno));
    }
#else
    if (!QDir().mkdir(info.absoluteFilePath())) {
        return QFileInfo(path).isDir() ? std::nullopt
                                       : refused(QStringLiteral("the folder cannot be created"));
    }
#endif
    if (made != nullptr) {
        made->prepend(info.absoluteFilePath());
    }
    return std::nullopt;
}

std::optional<Refusal> writeWholeFile(const QString& path, const QByteArray& bytes,
                                      NewFile::Access access) {
    NewFile file(path, access);
    if (file.write(bytes)) {
        file.commit(NewFile::Replace::Yes);
    }
    return file.failure();
}

void NewFile::fail(int error) {
    fail(writeFailureReason(error));
}

void NewFile::fail(const QString& why) {
    if (!failure_) {
        failure_ = refusalOf(Refusal::Kind::CannotWrite, why);
    }
}

#ifdef Q_OS_UNIX

struct NewFile::Handle {
    int fd = -1;
    QByteArray temporary;
};

NewFile::NewFile(const QString& path, Access access)
    : path_(path), handle_(std::make_unique<Handle>()) {
    handle_->temporary = systemFileName(temporaryName(path));
    handle_->fd =
        ::open(handle_->temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
               access == Access::OwnerOnly ? 0600 : 0666);
    if (handle_->fd < 0) {
        fail(errno);
        handle_->temporary.clear();  // nothing to remove
    }
}

NewFile::~NewFile() {
    if (handle_->fd >= 0) {
        ::close(handle_->fd);
    }
    if (!placed_ && !handle_->temporary.isEmpty()) {
        ::unlink(handle_->temporary.constData());
    }
}

bool NewFile::write(const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size() && !failure_;) {
        if (const int failing = failingWrites.load(); failing != 0) {
            fail(failing);
            break;
        }
        const ssize_t wrote =
            ::write(handle_->fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            fail(wrote < 0 ? errno : EIO);
        } else {
            done += wrote;
        }
    }
    return !failure_;
}

bool NewFile::finish() {
    if (!failure_ && ::fsync(handle_->fd) != 0) {
        fail(errno);
    }
    if (handle_->fd >= 0 && ::close(handle_->fd) != 0) {
        fail(errno);
    }
    handle_->fd = -1;
    return !failure_;
}

bool NewFile::putInPlace(Replace replace) {
    if (failure_) {
        return false;
    }
    const QByteArray target = systemFileName(path_);
    const char* from = handle_->temporary.constData();
    if (replace == Replace::Yes) {
        if (::rename(from, target.constData()) != 0) {
            fail(errno);
        }
    } else {
        // Named only where no file of that name is: in one step where the
        // system can, else by a second link, which fails where one is.
#ifdef __linux__
        if (::renameat2(AT_FDCWD, from, AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0) {
            placed_ = true;
            return true;
        }
        if (errno != EINVAL && errno != ENOSYS) {
            fail(errno);
            return false;
        }
#endif
        if (::link(from, target.constData()) != 0) {
            fail(errno);
        } else {
            ::unlink(from);
        }
    }
    placed_ = !failure_;
    return placed_;
}

#else

struct NewFile::Handle {
    QFile file;
    QString temporary;
};

NewFile::NewFile(const QString& path, Access access)
    : path_(path), handle_(std::make_unique<Handle>()) {
    handle_->temporary = temporaryName(path);
    handle_->file.setFileName(handle_->temporary);
    if (!handle_->file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        fail(systemReason(handle_->file.errorString()));
        handle_->temporary.clear();
        return;
    }
    if (access == Access::OwnerOnly) {
        handle_->file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

NewFile::~NewFile() {
    handle_->file.close();
    if (!placed_ && !handle_->temporary.isEmpty()) {
        QFile::remove(handle_->temporary);
    }
}

bool NewFile::write(const QByteArray& bytes) {
    if (const int failing = failingWrites.load(); failing != 0) {
        fail(failing);
    }
    if (!failure_ && handle_->file.write(bytes) != bytes.size()) {
        fail(systemReason(handle_->file.errorString()));
    }
    return !failure_;
}

bool NewFile::finish() {
    if (!failure_ && (!handle_->file.flush() || ::_commit(int(handle_->file.handle())) != 0)) {
        fail(systemReason(handle_->file.errorString()));
    }
    handle_->file.close();
    return !failure_;
}

bool NewFile::putInPlace(Replace replace) {
    if (failure_) {
        return false;
    }
    const DWORD flags =
        MOVEFILE_WRITE_THROUGH | (replace == Replace::Yes ? MOVEFILE_REPLACE_EXISTING : 0);
    const QString from = QDir::toNativeSeparators(handle_->temporary);
    const QString to = QDir::toNativeSeparators(path_);
    if (!MoveFileExW(reinterpret_cast<const wchar_t*>(from.utf16()),
                     reinterpret_cast<const wchar_t*>(to.utf16()), flags)) {
        const DWORD error = GetLastError();
        fail(error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS
                 ? kExists
                 : systemReason(qt_error_string(int(error))));
    }
    placed_ = !failure_;
    return placed_;
}

#endif

}  // namespace kestrelwick
