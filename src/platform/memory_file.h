#pragma once

#include "platform/file.h"

#include <memory>
#include <vector>

namespace velk {

// A file held in memory: for documents built in tests and for fuzzing. Files opened on the
// same shared bytes see each other's writes, as handles of one file on disk do.
class MemoryFile : public File {
  public:
    using Bytes = std::shared_ptr<std::vector<std::uint8_t>>;
    explicit MemoryFile(std::vector<std::uint8_t> bytes, bool writable = true)
        : MemoryFile(std::make_shared<std::vector<std::uint8_t>>(std::move(bytes)), writable) {}
    MemoryFile(Bytes shared, bool writable) : bytes_(std::move(shared)), writable_(writable) {}

    std::int64_t size() const override { return static_cast<std::int64_t>(bytes_->size()); }
    std::size_t readAt(std::int64_t offset, std::span<std::uint8_t> out) override;
    bool writeAt(std::int64_t offset, std::span<const std::uint8_t> data) override;
    bool writable() const override { return writable_; }

    const std::vector<std::uint8_t>& bytes() const { return *bytes_; }

  private:
    Bytes bytes_;
    bool writable_;
};

// The part of [offset, offset + count) that lies inside a file of `size` bytes, as a start and a
// length; every File implementation clips its reads with it.
struct ClippedRange {
    std::int64_t start = 0; // offset of the first byte inside the file
    std::size_t skip = 0;   // bytes of the request before it (outside the file)
    std::size_t length = 0; // bytes inside the file
};
ClippedRange ClipToFile(std::int64_t offset, std::size_t count, std::int64_t size);

} // namespace velk
