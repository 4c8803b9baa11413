#include "window/saved_state/state_lock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "files/files.h"

namespace kestrelwick {

namespace {

// What the lock file says: the program's process number, its name and the
// machine's.
QByteArray details() {
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QCoreApplication::applicationName().toUtf8() + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

// For the test of two windows started at once: how long a window waits where
// the variable says (between taking the lock and writing what it says, or
// between finding a thing at the lock's path and moving it aside).
void waitAsTestsAsk(const char* variable) {
    const int wait = qEnvironmentVariableIntValue(variable);
    if (wait > 0) {
        QThread::msleep(static_cast<unsigned long>(wait));
    }
}

constexpr char kWriteDelay[] = "KESTRELWICK_TEST_LOCK_WRITE_DELAY_MS";
constexpr char kMoveDelay[] = "KESTRELWICK_TEST_LOCK_MOVE_DELAY_MS";

QString asideName(const QString& path) {
    return path + QStringLiteral(".stale-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

}  // namespace

#ifdef Q_OS_UNIX

struct StateLock::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) {
            ::close(fd);  // and with it the lock
        }
    }
};

namespace {

// The lock file opened for locking; -1 where there is no folder for it, -2
// where what is at the path is no file that can be locked.
int openLockFile(const QByteArray& name) {
    const int fd = ::open(name.constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd < 0) {
        return errno == ENOENT || errno == ENOTDIR ? -1 : -2;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return -2;
    }
    return fd;
}

// The system's lock on the lock file's folder while it lives: windows that
// found something other than a lock file at the lock's path repair it one at
// a time. Where the folder cannot be locked (some network file systems
// cannot), the repair goes on without it.
class FolderLock {
  public:
    explicit FolderLock(const QString& path)
        : fd_(::open(systemFileName(QFileInfo(path).absolutePath()).constData(),
                     O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) {
            ::close(fd_);  // and with it the lock
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    int fd_;
};

// Moves what stands at the lock's path aside and opens a lock file in its
// place, if it is still no regular file once this window alone repairs: the
// other window that found it there may have put its lock file there
// already, which is the one to lock, never to move. The thing is renamed
// itself, never copied (a link is not followed), under a name that nothing
// has yet, so nothing moved aside before is replaced.
int repairLockFile(const QString& path) {
    waitAsTestsAsk(kMoveDelay);
    const FolderLock repairing(path);
    const QByteArray name = systemFileName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        const QString aside = asideName(path);
        QByteArray untaken = systemFileName(aside);
        for (int other = 2; ::lstat(untaken.constData(), &status) == 0; ++other) {
            untaken = systemFileName(aside + u'-' + QString::number(other));
        }
        ::rename(name.constData(), untaken.constData());
    }
    return openLockFile(name);
}

}  // namespace

StateLock::Taken StateLock::take() {
    int fd = openLockFile(systemFileName(path_));
    if (fd == -2) {
        fd = repairLockFile(path_);
    }
    if (fd < 0) {
        return Taken::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        return error == EWOULDBLOCK ? Taken::Others : Taken::Failed;
    }
    handle_->fd = fd;
    waitAsTestsAsk(kWriteDelay);
    const QByteArray said = details();
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t wrote =
            ::pwrite(fd, said.constData(), std::size_t(said.size()), 0);
    }
    return Taken::Ours;
}

#else

struct StateLock::Handle {
    HANDLE file = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);  // and with it the lock
        }
    }
};

namespace {

// An open lock file cannot be renamed here (it is opened for no one to
// delete), so only what no window holds open is moved.
void moveAside(const QString& path) {
    const QString aside = asideName(path);
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink()) {
        QDir().rename(path, aside);
    } else {
        QFile::rename(path, aside);
    }
}

}  // namespace

StateLock::Taken StateLock::take() {
    const QString name = QDir::toNativeSeparators(path_);
    const auto open = [&name] {
        // Others may read what it says, but none may write it while this
        // program has it open.
        return CreateFileW(reinterpret_cast<const wchar_t*>(name.utf16()),
                           GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE file = open();
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) {
        return Taken::Others;
    }
    if (file == INVALID_HANDLE_VALUE) {
        waitAsTestsAsk(kMoveDelay);
        moveAside(path_);
        file = open();
    }
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION ? Taken::Others : Taken::Failed;
    }
    handle_->file = file;
    waitAsTestsAsk(kWriteDelay);
    const QByteArray said = details();
    DWORD wrote = 0;
    SetEndOfFile(file);
    WriteFile(file, said.constData(), DWORD(said.size()), &wrote, nullptr);
    return Taken::Ours;
}

#endif

StateLock::StateLock(QString path) : path_(std::move(path)), handle_(std::make_unique<Handle>()) {}

StateLock::~StateLock() = default;

}  // namespace kestrelwick
