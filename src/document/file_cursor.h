#pragma once

#include "platform/file.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

// Reads fields one after another from a file. Everything it hands out is bounded by the file
// size: a text whose length is zero or less, or that would run past the end of the file, is
// empty (the cursor still moves past it), so no length taken from a file can make it allocate
// more than the file holds.
//
// The file is read in blocks, each twice the size of the one before: a few fields cost one
// small read, and a table of thousands of entries a handful of large ones instead of a read
// each. A cursor reads one structure at one moment, so the file's size is taken once.
class FileCursor {
  public:
    FileCursor(File& file, std::int64_t offset)
        : file_(file), offset_(offset), fileSize_(file.size()) {}

    std::int16_t int16();
    std::int32_t int32();
    std::string text(std::int32_t length);
    void skip(std::int64_t count) { offset_ += count; }

    std::int64_t offset() const { return offset_; }
    bool pastEnd() const { return offset_ >= fileSize_; }

  private:
    // `out.size()` bytes from `at`, as File::readAt gives them (zeros outside the file).
    void read(std::int64_t at, std::span<std::uint8_t> out);

    File& file_;
    std::int64_t offset_;
    std::int64_t fileSize_;
    std::vector<std::uint8_t> block_;
    std::int64_t blockStart_ = 0;
};

// Absolute file offset of a 1-based document position.
inline std::int64_t FileOffset(std::int32_t base, std::int32_t position) {
    return static_cast<std::int64_t>(base) + position - 1;
}

} // namespace velk
