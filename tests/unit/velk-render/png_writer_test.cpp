// The PNG files velk-render writes, read back with zlib: their chunks with each CRC, and the
// pixels, for made-up pictures and for every page of the sample report.
#include "png_writer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#ifndef _WIN32
#include "render/cairo/cairo_surface.h"
#include "render/interpreter.h"
#include "render/surface.h"
#include "samplegen/sample_report.h"
#include "support/render_harness.h"
#endif

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velk::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Big32(const Bytes& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
           (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

struct Chunk {
    std::string type;
    Bytes data;
};

// The chunks after the signature, each with its CRC checked by zlib.
std::vector<Chunk> Chunks(const Bytes& png) {
    EXPECT_EQ(Bytes(png.begin(), png.begin() + std::min<std::size_t>(8, png.size())),
              (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    std::vector<Chunk> chunks;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t length = Big32(png, at);
        const auto start = png.begin() + static_cast<std::ptrdiff_t>(at);
        chunks.push_back({std::string(start + 4, start + 8), Bytes(start + 8, start + 8 + length)});
        const uLong crc = crc32(0, png.data() + at + 4, static_cast<uInt>(length + 4));
        EXPECT_EQ(crc, Big32(png, at + 8 + length)) << chunks.back().type;
        at += 12 + length;
    }
    return chunks;
}

Bytes ImageData(const std::vector<Chunk>& chunks) {
    Bytes data;
    for (const auto& chunk : chunks) {
        if (chunk.type == "IDAT") {
            data.insert(data.end(), chunk.data.begin(), chunk.data.end());
        }
    }
    return data;
}

// The picture a PNG file of unfiltered rows holds, or nothing when any check fails: zlib
// checks the stream's header and Adler-32, and nothing may follow the stream.
Bytes DecodedPixels(const Bytes& png, std::int32_t width, std::int32_t height) {
    const Bytes data = ImageData(Chunks(png));
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    Bytes raw((rowBytes + 1) * static_cast<std::size_t>(height) + 1);
    uLongf rawSize = static_cast<uLongf>(raw.size());
    uLong used = static_cast<uLong>(data.size());
    if (uncompress2(raw.data(), &rawSize, data.data(), &used) != Z_OK || used != data.size() ||
        rawSize != raw.size() - 1) {
        ADD_FAILURE() << "image data of " << data.size() << " bytes does not read back";
        return {};
    }
    Bytes pixels;
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const auto row = raw.begin() + static_cast<std::ptrdiff_t>(y * (rowBytes + 1));
        EXPECT_EQ(*row, 0) << "filter of row " << y;
        pixels.insert(pixels.end(), row + 1, row + 1 + static_cast<std::ptrdiff_t>(rowBytes));
    }
    return pixels;
}

TEST(VelkRenderPng, PicturesWithoutPixelsOrWithTheWrongByteCountAreRefused) {
    EXPECT_TRUE(EncodePng(RgbImage{0, 5, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{5, 0, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, Bytes(11)}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, Bytes(13)}).empty());
    EXPECT_FALSE(EncodePng(RgbImage{2, 2, Bytes(12)}).empty());
}

TEST(VelkRenderPng, APictureReadsBackWithItsHeader) {
    RgbImage image{5, 3, {}};
    for (std::uint8_t y = 0; y < 3; ++y) {
        for (std::uint8_t x = 0; x < 5; ++x) {
            image.pixels.insert(image.pixels.end(), {x, y, static_cast<std::uint8_t>(x ^ y)});
        }
    }
    const Bytes png = EncodePng(image);
    const auto chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(chunks[0].data, (Bytes{0, 0, 0, 5, 0, 0, 0, 3, 8, 2, 0, 0, 0}));
    EXPECT_EQ(chunks[1].type, "IDAT");
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_EQ(DecodedPixels(png, 5, 3), image.pixels);
}

TEST(VelkRenderPng, ImageDataIsSplitIntoChunksOf256KiB) {
    // A blank page at 96 dpi (2.6 MB of pixels) takes a few kilobytes in one chunk; pixels
    // without runs need about as many bytes as they hold: 600 x 200 x 3 = 360,000.
    RgbImage noise{600, 200, {}};
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < 600u * 200u * 3u; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.pixels.push_back(static_cast<std::uint8_t>(seed >> 16));
    }
    // idatSizes 0: any size
    const std::tuple<RgbImage, std::vector<std::size_t>, std::size_t> cases[] = {
        {RgbImage{817, 1057, Bytes(817 * 1057 * 3, 0xFF)}, {0}, 40000},
        {noise, {256 * 1024, 0}, 400000},
    };
    for (const auto& [image, idatSizes, mostBytes] : cases) {
        const Bytes png = EncodePng(image);
        const auto chunks = Chunks(png);
        ASSERT_EQ(chunks.size(), idatSizes.size() + 2) << image.width;
        for (std::size_t i = 0; i < idatSizes.size(); ++i) {
            EXPECT_EQ(chunks[i + 1].type, "IDAT");
            if (idatSizes[i] != 0) {
                EXPECT_EQ(chunks[i + 1].data.size(), idatSizes[i]);
            } else {
                EXPECT_GT(chunks[i + 1].data.size(), 0u);
            }
        }
        EXPECT_LT(png.size(), mostBytes);
        EXPECT_EQ(chunks.back().type, "IEND");
        EXPECT_EQ(DecodedPixels(png, image.width, image.height), image.pixels);
    }
}

TEST(VelkRenderPng, ASourceMayLeaveARepeatedRowAsItIs) {
    // Rows 0-2 red, 3-5 blue; the source writes only where the colour changes.
    MemorySink sink;
    std::vector<std::int32_t> written;
    ASSERT_TRUE(WritePng(sink, 4, 6, [&written](std::int32_t y, std::span<std::uint8_t> row) {
        if (y == 0 || y == 3) {
            for (std::size_t x = 0; x < row.size(); x += 3) {
                row[x] = y == 0 ? 0xFF : 0;
                row[x + 1] = 0;
                row[x + 2] = y == 0 ? 0 : 0xFF;
            }
            written.push_back(y);
        }
    }));
    EXPECT_EQ(written, (std::vector<std::int32_t>{0, 3}));
    Bytes expected;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 4; ++x) {
            expected.insert(expected.end(), {static_cast<std::uint8_t>(y < 3 ? 0xFF : 0), 0,
                                             static_cast<std::uint8_t>(y < 3 ? 0 : 0xFF)});
        }
    }
    EXPECT_EQ(DecodedPixels(sink.bytes, 4, 6), expected);
}

#ifndef _WIN32

TEST(VelkRenderPng, EverySamplePageReadsBackAsTheSurfaceHoldsIt) {
    const samplegen::SampleReport report = samplegen::MakeSampleReport();
    testing::RenderHarness h(report.document);
    h.files.add(std::string(samplegen::kChartFileName), report.chartBmp);
    ASSERT_EQ(h.document.pageCount, 7);
    // A letter page at 96 dpi.
    constexpr std::int32_t kWidth = 816;
    constexpr std::int32_t kHeight = 1056;
    for (std::int32_t page = 1; page <= h.document.pageCount; ++page) {
        const auto canvas = cairo::CairoSurface::ForImage(kWidth, kHeight, 96, 96);
        ASSERT_NE(canvas, nullptr);
        {
            Surface surface(*canvas);
            RenderServices services = h.services();
            RenderPage(services, page, RenderTarget{.surface = surface, .dpiX = 96, .dpiY = 96});
        }
        const RowSource rows = canvas->rgbRows({0, 0, kWidth, kHeight}, kWidth, kHeight);
        // One buffer for every row: the source leaves a row that repeats the one before.
        Bytes row(static_cast<std::size_t>(kWidth) * 3);
        Bytes surfacePixels;
        for (std::int32_t y = 0; y < kHeight; ++y) {
            rows(y, row);
            surfacePixels.insert(surfacePixels.end(), row.begin(), row.end());
        }
        MemorySink png;
        ASSERT_TRUE(WritePng(png, kWidth, kHeight, rows)) << "page " << page;
        EXPECT_TRUE(DecodedPixels(png.bytes, kWidth, kHeight) == surfacePixels) << "page " << page;
    }
}

#endif

} // namespace
} // namespace velk::cli
