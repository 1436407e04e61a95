#ifndef _WIN32

#include "platform/posix/heap_memory.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// The page faults that writing `count` new blocks of `size` bytes costs.
long FaultsForBlocks(std::size_t count, std::size_t size) {
    std::vector<void*> blocks(count);
    const long before = MinorFaults();
    for (void*& block : blocks) {
        block = std::malloc(size);
        std::memset(block, 1, size);
    }
    const long faults = MinorFaults() - before;
    for (void* block : blocks) {
        std::free(block);
    }
    return faults;
}

struct HeapCase {
    const char* name;
    bool prepared;
    std::size_t count;
    std::size_t size;
    bool faults;
};

// Each case runs in a new process, as a program's start does: the heap a whole test run leaves
// behind is full of freed blocks that would serve the allocations instead.
TEST(HeapMemory, APreparedHeapServesBlocksWithoutFaults) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizer's allocator takes the place of the heap";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const HeapCase cases[] = {
        {"small blocks", true, 128, page, false},
        {"blocks that would otherwise be mapped apart", true, 3, 64 * page, false},
        {"small blocks, unprepared", false, 128, page, true},
        {"blocks mapped apart, unprepared", false, 3, 64 * page, true},
    };
    for (const HeapCase& heapCase : cases) {
        SCOPED_TRACE(heapCase.name);
        EXPECT_EXIT(
            {
                if (heapCase.prepared) {
                    velk::posix::PrepareHeap(std::size_t{1} << 20);
                }
                const long pages = static_cast<long>(heapCase.count * heapCase.size / page);
                const long faults = FaultsForBlocks(heapCase.count, heapCase.size);
                std::_Exit((faults > pages / 2) == heapCase.faults ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
    }
}

} // namespace

#endif
