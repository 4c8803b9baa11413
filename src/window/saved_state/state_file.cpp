#include "window/saved_state/state_file.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace kestrelwick {

namespace {

constexpr char kMagic[8] = {'K', 'W', 'S', 'T', 'A', 'T', 'E', '\x1a'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kHeaderBytes = sizeof kMagic + 2 * sizeof(std::uint32_t);

template <typename T>
void appendLittleEndian(QByteArray& out, T value) {
    for (std::size_t i = 0; i < sizeof value; ++i) {
        out += char((value >> (8 * i)) & 0xff);
    }
}

template <typename T>
T readLittleEndian(const char* at) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        value |= std::uint64_t{static_cast<unsigned char>(at[i])} << (8 * i);
    }
    return T(value);
}

}  // namespace

std::uint64_t largestStateFile() {
    return kHeaderBytes + kStateTexts * (sizeof(std::uint64_t) + 2 * kLargestStateText);
}

QByteArray encodeStateFile(const StateTexts& texts) {
    std::size_t size = kHeaderBytes;
    for (const std::u16string& text : texts) {
        size += sizeof(std::uint64_t) + 2 * text.size();
    }
    QByteArray bytes;
    bytes.reserve(qsizetype(size));
    bytes.append(kMagic, sizeof kMagic);
    appendLittleEndian(bytes, kVersion);
    appendLittleEndian(bytes, std::uint32_t{kStateTexts});
    for (const std::u16string& text : texts) {
        appendLittleEndian(bytes, std::uint64_t{text.size()});
        if constexpr (std::endian::native == std::endian::little) {
            bytes.append(reinterpret_cast<const char*>(text.data()), qsizetype(2 * text.size()));
        } else {
            for (const char16_t unit : text) {
                appendLittleEndian(bytes, std::uint16_t{unit});
            }
        }
    }
    return bytes;
}

std::optional<StateTexts> decodeState(const StateReader& read, std::uint64_t size) {
    char header[kHeaderBytes];
    if (size < kHeaderBytes || !read(0, header, kHeaderBytes) ||
        std::memcmp(header, kMagic, sizeof kMagic) != 0 ||
        readLittleEndian<std::uint32_t>(header + 8) != kVersion ||
        readLittleEndian<std::uint32_t>(header + 12) != kStateTexts) {
        return std::nullopt;
    }
    // Every length first: they must fit the size exactly.
    std::array<std::uint64_t, kStateTexts> lengths{};
    std::uint64_t at = kHeaderBytes;
    for (std::uint64_t& units : lengths) {
        char length[sizeof(std::uint64_t)];
        if (size - at < sizeof length || !read(at, length, sizeof length)) {
            return std::nullopt;
        }
        units = readLittleEndian<std::uint64_t>(length);
        at += sizeof length;
        if (units > kLargestStateText || units > (size - at) / 2) {
            return std::nullopt;  // cut short, or longer than a state's text can be
        }
        at += 2 * units;
    }
    if (at != size) {
        return std::nullopt;  // more than four texts hold
    }
    StateTexts texts;
    at = kHeaderBytes;
    for (std::size_t k = 0; k < kStateTexts; ++k) {
        at += sizeof(std::uint64_t);
        std::u16string& text = texts[k];
        text.resize(std::size_t(lengths[k]));
        if (!read(at, reinterpret_cast<char*>(text.data()), 2 * lengths[k])) {
            return std::nullopt;
        }
        if constexpr (std::endian::native != std::endian::little) {
            for (char16_t& unit : text) {
                unit = char16_t((unit >> 8) | (unit << 8));
            }
        }
        at += 2 * lengths[k];
    }
    return texts;
}

std::optional<StateTexts> decodeStateFile(const QByteArray& bytes) {
    return decodeState(
        [&bytes](std::uint64_t offset, char* into, std::uint64_t size) {
            std::memcpy(into, bytes.constData() + offset, std::size_t(size));
            return true;
        },
        std::uint64_t(bytes.size()));
}

}  // namespace kestrelwick
