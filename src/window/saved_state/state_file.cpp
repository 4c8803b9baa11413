#include "window/saved_state/state_file.h"

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

std::optional<StateTexts> decodeStateFile(const QByteArray& bytes) {
    const auto size = std::size_t(bytes.size());
    if (size < kHeaderBytes || std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0 ||
        readLittleEndian<std::uint32_t>(bytes.constData() + 8) != kVersion ||
        readLittleEndian<std::uint32_t>(bytes.constData() + 12) != kStateTexts) {
        return std::nullopt;
    }
    StateTexts texts;
    std::size_t at = kHeaderBytes;
    for (std::u16string& text : texts) {
        if (size - at < sizeof(std::uint64_t)) {
            return std::nullopt;
        }
        const auto units = readLittleEndian<std::uint64_t>(bytes.constData() + at);
        at += sizeof(std::uint64_t);
        if (units > (size - at) / 2 || units > kLargestStateText) {
            return std::nullopt;  // cut short, or longer than a state's text can be
        }
        text.resize(std::size_t(units));
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(text.data(), bytes.constData() + at, 2 * text.size());
            at += 2 * text.size();
        } else {
            for (std::size_t i = 0; i < text.size(); ++i, at += 2) {
                text[i] = char16_t(readLittleEndian<std::uint16_t>(bytes.constData() + at));
            }
        }
    }
    if (at != size) {
        return std::nullopt;  // more than four texts hold
    }
    return texts;
}

}  // namespace kestrelwick
