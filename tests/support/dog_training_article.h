#pragma once

// The worked example: one short article in three wordings, four paragraphs
// each, and what Check Articles makes of it, read from tests/data/ as the
// boxes hold text (CR LF line breaks, none after the last line). Shared by
// the engine and the window tests.

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#ifndef KESTRELWICK_TEST_DATA_DIR
#error "KESTRELWICK_TEST_DATA_DIR must name tests/data"
#endif

namespace kestrelwick::testing {

// A sample file (ASCII, LF line breaks) with CR LF line breaks and without
// the break after its last line.
inline std::u16string sampleText(const char* name) {
    std::ifstream file(std::string(KESTRELWICK_TEST_DATA_DIR "/") + name, std::ios::binary);
    if (!file) {
        std::abort();  // the tests cannot run without their data
    }
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::u16string text;
    for (const char byte : bytes) {
        if (byte == '\n') {
            text += u"\r\n";
        } else {
            text += char16_t(static_cast<unsigned char>(byte));
        }
    }
    if (text.ends_with(u"\r\n")) {
        text.resize(text.size() - 2);
    }
    return text;
}

inline const std::u16string kDogs1 = sampleText("dogs-1.txt");
inline const std::u16string kDogs2 = sampleText("dogs-2.txt");
inline const std::u16string kDogs3 = sampleText("dogs-3.txt");

// Paragraphs 1 to 3; the counts of paragraph 0 (3, 4, 5) stand in no line.
inline constexpr std::u16string_view kDogsGrid = u"5\t8\t4\t\r\n8\t4\t7\t\r\n5\t4\t3\t\r\n";

// The spin text as the output box holds it: the file has the two line
// breaks after the last group that the box has too.
inline const std::u16string kDogsSpin = sampleText("dogs-spin.txt") + u"\r\n";

}  // namespace kestrelwick::testing
