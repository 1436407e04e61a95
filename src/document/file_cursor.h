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
class FileCursor {
  public:
    FileCursor(File& file, std::int64_t offset) : file_(file), offset_(offset) {}

    std::int16_t int16();
    std::int32_t int32();
    std::string text(std::int32_t length);
    void skip(std::int64_t count) { offset_ += count; }

    std::int64_t offset() const { return offset_; }
    bool pastEnd() const { return offset_ >= file_.size(); }

  private:
    File& file_;
    std::int64_t offset_;
};

// Absolute file offset of a 1-based document position.
inline std::int64_t FileOffset(std::int32_t base, std::int32_t position) {
    return static_cast<std::int64_t>(base) + position - 1;
}

} // namespace velk
