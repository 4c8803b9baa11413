#include "console/standard_streams.h"

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>

#include "files/files.h"

namespace kestrelwick {

namespace {

// Which of standard input, output and error the program was started
// without, as holdStandardStreams found them.
std::array<bool, 3> startedWithout{};

}  // namespace

bool writeUtf8(QIODevice& device, const QString& text) {
    if (!device.isOpen()) {
        return false;  // a stream the program was started without
    }
    const QByteArray bytes = utf8Of(text);
    return device.write(bytes) == bytes.size();
}

QString failureOf(const QIODevice& device) {
    return systemReason(device.isOpen() ? device.errorString() : qt_error_string(EBADF));
}

void holdStandardStreams() {
#ifdef Q_OS_WIN
    // A window program started from a console has no standard streams of
    // its own: it writes to its parent's console where it has none, and
    // to whatever its streams were redirected to otherwise.
    const auto missing = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    if ((missing(STD_OUTPUT_HANDLE) || missing(STD_ERROR_HANDLE)) &&
        AttachConsole(ATTACH_PARENT_PROCESS)) {
        FILE* reopened = nullptr;
        if (missing(STD_OUTPUT_HANDLE) || _fileno(stdout) < 0) {
            freopen_s(&reopened, "CONOUT$", "w", stdout);
        }
        if (missing(STD_ERROR_HANDLE) || _fileno(stderr) < 0) {
            freopen_s(&reopened, "CONOUT$", "w", stderr);
        }
    }
    // The same bytes as on every other system: line breaks stay LF.
    _setmode(1, _O_BINARY);
    _setmode(2, _O_BINARY);
    _setmode(0, _O_BINARY);
#endif
#ifdef Q_OS_UNIX
    for (int fd = 0; fd < 3; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            startedWithout.at(std::size_t(fd)) = true;
            // The lowest free number: this one, now held by the null device.
            const int held = ::open("/dev/null", O_RDWR | O_CLOEXEC);
            if (held >= 0 && held != fd) {
                ::close(held);
            }
        }
    }
#endif
}

StandardOutput::StandardOutput(int fd) : fd_(fd) {
    if (!startedWithout.at(std::size_t(fd))) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
}

qint64 StandardOutput::writeData(const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        constexpr qint64 kMostAtOnce = qint64{1} << 30;
#ifdef Q_OS_WIN
        const auto wrote = ::_write(fd_, data + done, unsigned(std::min(size - done, kMostAtOnce)));
#else
        const auto wrote =
            ::write(fd_, data + done, std::size_t(std::min(size - done, kMostAtOnce)));
#endif
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            setErrorString(qt_error_string(wrote < 0 ? errno : EIO));
            return -1;
        }
        done += wrote;
    }
    return done;
}

StandardStreams::StandardStreams() {
    if (!startedWithout[0]) {
        in.open(0, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    }
}

}  // namespace kestrelwick
