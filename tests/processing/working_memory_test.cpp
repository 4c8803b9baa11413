// Working buffers of a click: large ones come from blocks the engine keeps
// between clicks, and a kept block must never be handed out too small or
// twice at once.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "processing/working_memory.h"

namespace kestrelwick {
namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// A block filled with a byte of its own, to see whether another block wrote
// over it.
struct Filled {
    std::size_t bytes;
    unsigned char fill;
    void* block = allocateWorkingBlock(bytes);

    Filled(std::size_t size, unsigned char with) : bytes(size), fill(with) {
        std::memset(block, fill, bytes);
    }
    ~Filled() { freeWorkingBlock(block, bytes); }
    Filled(const Filled&) = delete;
    Filled& operator=(const Filled&) = delete;

    bool intact() const {
        const auto* bytesOf = static_cast<const unsigned char*>(block);
        for (std::size_t i = 0; i < bytes; ++i) {
            if (bytesOf[i] != fill) {
                return false;
            }
        }
        return true;
    }
};

TEST(WorkingMemory, KeptBlocksAreReusedWholeAndOneAtATime) {
    keepWorkingMemoryBetweenChecks();
    // Sizes either side of where buffers get blocks of their own, sizes that
    // are no whole number of pages, and one size twice.
    const std::vector<std::size_t> sizes = {kMiB - 2, kMiB,     3 * kMiB + 7,
                                            2 * kMiB, 2 * kMiB, 5 * kMiB + 4093};
    for (int click = 0; click < 3; ++click) {
        std::vector<std::unique_ptr<Filled>> live;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            live.push_back(std::make_unique<Filled>(sizes[i], static_cast<unsigned char>(i + 1)));
        }
        // A larger block while the others are still in use.
        const Filled larger(9 * kMiB, 0xee);
        for (const auto& block : live) {
            EXPECT_TRUE(block->intact()) << block->bytes << " bytes";
        }
        EXPECT_TRUE(larger.intact());
    }
    releaseWorkingMemory();
    const Filled afterRelease(4 * kMiB, 0x5a);
    EXPECT_TRUE(afterRelease.intact());
}

TEST(WorkingMemory, LongTextsGrowWithoutLosingAUnit) {
    WorkingText text;
    std::u16string expected;
    for (int i = 0; text.size() < 3 * kMiB; ++i) {
        const auto unit = static_cast<char16_t>(u'a' + i % 26);
        text.append(997, unit);
        expected.append(997, unit);
    }
    EXPECT_EQ(std::u16string_view(text), std::u16string_view(expected));
    WorkingText copy = text;
    text.clear();
    text.shrink_to_fit();
    EXPECT_EQ(std::u16string_view(copy), std::u16string_view(expected));
}

}  // namespace
}  // namespace kestrelwick
