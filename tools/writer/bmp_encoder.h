#pragma once

#include <cstdint>
#include <vector>

namespace vlkw {

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// Pixels row by row from the top, `width` per row.
struct RgbImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Colour> pixels;
};

struct IndexedImage {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Colour> palette;      // at most 256 entries
    std::vector<std::uint8_t> pixels; // palette indices, row by row from the top
};

// Whole uncompressed .bmp files, as a print engine embeds them or leaves them beside a
// document: rows stored bottom-up, each padded to a multiple of 4 bytes. Missing pixels are
// written as 0.
std::vector<std::uint8_t> EncodeBmp24(const RgbImage& image);
std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image);

} // namespace vlkw
