#pragma once

// The file that keeps the user's work between runs: the texts of the three
// article boxes and of the output box.
//
// The file: the eight bytes "KWSTATE" and 0x1A, the format version and the
// number of texts (each a 32-bit little-endian number: 1 and 4), then each text
// as its length in UTF-16 code units (64-bit little-endian) followed by its
// code units (UTF-16 little-endian), line breaks as CR LF; nothing after the
// last.
//
// Reading and writing the file: window/state_io.h.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "window/large_boxes.h"

namespace kestrelwick {

inline constexpr std::size_t kStateTexts = kBoxCount;
using StateTexts = std::array<std::u16string, kStateTexts>;

QByteArray encodeStateFile(const StateTexts& texts);

// Reads size bytes from a state at offset into `into`; false when it cannot.
using StateReader = std::function<bool(std::uint64_t offset, char* into, std::uint64_t size)>;

// The texts of a state of the given size; nothing for a state that is cut
// short, damaged, of another version, or whose lengths do not add up to its
// size. The header and every length are judged before any text is read or
// memory is taken for it. Throws std::bad_alloc when there is not the memory
// for texts that are whole.
std::optional<StateTexts> decodeState(const StateReader& read, std::uint64_t size);
// The same for a state's bytes.
std::optional<StateTexts> decodeStateFile(const QByteArray& bytes);

// The most code units a text of the state can have, and so the largest
// state file there can be.
inline constexpr std::uint64_t kLargestStateText = std::uint64_t{256} << 20;
std::uint64_t largestStateFile();

}  // namespace kestrelwick
