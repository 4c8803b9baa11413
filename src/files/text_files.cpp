#include "files/text_files.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "files/engine_text.h"
#include "files/new_file.h"

namespace kestrelwick {

namespace {

// UTF-8 of 16-bit text in one pass; with lfBreaks, CR LF becomes LF.
QByteArray encode(const char16_t* units, std::size_t size, bool lfBreaks) {
    QByteArray bytes(qsizetype(3 * size), Qt::Uninitialized);
    auto* out = reinterpret_cast<unsigned char*>(bytes.data());
    const auto* start = out;
    for (std::size_t i = 0; i < size; ++i) {
        // Most text is plain ASCII: four units at a time while it is, and
        // holds no CR.
        while (i + 4 <= size) {
            std::uint64_t four = 0;
            std::memcpy(&four, units + i, sizeof four);
            const std::uint64_t crs = four ^ 0x000d000d000d000du;
            const bool cr = ((crs - 0x0001000100010001u) & ~crs & 0x8000800080008000u) != 0;
            if ((four & 0xff80ff80ff80ff80u) != 0 || cr) {
                break;
            }
            for (int k = 0; k < 4; ++k) {
                out[k] = static_cast<unsigned char>(units[i + std::size_t(k)]);
            }
            out += 4;
            i += 4;
        }
        if (i == size) {
            break;
        }
        const char32_t unit = units[i];
        if (unit < 0x80) {
            if (!(lfBreaks && unit == u'\r' && i + 1 < size && units[i + 1] == u'\n')) {
                *out++ = static_cast<unsigned char>(unit);
            }
            continue;
        }
        char32_t point = unit;
        if (unit >= 0xd800 && unit <= 0xdfff) {
            const bool pair =
                unit <= 0xdbff && i + 1 < size && units[i + 1] >= 0xdc00 && units[i + 1] <= 0xdfff;
            point = pair ? 0x10000 + ((unit - 0xd800) << 10) + (units[++i] - 0xdc00) : 0xfffd;
        }
        if (point < 0x800) {
            *out++ = static_cast<unsigned char>(0xc0 | (point >> 6));
        } else if (point < 0x10000) {
            *out++ = static_cast<unsigned char>(0xe0 | (point >> 12));
            *out++ = static_cast<unsigned char>(0x80 | ((point >> 6) & 0x3f));
        } else {
            *out++ = static_cast<unsigned char>(0xf0 | (point >> 18));
            *out++ = static_cast<unsigned char>(0x80 | ((point >> 12) & 0x3f));
            *out++ = static_cast<unsigned char>(0x80 | ((point >> 6) & 0x3f));
        }
        *out++ = static_cast<unsigned char>(0x80 | (point & 0x3f));
    }
    bytes.truncate(out - start);
    return bytes;
}

}  // namespace

QByteArray utf8Of(QStringView text) {
    return encode(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()), false);
}

QByteArray fileBytesOf(std::u16string_view text) {
    return encode(text.data(), text.size(), true);
}

std::optional<Refusal> saveTextFile(const QString& path, std::u16string_view text) {
    try {
        return writeWholeFile(path, fileBytesOf(text), NewFile::Access::Everyone);
    } catch (const std::bad_alloc&) {
        return refusalOf(Refusal::Kind::NoMemory, QStringLiteral("there is not enough memory"));
    }
}

}  // namespace kestrelwick
