#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace velk::cli {

// An RGB picture: three bytes per pixel (red, green, blue), rows top-down.
struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> pixels;
};

// Fills row y (0 at the top) of a picture: width x 3 bytes. The row holds what the source
// last put there, so a source may leave a row that repeats the one before as it is.
using RowSource = std::function<void(std::int32_t y, std::span<std::uint8_t> row)>;

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

// The checksums PNG and zlib use (CRC-32 of ISO 3309, Adler-32 of RFC 1950); `running` lets a
// checksum go on over data in pieces.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t running = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t running = 1);

// A PNG file of a width x height picture, row by row as `rows` gives them: 8-bit RGB, no
// interlacing, every row unfiltered, the image data one deflate block with the fixed codes in
// IDAT chunks of up to 256 KiB. Both builds write their pages with it, so their files differ
// only where their pixels do, and a page goes to its file without ever being held whole a
// second time. False (and nothing written) for a picture without pixels.
bool WritePng(ByteSink& out, std::int32_t width, std::int32_t height, const RowSource& rows);

// The same file in memory; empty when the picture has no pixels or its bytes do not match
// its size.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

} // namespace velk::cli
