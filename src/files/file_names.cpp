#include "files/file_names.h"

#include <QStringDecoder>

#ifdef Q_OS_WIN
#include <shellapi.h>
#include <windows.h>
#endif

namespace kestrelwick {

namespace {

constexpr char16_t kFirstKeptByte = 0xdc80;

// The length of the valid UTF-8 sequence at p, or 0 when there is none.
qsizetype utf8SequenceAt(const unsigned char* p, const unsigned char* end) {
    const unsigned char lead = *p;
    if (lead < 0x80) {
        return 1;
    }
    qsizetype more = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        more = 1;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        more = 2;
        low = lead == 0xe0 ? 0xa0 : 0x80;
        high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        more = 3;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (end - p <= more) {
        return 0;
    }
    for (qsizetype i = 1; i <= more; ++i) {
        if (p[i] < (i == 1 ? low : 0x80) || p[i] > (i == 1 ? high : 0xbf)) {
            return 0;
        }
    }
    return more + 1;
}

}  // namespace

QString fileNameFromSystem(const QByteArray& name) {
    QString out;
    out.reserve(name.size());
    const auto* p = reinterpret_cast<const unsigned char*>(name.constData());
    const auto* end = p + name.size();
    while (p < end) {
        const qsizetype length = utf8SequenceAt(p, end);
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
