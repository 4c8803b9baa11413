#pragma once

// Memory for the working data of a check.
//
// A check of long articles builds a spin text as long as the three articles
// together and a table of their runs of words, and frees them when it ends.
// Fresh memory costs the system a fault and a page of zeros for every 4 KiB
// on first touch: for articles of a few megabytes that costs more than the
// counting itself. So on
// Linux large working buffers come from blocks that the engine maps itself,
// asking for 2 MiB pages where the system offers them (one fault and one page
// of zeros instead of 512), and freed blocks are kept for the next check.
// Elsewhere they come from the heap.

#include <cstddef>
#include <limits>
#include <new>
#include <string>

namespace kestrelwick {

// Called once at start-up: freed working memory of up to a few dozen
// megabytes stays with the program for the next check, both the C library's
// heap (where it is glibc) and the engine's own blocks.
void keepWorkingMemoryBetweenChecks();

// A block of at least the given size for a large working buffer; blocks
// below a megabyte come from the ordinary heap. Throws std::bad_alloc.
void* allocateWorkingBlock(std::size_t bytes);
// Frees a block from allocateWorkingBlock, given the same size.
void freeWorkingBlock(void* block, std::size_t bytes) noexcept;
// Hands every kept block back to the system, as happens to an idle program's
// memory; the next check then pays for fresh memory again.
void releaseWorkingMemory() noexcept;

// Caps the working memory in use at once, as a system short of memory would:
// an allocation past the cap throws std::bad_alloc. There is no cap until one
// is set; 0 lifts it. Set between checks. For the tests of what a check does
// when memory runs out.
void limitWorkingMemory(std::size_t bytes) noexcept;

// An allocator for containers of working data.
template <typename T>
struct WorkingAllocator {
    using value_type = T;

    WorkingAllocator() = default;
    template <typename U>
    explicit WorkingAllocator(const WorkingAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        if (count > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(allocateWorkingBlock(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        freeWorkingBlock(block, count * sizeof(T));
    }

    // Every block can be freed through any instance.
    friend bool operator==(const WorkingAllocator&, const WorkingAllocator&) { return true; }
};

// Text held for the length of a check: the spin text as it is written.
using WorkingText =
    std::basic_string<char16_t, std::char_traits<char16_t>, WorkingAllocator<char16_t>>;

}  // namespace kestrelwick
