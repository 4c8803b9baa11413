#include "processing/working_memory.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kestrelwick {

void keepWorkingMemoryBetweenClicks() {
#if defined(__GLIBC__)
    // Blocks below 32 MiB (the most glibc allows here) come from the heap, and
    // up to 64 MiB of free heap stays mapped between clicks.
    constexpr int kLargestHeapBlock = 32 << 20;
    constexpr int kKeptFreeHeap = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeHeap);
#endif
    // Elsewhere the system allocator keeps its own policy.
}

}  // namespace kestrelwick
