#pragma once

#include <cstdint>
#include <span>

namespace velk {

// An open file. Reads never fail: whatever lies before the start or past the end of the file
// arrives as zero bytes, so a reader can take positions from a file without checking them
// first. Sizes and offsets are 64-bit so that arithmetic on 32-bit positions cannot wrap.
class File {
  public:
    virtual ~File() = default;

    virtual std::int64_t size() const = 0;

    // Fills `out` from `offset`; bytes outside the file are zero. Returns how many bytes came
    // from the file itself.
    virtual std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> out) = 0;

    // Writes `data` at `offset`; false when the file was opened read-only or the write failed.
    virtual bool writeAt(std::int64_t offset, std::span<const std::uint8_t> data) = 0;

    virtual bool writable() const = 0;
};

} // namespace velk
