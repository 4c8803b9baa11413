#include "window/saved_state/state_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <signal.h>

#include <cerrno>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kestrelwick {

namespace {

// When the machine last started.
QDateTime bootTime() {
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/stat"));
    if (stat.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : stat.readAll().split('\n')) {
            if (line.startsWith("btime ")) {
                return QDateTime::fromSecsSinceEpoch(line.mid(6).trimmed().toLongLong());
            }
        }
    }
    return {};
#elif defined(Q_OS_WIN)
    return QDateTime::currentDateTime().addMSecs(-qint64(GetTickCount64()));
#else
    return {};
#endif
}

bool processAlive(qint64 pid) {
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
#elif defined(Q_OS_WIN)
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (process == nullptr) {
        return false;
    }
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    return pid > 0;
#endif
}

}  // namespace

StateLock::StateLock(QString path) : path_(std::move(path)) {}

StateLock::~StateLock() = default;

QString StateLock::staleness() const {
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
        return {};
    }
    if (info.isSymLink() || !info.isFile()) {
        return QStringLiteral("it is not a file");
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("it cannot be read");
    }
    // A lock holds the process number, the program's name and the host's.
    const QList<QByteArray> lines = file.read(4096).split('\n');
    bool number = false;
    const qint64 pid = lines.value(0).toLongLong(&number);
    if (lines.size() < 3 || !number || pid <= 0) {
        return QStringLiteral("it is not a lock");
    }
    if (QString::fromUtf8(lines.value(2)) != QSysInfo::machineHostName()) {
        return QStringLiteral("another machine's");
    }
    const QDateTime boot = bootTime();
    if (boot.isValid() && info.lastModified() < boot.addSecs(-2)) {
        return QStringLiteral("older than the machine's last start");
    }
    if (!processAlive(pid)) {
        return QStringLiteral("its program has ended");
    }
    return {};
}

StateLock::Taken StateLock::take() {
    if (const QString stale = staleness(); !stale.isEmpty()) {
        const QString aside =
            path_ + QStringLiteral(".stale-") +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        // A stale lock holds nothing of the user's; it is kept beside the
        // state only for whoever looks into why the program ended.
        if (QFileInfo(path_).isDir() && !QFileInfo(path_).isSymLink()) {
            QDir().rename(path_, aside);
        } else {
            QFile::rename(path_, aside);
        }
    }
    lock_ = std::make_unique<QLockFile>(path_);
    // Only a lock whose program has died is stale, however long it is held.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        return Taken::Ours;
    }
    return lock_->error() == QLockFile::LockFailedError ? Taken::Others : Taken::Failed;
}

}  // namespace kestrelwick
