#ifndef _WIN32

#include "platform/posix/heap_memory.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
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

// The kilobytes held in huge pages by the mapping that holds `address`, from /proc/self/smaps.
long HugeKilobytesAround(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t from = 0;
        std::uintptr_t to = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx ", &from, &to) == 2) {
            inside = from <= at && at < to;
        } else if (long kilobytes = 0;
                   inside && std::sscanf(line.c_str(), "AnonHugePages: %ld kB", &kilobytes) == 1) {
            return kilobytes;
        }
    }
    return -1;
}

bool HugePagesOnRequest() {
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(setting, text);
    return text.find("[always]") != std::string::npos ||
           text.find("[madvise]") != std::string::npos;
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

TEST(HeapMemory, BlocksAfterPreparingLandInAHugePage) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizer's allocator takes the place of the heap";
#endif
    if (!HugePagesOnRequest()) {
        GTEST_SKIP() << "this kernel gives no huge pages on request";
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            velk::posix::PrepareHeap(std::size_t{1} << 20);
            // Blocks too large for the lists of freed ones come from the heap's top.
            void* block = std::malloc(std::size_t{1} << 20);
            const bool huge = HugeKilobytesAround(block) >= 2048;
            std::_Exit(huge ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace

#endif
