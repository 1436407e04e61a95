#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velk::testing {

// What a PNG file of velk-render's kind holds: 8-bit RGB or a palette of 1- to 8-bit indices,
// no interlacing.
struct PngPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;
    std::size_t paletteSize = 0;
    std::vector<std::string> chunkTypes;
    std::vector<std::size_t> idatSizes;
    // Three bytes a pixel, rows top-down, palette indices looked up.
    std::vector<std::uint8_t> rgb;
};

struct PngRead {
    PngPicture picture;
    // Empty when the file reads back; else the first thing found wrong.
    std::string error;
};

// Reads `png` as an independent decoder would, with zlib checking the stream's header and
// Adler-32: the signature, every chunk's CRC, IHDR first and IEND last with nothing after it,
// the image data exactly the rows' bytes, filter 0 on every row and every index within the
// palette.
PngRead ReadPng(std::span<const std::uint8_t> png);

} // namespace velk::testing
