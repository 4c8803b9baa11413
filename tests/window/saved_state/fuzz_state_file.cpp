// The saved state's decoder on arbitrary bytes: it never takes more than the
// bytes hold, and what it reads is exactly what encoding the same texts
// writes.

#include <QByteArray>

#include <cstddef>
#include <cstdint>

#include "fuzz/require.h"
#include "window/saved_state/state_file.h"

using kestrelwick::testing::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kestrelwick;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto texts = decodeStateFile(bytes);
    if (texts) {
        std::size_t units = 0;
        for (const std::u16string& text : *texts) {
            units += text.size();
        }
        require(2 * units <= size);
        require(encodeStateFile(*texts) == bytes);
    }
    // A good state with the fuzzer's bytes as its texts reads back whole.
    const StateTexts made = {std::u16string(reinterpret_cast<const char16_t*>(data), size / 2),
                             {},
                             u"x",
                             std::u16string(size % 7, u'\u2029')};
    require(decodeStateFile(encodeStateFile(made)) == made);
    return 0;
}
