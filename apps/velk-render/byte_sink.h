#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace velk::cli {

// Where a file's bytes go as they are made.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void write(std::span<const std::uint8_t> bytes) = 0;
};

// A file's bytes kept in memory.
class MemorySink : public ByteSink {
  public:
    std::vector<std::uint8_t> bytes;
    void write(std::span<const std::uint8_t> data) override {
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
};

} // namespace velk::cli
