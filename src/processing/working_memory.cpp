#include "processing/working_memory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ where the C library is glibc
#include <mutex>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// Under AddressSanitizer every buffer stays on the heap, where overruns show.
#if defined(__SANITIZE_ADDRESS__)
#define KESTRELWICK_HEAP_ONLY 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRELWICK_HEAP_ONLY 1
#endif
#endif

#if defined(__linux__) && !defined(KESTRELWICK_HEAP_ONLY)
#define KESTRELWICK_OWN_BLOCKS 1
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace kestrelwick {

namespace {

// Up to this much freed working memory is kept for the next check.
[[maybe_unused]] constexpr std::size_t kKeptMemory = std::size_t{64} << 20;

#if defined(KESTRELWICK_OWN_BLOCKS)

// The size from which working buffers get blocks of their own.
constexpr std::size_t kOwnBlock = std::size_t{1} << 20;
constexpr std::size_t kHugePage = std::size_t{2} << 20;

struct Block {
    void* start;
    std::size_t length;  // mapped bytes
};

// The engine's own blocks: those in use and those kept for reuse.
class BlockStore {
  public:
    void* take(std::size_t bytes) {
        {
            const std::scoped_lock lock(mutex_);
            // The smallest kept block that is large enough.
            auto best = kept_.end();
            for (auto b = kept_.begin(); b != kept_.end(); ++b) {
                if (b->length >= bytes && (best == kept_.end() || b->length < best->length)) {
                    best = b;
                }
            }
            if (best != kept_.end()) {
                inUse_.push_back(*best);
                keptBytes_ -= best->length;
                kept_.erase(best);
                return inUse_.back().start;
            }
        }
        const Block block = map(bytes);
        try {
            const std::scoped_lock lock(mutex_);
            inUse_.push_back(block);
        } catch (...) {
            munmap(block.start, block.length);
            throw;
        }
        return block.start;
    }

    void give(void* start) noexcept {
        Block block{};
        {
            const std::scoped_lock lock(mutex_);
            const auto found = std::find_if(inUse_.begin(), inUse_.end(),
                                            [start](const Block& b) { return b.start == start; });
            if (found == inUse_.end()) {
                return;  // not a block of this store
            }
            block = *found;
            inUse_.erase(found);
            if (keptBytes_ + block.length <= keptLimit_) {
                try {
                    kept_.push_back(block);
                    keptBytes_ += block.length;
                    return;
                } catch (const std::bad_alloc&) {
                    // No room to note it: hand it back instead.
                }
            }
        }
        munmap(block.start, block.length);
    }

    void release() noexcept {
        std::vector<Block> kept;
        {
            const std::scoped_lock lock(mutex_);
            kept.swap(kept_);
            keptBytes_ = 0;
        }
        for (const Block& block : kept) {
            munmap(block.start, block.length);
        }
    }

    void keep(std::size_t limit) {
        const std::scoped_lock lock(mutex_);
        keptLimit_ = limit;
    }

  private:
    // A fresh block that starts on a 2 MiB boundary, so that every whole 2 MiB
    // of it can be a huge page: one fault and one page of zeros instead of 512.
    static Block map(std::size_t bytes) {
        static const auto page = std::size_t(sysconf(_SC_PAGESIZE));
        const std::size_t length = (bytes + page - 1) / page * page;
        if (length < bytes || length > std::numeric_limits<std::size_t>::max() - kHugePage) {
            throw std::bad_alloc();
        }
        void* mapped = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) {
            throw std::bad_alloc();
        }
        // Keep the aligned part and unmap what lies before and after it.
        const auto address = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (address + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
        const std::size_t before = aligned - address;
        if (before > 0) {
            munmap(mapped, before);
        }
        munmap(reinterpret_cast<void*>(aligned + length), kHugePage - before);
        void* start = reinterpret_cast<void*>(aligned);
        // Only a hint: where the system has no huge pages, 4 KiB pages serve.
        madvise(start, length, MADV_HUGEPAGE);
        return {start, length};
    }

    std::mutex mutex_;
    std::vector<Block> inUse_;
    std::vector<Block> kept_;
    std::size_t keptBytes_ = 0;
    std::size_t keptLimit_ = 0;
};

// Never destroyed, so that buffers freed while the program exits still find it.
BlockStore& blocks() {
    static auto* const store = new BlockStore;
    return *store;
}

#endif

// The cap on working memory in use, and what is in use while a cap is set.
constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();
std::atomic<std::size_t> workingLimit{kNoLimit};
std::atomic<std::size_t> workingInUse{0};

}  // namespace

void keepWorkingMemoryBetweenChecks() {
#if defined(__GLIBC__)
    // Blocks below 32 MiB (the most glibc allows here) come from the heap, and
    // up to 64 MiB of free heap stays mapped between checks.
    constexpr int kLargestHeapBlock = 32 << 20;
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, int{kKeptMemory});
#endif
#if defined(KESTRELWICK_OWN_BLOCKS)
    blocks().keep(kKeptMemory);
#endif
    // Elsewhere the system allocator keeps its own policy.
}

void limitWorkingMemory(std::size_t bytes) noexcept {
    // Set between checks, when no working block is in use.
    workingInUse.store(0);
    workingLimit.store(bytes == 0 ? kNoLimit : bytes);
}

void* allocateWorkingBlock(std::size_t bytes) {
    if (workingLimit.load(std::memory_order_relaxed) != kNoLimit) {
        const std::size_t before = workingInUse.fetch_add(bytes);
        if (before + bytes > workingLimit.load() || before + bytes < before) {
            workingInUse.fetch_sub(bytes);
            throw std::bad_alloc();
        }
    }
    try {
#if defined(KESTRELWICK_OWN_BLOCKS)
        if (bytes >= kOwnBlock) {
            return blocks().take(bytes);
        }
#endif
        return ::operator new(bytes);
    } catch (...) {
        if (workingLimit.load(std::memory_order_relaxed) != kNoLimit) {
            workingInUse.fetch_sub(bytes);
        }
        throw;
    }
}

void freeWorkingBlock(void* block, [[maybe_unused]] std::size_t bytes) noexcept {
    if (workingLimit.load(std::memory_order_relaxed) != kNoLimit) {
        workingInUse.fetch_sub(bytes);
    }
#if defined(KESTRELWICK_OWN_BLOCKS)
    if (bytes >= kOwnBlock) {
        blocks().give(block);
        return;
    }
#endif
    ::operator delete(block);
}

void releaseWorkingMemory() noexcept {
#if defined(KESTRELWICK_OWN_BLOCKS)
    blocks().release();
#endif
}

}  // namespace kestrelwick
