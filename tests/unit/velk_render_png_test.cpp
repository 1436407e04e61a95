// The PNG files velk-render writes: checksums against their published check values, and the
// file read back by a reader written here from the PNG and zlib formats.
#include "png_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk::cli {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::uint32_t Big32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

struct ChunkRead {
    std::string type;
    std::vector<std::uint8_t> data;
    bool crcGood = false;
};

std::vector<ChunkRead> Chunks(const std::vector<std::uint8_t>& png) {
    std::vector<ChunkRead> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = Big32(png, at);
        ChunkRead chunk;
        chunk.type.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        const std::vector<std::uint8_t> typeAndData(
            png.begin() + static_cast<std::ptrdiff_t>(at + 4),
            png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        chunk.crcGood = Crc32(typeAndData) == Big32(png, at + 8 + length);
        chunks.push_back(chunk);
        at += 12 + length;
    }
    return chunks;
}

struct Inflated {
    std::vector<std::uint8_t> bytes;
    std::vector<bool> finalFlags; // one per block
    bool lengthsGood = true;      // every NLEN the complement of its LEN
    bool adlerGood = false;
};

// Only stored blocks, which is all the writer makes.
Inflated InflateStored(const std::vector<std::uint8_t>& zlib) {
    Inflated out;
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0) << "zlib header check bits";
    EXPECT_EQ(zlib[0] & 0x0F, 8) << "deflate";
    std::size_t at = 2;
    bool last = false;
    while (!last && at + 5 <= zlib.size()) {
        last = (zlib[at] & 1) != 0;
        EXPECT_EQ(zlib[at] >> 1, 0) << "stored block";
        const std::size_t length = zlib[at + 1] | (zlib[at + 2] << 8);
        const std::size_t complement = zlib[at + 3] | (zlib[at + 4] << 8);
        out.lengthsGood = out.lengthsGood && (length ^ 0xFFFF) == complement;
        out.finalFlags.push_back(last);
        out.bytes.insert(out.bytes.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
                         zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
        at += 5 + length;
    }
    out.adlerGood = at + 4 == zlib.size() && Adler32(out.bytes) == Big32(zlib, at);
    return out;
}

RgbImage Gradient(std::int32_t width, std::int32_t height) {
    RgbImage image{width, height, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            image.pixels.push_back(static_cast<std::uint8_t>(x));
            image.pixels.push_back(static_cast<std::uint8_t>(y));
            image.pixels.push_back(static_cast<std::uint8_t>(x ^ y));
        }
    }
    return image;
}

TEST(VelkRenderPng, ChecksumsMatchTheirPublishedCheckValues) {
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("")), 0u);
    EXPECT_EQ(Crc32(Bytes("IEND")), 0xAE426082u);
    EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
    EXPECT_EQ(Adler32(Bytes("")), 1u);
    // Carried on over pieces, the same as over the whole.
    EXPECT_EQ(Crc32(Bytes("6789"), Crc32(Bytes("12345"))), 0xCBF43926u);
    EXPECT_EQ(Adler32(Bytes("pedia"), Adler32(Bytes("Wiki"))), 0x11E60398u);
}

TEST(VelkRenderPng, AdlerSumsStayExactOverLongRunsOfLargeBytes) {
    // 100,000 bytes of 0xFF overflow 32-bit sums unless they are reduced in time. The sums
    // worked out by hand: a = 1 + 255 * n, b = n + 255 * n * (n + 1) / 2, both mod 65521.
    const std::vector<std::uint8_t> ones(100000, 0xFF);
    const std::uint64_t n = ones.size();
    const std::uint64_t a = (1 + 255 * n) % 65521;
    const std::uint64_t b = (n + 255 * n * (n + 1) / 2) % 65521;
    EXPECT_EQ(Adler32(ones), static_cast<std::uint32_t>((b << 16) | a));
}

TEST(VelkRenderPng, APictureReadsBackRowByRow) {
    const RgbImage image = Gradient(5, 3);
    const std::vector<std::uint8_t> png = EncodePng(image);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    const auto chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    for (const auto& chunk : chunks) {
        EXPECT_TRUE(chunk.crcGood) << chunk.type;
    }
    EXPECT_EQ(chunks[0].data, (std::vector<std::uint8_t>{0, 0, 0, 5, 0, 0, 0, 3, 8, 2, 0, 0, 0}));
    const Inflated raw = InflateStored(chunks[1].data);
    EXPECT_TRUE(raw.adlerGood);
    EXPECT_TRUE(raw.lengthsGood);
    EXPECT_EQ(raw.finalFlags, std::vector<bool>{true});
    ASSERT_EQ(raw.bytes.size(), 3u * (1 + 5 * 3));
    for (std::size_t y = 0; y < 3; ++y) {
        const std::size_t row = y * 16;
        EXPECT_EQ(raw.bytes[row], 0) << "filter of row " << y;
        EXPECT_TRUE(std::equal(raw.bytes.begin() + static_cast<std::ptrdiff_t>(row + 1),
                               raw.bytes.begin() + static_cast<std::ptrdiff_t>(row + 16),
                               image.pixels.begin() + static_cast<std::ptrdiff_t>(y * 15)))
            << "row " << y;
    }
}

TEST(VelkRenderPng, LongImageDataIsSplitIntoFullStoredBlocks) {
    // 200 x 120 RGB: 120 rows of 601 bytes = 72,120 bytes, one full block of 65,535 and the
    // rest in a final one.
    const RgbImage image = Gradient(200, 120);
    const auto chunks = Chunks(EncodePng(image));
    ASSERT_EQ(chunks.size(), 3u);
    const Inflated raw = InflateStored(chunks[1].data);
    EXPECT_EQ(raw.finalFlags, (std::vector<bool>{false, true}));
    EXPECT_TRUE(raw.lengthsGood);
    EXPECT_TRUE(raw.adlerGood);
    ASSERT_EQ(raw.bytes.size(), 72120u);
    EXPECT_EQ(raw.bytes[65535 / 601 * 601], 0) << "a row's filter byte after the block break";
    EXPECT_EQ(chunks[1].data.size(), 2u + 5 + 65535 + 5 + (72120 - 65535) + 4);
}

TEST(VelkRenderPng, PicturesWithoutPixelsOrWithTheWrongByteCountAreRefused) {
    EXPECT_TRUE(EncodePng(RgbImage{0, 5, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{5, 0, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, std::vector<std::uint8_t>(11)}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, std::vector<std::uint8_t>(13)}).empty());
    EXPECT_FALSE(EncodePng(RgbImage{2, 2, std::vector<std::uint8_t>(12)}).empty());
}

} // namespace
} // namespace velk::cli
