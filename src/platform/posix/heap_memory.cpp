#include "platform/posix/heap_memory.h"

#include <malloc.h>
#include <sys/mman.h>

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace velk::posix {

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

std::uintptr_t RoundUp(std::uintptr_t value, std::uintptr_t unit) {
    return (value + unit - 1) / unit * unit;
}

} // namespace

void PrepareHeap(std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    // A block that reaches past a huge page's border is taken from the heap; the whole huge
    // pages inside it, untouched so far, are made huge and faulted in, and the block is given
    // back. The memory below the first border is then held by a block that is never written,
    // so that the allocations after it are carved from the huge pages.
    const std::uintptr_t prepared = RoundUp(bytes, kHugePage);
    const std::uintptr_t blockSize = prepared + 2 * kHugePage;
    if (bytes == 0 || blockSize > INT_MAX / 4) {
        return;
    }
    // The heap, not a mapping of its own, serves the block, and keeps it when it is freed.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(blockSize + kHugePage));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(4 * blockSize));
    void* block = std::malloc(blockSize);
    if (block == nullptr) {
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    auto* const huge = reinterpret_cast<void*>(RoundUp(start, kHugePage));
    static_cast<void>(madvise(huge, prepared, MADV_HUGEPAGE));
    static_cast<void>(madvise(huge, prepared, MADV_POPULATE_WRITE));
    std::free(block);
    // A block's bookkeeping takes 8 bytes before the next block's: this one ends where the
    // huge pages begin.
    const std::uintptr_t below = reinterpret_cast<std::uintptr_t>(huge) - start;
    if (below >= 64) {
        [[maybe_unused]] static void* volatile held;
        held = std::malloc(below - 8);
    }
    // From here on, blocks larger than the prepared memory are mapped apart as usual.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(prepared));
#else
    static_cast<void>(bytes);
#endif
}

} // namespace velk::posix
