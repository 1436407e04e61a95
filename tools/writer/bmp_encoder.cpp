#include "writer/bmp_encoder.h"

#include "writer/byte_writer.h"

#include <algorithm>

namespace vlkw {

namespace {

constexpr std::int32_t kFileHeaderSize = 14;
constexpr std::int32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780; // 96 dpi

std::int32_t RowSize(std::int32_t width, std::int32_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void PutHeaders(ByteWriter& out, std::int32_t width, std::int32_t height, std::int16_t bitsPerPixel,
                std::int32_t paletteEntries) {
    const std::int32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteEntries;
    const std::int32_t pixelBytes = RowSize(width, bitsPerPixel) * height;
    out.chars("BM").int32(pixelOffset + pixelBytes).int32(0).int32(pixelOffset);
    out.int32(kInfoHeaderSize).int32(width).int32(height).int16(1).int16(bitsPerPixel);
    out.int32(0).int32(pixelBytes).int32(kPixelsPerMetre).int32(kPixelsPerMetre);
    out.int32(paletteEntries).int32(0);
}

void PutPadding(ByteWriter& out, std::int32_t written, std::int32_t rowSize) {
    for (std::int32_t i = written; i < rowSize; ++i) {
        out.byte(0);
    }
}

} // namespace

std::vector<std::uint8_t> EncodeBmp24(const RgbImage& image) {
    ByteWriter out;
    PutHeaders(out, image.width, image.height, 24, 0);
    const std::int32_t rowSize = RowSize(image.width, 24);
    for (std::int32_t y = image.height - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            const auto at = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                            static_cast<std::size_t>(x);
            const Colour c = at < image.pixels.size() ? image.pixels[at] : Colour{};
            out.byte(c.b).byte(c.g).byte(c.r);
        }
        PutPadding(out, 3 * image.width, rowSize);
    }
    return out.take();
}

std::vector<std::uint8_t> EncodeBmp8(const IndexedImage& image) {
    ByteWriter out;
    const auto entries =
        static_cast<std::int32_t>(std::min<std::size_t>(image.palette.size(), 256));
    PutHeaders(out, image.width, image.height, 8, entries);
    for (std::int32_t i = 0; i < entries; ++i) {
        const Colour c = image.palette[static_cast<std::size_t>(i)];
        out.byte(c.b).byte(c.g).byte(c.r).byte(0);
    }
    const std::int32_t rowSize = RowSize(image.width, 8);
    for (std::int32_t y = image.height - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < image.width; ++x) {
            const auto at = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                            static_cast<std::size_t>(x);
            const std::uint8_t index = at < image.pixels.size() ? image.pixels[at] : 0;
            out.byte(index);
        }
        PutPadding(out, image.width, rowSize);
    }
    return out.take();
}

} // namespace vlkw
