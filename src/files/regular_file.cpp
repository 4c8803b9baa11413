#include "files/regular_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>

#include "files/file_names.h"
#include "files/system_reason.h"

namespace kestrelwick {

qint64 RegularFile::readFully(char* into, qint64 bytes) {
    qint64 done = 0;
    while (done < bytes) {
        const qint64 got = read(into + done, bytes - done);
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

#ifdef Q_OS_UNIX

struct RegularFile::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

RegularFile::RegularFile(const QString& path, qint64 largest, Links links)
    : handle_(std::make_unique<Handle>()) {
    // Opened by the name's own bytes, so that a name that is not UTF-8 is
    // found.
    const QByteArray name = systemFileName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK |
                                                (links == Links::Refuse ? O_NOFOLLOW : 0));
    if (fd < 0) {
        error_ = errno;
        struct stat link {};
        if (error_ == ENOENT) {
            const bool dangling = ::lstat(name.constData(), &link) == 0 && S_ISLNK(link.st_mode);
            problem_ = dangling ? Problem::DanglingLink : Problem::Missing;
        } else if (error_ == ELOOP) {
            problem_ = links == Links::Refuse ? Problem::Link : Problem::LinkLoop;
        } else {
            problem_ = Problem::System;
        }
        reason_ = systemReason(qt_error_string(error_));
        return;
    }
    handle_->fd = fd;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        error_ = errno;
        problem_ = Problem::System;
        reason_ = systemReason(qt_error_string(error_));
    } else if (S_ISDIR(status.st_mode)) {
        problem_ = Problem::Folder;
    } else if (!S_ISREG(status.st_mode)) {
        problem_ = Problem::NotRegular;
    } else if (status.st_size > largest) {
        problem_ = Problem::TooLarge;
    }
    size_ = status.st_size;
}

qint64 RegularFile::read(char* into, qint64 bytes) {
    for (;;) {
        const ssize_t got = ::read(handle_->fd, into, std::size_t(bytes));
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR) {
            error_ = errno;
            reason_ = systemReason(qt_error_string(error_));
            return -1;
        }
    }
}

bool RegularFile::seek(qint64 offset) {
    if (::lseek(handle_->fd, off_t(offset), SEEK_SET) < 0) {
        error_ = errno;
        reason_ = systemReason(qt_error_string(error_));
        return false;
    }
    return true;
}

#else

struct RegularFile::Handle {
    QFile file;
};

RegularFile::RegularFile(const QString& path, qint64 largest, Links links)
    : handle_(std::make_unique<Handle>()) {
    const QFileInfo info(path);
    if (info.isSymLink() && links == Links::Refuse) {
        problem_ = Problem::Link;
    } else if (!info.exists()) {
        problem_ = info.isSymLink() ? Problem::DanglingLink : Problem::Missing;
    } else if (info.isDir()) {
        problem_ = Problem::Folder;
    } else if (!info.isFile()) {
        problem_ = Problem::NotRegular;
    } else if (info.size() > largest) {
        problem_ = Problem::TooLarge;
    } else {
        handle_->file.setFileName(path);
        if (!handle_->file.open(QIODevice::ReadOnly)) {
            problem_ = Problem::System;
            reason_ = systemReason(handle_->file.errorString());
        }
    }
    size_ = info.size();
}

qint64 RegularFile::read(char* into, qint64 bytes) {
    const qint64 got = handle_->file.read(into, bytes);
    if (got < 0) {
        reason_ = systemReason(handle_->file.errorString());
    }
    return got;
}

bool RegularFile::seek(qint64 offset) {
    if (!handle_->file.seek(offset)) {
        reason_ = systemReason(handle_->file.errorString());
        return false;
    }
    return true;
}

#endif

RegularFile::~RegularFile() = default;

}  // namespace kestrelwick
