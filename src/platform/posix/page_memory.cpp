#include "platform/posix/page_memory.h"

#include <sys/mman.h>

#include <cstdint>

namespace velk::posix {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t RoundUp(std::size_t size, std::size_t unit) {
    return (size + unit - 1) / unit * unit;
}

} // namespace

PageMemory::PageMemory(std::size_t size, std::size_t hugeFrom, bool faultInAtOnce) {
    if (size == 0 || size > SIZE_MAX - 2 * kHugePage) {
        return;
    }
    // Large memory is mapped with one huge page more than it needs, so that it can start on a
    // huge page's border; zeroing a huge page for a small piece would cost more than it saves.
    const bool huge = size >= hugeFrom;
    const std::size_t mappedSize = huge ? RoundUp(size, kHugePage) + kHugePage : size;
    void* mapping =
        mmap(nullptr, mappedSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        return;
    }
    mapping_ = mapping;
    mappedSize_ = mappedSize;
    size_ = size;
    data_ = static_cast<std::uint8_t*>(mapping);
    if (huge) {
        data_ = reinterpret_cast<std::uint8_t*>(
            RoundUp(reinterpret_cast<std::uintptr_t>(mapping), kHugePage));
        static_cast<void>(madvise(data_, RoundUp(size, kHugePage), MADV_HUGEPAGE));
    }
    // Both are requests: without huge pages the memory comes in small pages, all faulted in
    // by one call, and without that call (kernels before 5.14) page by page as it is touched.
#ifdef MADV_POPULATE_WRITE
    if (faultInAtOnce && size >= kAtOnce) {
        static_cast<void>(madvise(data_, size, MADV_POPULATE_WRITE));
    }
#endif
}

PageMemory::~PageMemory() {
    if (mapping_ != nullptr) {
        munmap(mapping_, mappedSize_);
    }
}

} // namespace velk::posix
