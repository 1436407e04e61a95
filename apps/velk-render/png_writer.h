#pragma once

#include "byte_sink.h"

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

// Row y (0 at the top) of a picture as 32-bit pixels 0x00RRGGBB, whose top byte may hold
// anything: as Cairo's RGB24 surfaces and 32-bit DIB sections hold them. A row stays good while
// its source lives.
using RowSource = std::function<std::span<const std::uint32_t>(std::int32_t y)>;

// A PNG file of a width x height picture, row by row as `rows` gives them, every row once or
// twice, top to bottom: a palette of 1, 2, 4 or 8 bits when the picture has at most 256
// colours, else 8-bit RGB; no interlacing, every row unfiltered, the image data one zlib
// stream (zlib_stream.h) in IDAT chunks of up to 256 KiB. False when the picture has no pixels,
// a row is not `width` pixels, or the stream could not be made; nothing is written for a
// picture without pixels, or without memory for its RGB bytes.
bool WritePng(ByteSink& out, std::int32_t width, std::int32_t height, const RowSource& rows);

// The same file in memory; empty when the picture has no pixels or its bytes do not match
// its size.
std::vector<std::uint8_t> EncodePng(const RgbImage& image);

} // namespace velk::cli
