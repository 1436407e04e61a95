#pragma once

#include <cstddef>
#include <cstdint>

namespace velk::posix {

// Memory for a picture or image data, mapped for it alone and given back when it goes, zeroed.
// Touched page by page, a page of pixels costs hundreds of page faults, which on a virtual
// machine take longer than drawing the page; so memory of kWorthIt bytes or more is mapped in
// 2 MiB pages where the kernel grants them, and memory of kAtOnce bytes or more is faulted in
// with one call, which costs half as much as its faults.
class PageMemory {
  public:
    static constexpr std::size_t kWorthIt = std::size_t{1} << 20;
    static constexpr std::size_t kAtOnce = std::size_t{64} << 10;

    // `size` bytes, or no memory (data() null) when the mapping fails; in huge pages from
    // `hugeFrom` bytes on. Memory that is written only in part is better left to be faulted
    // in as it is touched (`faultInAtOnce` false).
    explicit PageMemory(std::size_t size, std::size_t hugeFrom = kWorthIt,
                        bool faultInAtOnce = true);
    ~PageMemory();
    PageMemory(const PageMemory&) = delete;
    PageMemory& operator=(const PageMemory&) = delete;

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }

  private:
    void* mapping_ = nullptr;
    std::size_t mappedSize_ = 0;
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace velk::posix
