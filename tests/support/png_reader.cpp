#include "support/png_reader.h"

#include <zlib.h>

#include <algorithm>
#include <array>

namespace velk::testing {

namespace {

std::uint32_t Big32(std::span<const std::uint8_t> b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

PngRead Failed(std::string error) {
    return PngRead{{}, std::move(error)};
}

} // namespace

PngRead ReadPng(std::span<const std::uint8_t> png) {
    constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (png.size() < 8 || !std::equal(kSignature.begin(), kSignature.end(), png.begin())) {
        return Failed("no PNG signature");
    }
    PngPicture picture;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> zlibData;
    std::size_t at = 8;
    while (at < png.size()) {
        if (png.size() - at < 12 || png.size() - at - 12 < Big32(png, at)) {
            return Failed("chunk at " + std::to_string(at) + " runs past the end");
        }
        const std::size_t length = Big32(png, at);
        const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        const std::span data = png.subspan(at + 8, length);
        if (crc32(0, png.data() + at + 4, static_cast<uInt>(length + 4)) !=
            Big32(png, at + 8 + length)) {
            return Failed("CRC of " + type);
        }
        picture.chunkTypes.push_back(type);
        if (type == "IHDR" && length == 13) {
            if (data[10] != 0 || data[11] != 0 || data[12] != 0) {
                return Failed("compression, filter method or interlacing not 0");
            }
            picture.width = static_cast<std::int32_t>(Big32(data, 0));
            picture.height = static_cast<std::int32_t>(Big32(data, 4));
            picture.bitDepth = data[8];
            picture.colourType = data[9];
        } else if (type == "PLTE") {
            palette.assign(data.begin(), data.end());
        } else if (type == "IDAT") {
            picture.idatSizes.push_back(length);
            zlibData.insert(zlibData.end(), data.begin(), data.end());
        }
        at += 12 + length;
    }
    if (picture.chunkTypes.empty() || picture.chunkTypes.front() != "IHDR" ||
        picture.chunkTypes.back() != "IEND") {
        return Failed("IHDR must come first and IEND last");
    }
    const bool indexed = picture.colourType == 3;
    const int depth = picture.bitDepth;
    if (!(picture.colourType == 2 && depth == 8) &&
        !(indexed && (depth == 1 || depth == 2 || depth == 4 || depth == 8))) {
        return Failed("colour type " + std::to_string(picture.colourType) + " at " +
                      std::to_string(depth) + " bits");
    }
    picture.paletteSize = palette.size() / 3;
    if (indexed && (palette.empty() || palette.size() % 3 != 0 ||
                    picture.paletteSize > (std::size_t{1} << depth))) {
        return Failed("palette of " + std::to_string(palette.size()) + " bytes");
    }

    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);
    const std::size_t rowBytes =
        indexed ? (width * static_cast<std::size_t>(depth) + 7) / 8 : width * 3;
    // One byte more than the rows take shows data that runs on.
    std::vector<std::uint8_t> raw((rowBytes + 1) * height + 1);
    uLongf rawSize = static_cast<uLongf>(raw.size());
    uLong used = static_cast<uLong>(zlibData.size());
    if (uncompress2(raw.data(), &rawSize, zlibData.data(), &used) != Z_OK ||
        used != zlibData.size() || rawSize != raw.size() - 1) {
        return Failed("image data of " + std::to_string(zlibData.size()) +
                      " bytes does not inflate to the rows");
    }
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* row = raw.data() + y * (rowBytes + 1);
        if (row[0] != 0) {
            return Failed("filter of row " + std::to_string(y));
        }
        ++row;
        for (std::size_t x = 0; x < width; ++x) {
            if (!indexed) {
                picture.rgb.insert(picture.rgb.end(), row + 3 * x, row + 3 * x + 3);
                continue;
            }
            const std::size_t bit = x * static_cast<std::size_t>(depth);
            const std::size_t index = (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
            if (index >= picture.paletteSize) {
                return Failed("index " + std::to_string(index) + " beyond the palette");
            }
            picture.rgb.insert(picture.rgb.end(), palette.begin() + 3 * index,
                               palette.begin() + 3 * index + 3);
        }
    }
    return PngRead{std::move(picture), {}};
}

} // namespace velk::testing
