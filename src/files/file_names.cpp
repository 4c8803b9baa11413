#include "files/file_names.h"

#include "files/utf8.h"

#ifdef Q_OS_WIN
#include <windows.h>
// shellapi.h needs what windows.h defines.
#include <shellapi.h>
#endif

namespace kestrelwick {

namespace {

constexpr char16_t kFirstKeptByte = 0xdc80;

}  // namespace

QString fileNameFromSystem(const QByteArray& name) {
    QString out;
    out.reserve(name.size());
    const auto* p = reinterpret_cast<const unsigned char*>(name.constData());
    const auto* end = p + name.size();
    while (p < end) {
        const std::ptrdiff_t length = utf8SequenceAt(p, end);
        if (length == 0) {
            out += QChar(char16_t(kFirstKeptByte + (*p - 0x80)));
            ++p;
        } else {
            out += QString::fromUtf8(reinterpret_cast<const char*>(p), length);
            p += length;
        }
    }
    return out;
}

QByteArray systemFileName(const QString& name) {
    QByteArray out;
    out.reserve(name.size());
    qsizetype from = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        const bool keptByte = i < name.size() && name[i].unicode() >= kFirstKeptByte &&
                              name[i].unicode() <= 0xdcff &&
                              (i == 0 || !name[i - 1].isHighSurrogate());
        if (i == name.size() || keptByte) {
            out += QStringView(name).mid(from, i - from).toUtf8();
            if (keptByte) {
                out += char(0x80 + (name[i].unicode() - kFirstKeptByte));
            }
            from = i + 1;
        }
    }
    return out;
}

QStringList systemArguments(int argc, char* argv[]) {
    QStringList arguments;
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) {
            arguments << QString::fromWCharArray(wide[i]);
        }
        LocalFree(wide);
    }
#else
    for (int i = 0; i < argc; ++i) {
        arguments << fileNameFromSystem(QByteArray(argv[i]));
    }
#endif
    return arguments;
}

}  // namespace kestrelwick
