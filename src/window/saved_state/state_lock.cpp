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

// For the test of two windows started at once: how long the first waits
// between taking the lock and writing what it says.
void waitAsTestsAsk() {
    const int wait = qEnvironmentVariableIntValue("KESTRELWICK_TEST_LOCK_WRITE_DELAY_MS");
    if (wait > 0) {
        QThread::msleep(static_cast<unsigned long>(wait));
    }
}

void moveAside(const QString& path) {
    const QString aside = path + QStringLiteral(".stale-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink()) {
        QDir().rename(path, aside);
    } else {
        QFile::rename(path, aside);
    }
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
int openLockFile(const QString& path) {
    const int fd = ::open(systemFileName(path).constData(),
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

}  // namespace

StateLock::Taken StateLock::take() {
    int fd = openLockFile(path_);
    if (fd == -2) {
        moveAside(path_);
        fd = openLockFile(path_);
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
    waitAsTestsAsk();
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
        moveAside(path_);
        file = open();
    }
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_SHARING_VIOLATION ? Taken::Others : Taken::Failed;
    }
    handle_->file = file;
    waitAsTestsAsk();
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
