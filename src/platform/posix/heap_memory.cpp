#include "platform/posix/heap_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace velk::posix {

void PrepareHeap(std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    // The block is taken from the heap, faulted in and given back; the heap keeps up to four
    // times its size instead of returning it, so later allocations are carved from its pages.
    // The mapping threshold counts a block's own bookkeeping too.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(bytes + page));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(bytes * 4));
    void* block = std::malloc(bytes);
    if (block == nullptr) {
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t from = start / page * page;
    const std::uintptr_t to = (start + bytes) / page * page;
    static_cast<void>(madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE));
    std::free(block);
#else
    static_cast<void>(bytes);
#endif
}

} // namespace velk::posix
