// The PNG files velk-render writes, read back with zlib: their chunks with each CRC, their
// colour type and depth, and the pixels, for made-up pictures and every sample report page.
#include "png_writer.h"

#include "support/png_reader.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "render/cairo/cairo_surface.h"
#include "render/interpreter.h"
#include "render/surface.h"
#include "samplegen/sample_report.h"
#include "zlib_stream.h"

#include <zlib.h>
#include "support/render_harness.h"
#endif

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <span>
#include <string>
#include <tuple>
#include <vector>

namespace velk::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The picture a PNG file holds; a failure names what does not read back.
testing::PngPicture Read(const Bytes& png) {
    testing::PngRead read = testing::ReadPng(png);
    EXPECT_EQ(read.error, "");
    return std::move(read.picture);
}

// A width x height picture whose pixel i has colour i % colours; colour k is (k % 256, k / 256,
// 0x5A), so the colours are distinct and their first appearance is not their order.
RgbImage Colours(std::int32_t width, std::int32_t height, std::uint32_t colours) {
    RgbImage image{width, height, {}};
    for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(width * height); ++i) {
        const std::uint32_t k = (i * 7) % colours;
        image.pixels.insert(image.pixels.end(), {static_cast<std::uint8_t>(k),
                                                 static_cast<std::uint8_t>(k >> 8), 0x5A});
    }
    return image;
}

void AppendRgb(Bytes& rgb, std::uint32_t pixel) {
    rgb.insert(rgb.end(),
               {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                static_cast<std::uint8_t>(pixel)});
}

TEST(VelkRenderPng, PicturesWithoutPixelsOrWithTheWrongByteCountAreRefused) {
    EXPECT_TRUE(EncodePng(RgbImage{0, 5, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{5, 0, {}}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, Bytes(11)}).empty());
    EXPECT_TRUE(EncodePng(RgbImage{2, 2, Bytes(13)}).empty());
    EXPECT_FALSE(EncodePng(RgbImage{2, 2, Bytes(12)}).empty());
    EXPECT_FALSE(EncodePng(RgbImage{1, 1, Bytes(3)}).empty());
    // No memory for the RGB bytes of a picture a million pixels square: nothing is written.
    MemorySink sink;
    EXPECT_FALSE(WritePng(sink, 1 << 20, 1 << 20,
                          [](std::int32_t) { return std::span<const std::uint32_t>(); }));
    EXPECT_TRUE(sink.bytes.empty());
}

TEST(VelkRenderPng, FewColoursAreWrittenAsTheSmallestPaletteAndMoreAsRgb) {
    // Widths leave part of each row's last byte unused at 1, 2 and 4 bits.
    // colour type 3: palette, 2: RGB
    const std::tuple<std::uint32_t, std::int32_t, int, int> cases[] = {
        {1, 13, 3, 1}, {2, 13, 3, 1}, {3, 7, 3, 2},    {4, 7, 3, 2},    {5, 5, 3, 4},
        {16, 5, 3, 4}, {17, 9, 3, 8}, {256, 17, 3, 8}, {257, 17, 2, 8}, {1000, 40, 2, 8},
    };
    for (const auto& [colours, width, colourType, depth] : cases) {
        const RgbImage image = Colours(width, 30, colours);
        const testing::PngPicture png = Read(EncodePng(image));
        EXPECT_EQ(png.chunkTypes, colourType == 3
                                      ? (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"})
                                      : (std::vector<std::string>{"IHDR", "IDAT", "IEND"}))
            << colours;
        EXPECT_EQ(png.colourType, colourType) << colours;
        EXPECT_EQ(png.bitDepth, depth) << colours;
        EXPECT_EQ(png.paletteSize, colourType == 3 ? colours : 0) << colours;
        EXPECT_EQ(png.width, width);
        EXPECT_EQ(png.height, 30);
        EXPECT_TRUE(png.rgb == image.pixels) << colours;
    }
}

TEST(VelkRenderPng, ImageDataIsSplitIntoChunksOf256KiB) {
    // A blank page at 96 dpi takes a few hundred bytes in one chunk; pixels without runs need
    // about as many bytes as they hold: 600 x 200 x 3 = 360,000.
    RgbImage noise{600, 200, {}};
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < 600u * 200u * 3u; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.pixels.push_back(static_cast<std::uint8_t>(seed >> 16));
    }
    // idatSizes 0: any size
    const std::tuple<RgbImage, std::vector<std::size_t>, std::size_t> cases[] = {
        {RgbImage{817, 1057, Bytes(817 * 1057 * 3, 0xFF)}, {0}, 1000},
        {noise, {256 * 1024, 0}, 400000},
    };
    for (const auto& [image, idatSizes, mostBytes] : cases) {
        const Bytes bytes = EncodePng(image);
        const testing::PngPicture png = Read(bytes);
        ASSERT_EQ(png.idatSizes.size(), idatSizes.size()) << image.width;
        for (std::size_t i = 0; i < idatSizes.size(); ++i) {
            EXPECT_GT(png.idatSizes[i], 0u);
            if (idatSizes[i] != 0) {
                EXPECT_EQ(png.idatSizes[i], idatSizes[i]);
            }
        }
        EXPECT_LT(bytes.size(), mostBytes);
        EXPECT_TRUE(png.rgb == image.pixels) << image.width;
    }
}

TEST(VelkRenderPng, AColourBeyondThePaletteInTheLastRowMakesEveryRowRgb) {
    // 256 colours over rows 0-3, each row given twice; row 8 repeats the first colour, brings
    // a 257th, or is too short or too long, which fails the picture. Top bytes hold anything
    // and are left out.
    const RgbImage colours = Colours(64, 4, 256);
    std::vector<std::vector<std::uint32_t>> rows;
    Bytes expected;
    for (std::size_t y = 0; y < 8; ++y) {
        const auto first = colours.pixels.begin() + static_cast<std::ptrdiff_t>(y / 2 * 64 * 3);
        rows.emplace_back();
        for (auto rgb = first; rgb != first + 64 * 3; rgb += 3) {
            rows.back().push_back(0xA5000000 | std::uint32_t{rgb[0]} << 16 |
                                  std::uint32_t{rgb[1]} << 8 | rgb[2]);
        }
        expected.insert(expected.end(), first, first + 64 * 3);
    }
    // width of row 8, its pixels, colour type (0: not written)
    const std::tuple<std::size_t, std::uint32_t, int> cases[] = {
        {64, 0xFF00005A, 3}, {64, 0x00123456, 2}, {63, 0x0000005A, 0}, {65, 0x0000005A, 0}};
    for (const auto& [lastWidth, last, colourType] : cases) {
        rows.resize(8);
        rows.emplace_back(lastWidth, last);
        std::vector<std::int32_t> asked;
        MemorySink sink;
        const bool written = WritePng(sink, 64, 9, [&](std::int32_t y) {
            asked.push_back(y);
            return std::span<const std::uint32_t>(rows[static_cast<std::size_t>(y)]);
        });
        ASSERT_EQ(written, colourType != 0) << lastWidth;
        if (!written) {
            continue;
        }
        const testing::PngPicture png = Read(sink.bytes);
        EXPECT_EQ(png.colourType, colourType);
        Bytes whole = expected;
        for (std::size_t x = 0; x < 64; ++x) {
            AppendRgb(whole, last);
        }
        EXPECT_TRUE(png.rgb == whole) << lastWidth;
        // Every row once as indices, and once more as RGB when they do not fit a palette.
        std::vector<std::int32_t> once(9);
        std::iota(once.begin(), once.end(), 0);
        std::vector<std::int32_t> order = once;
        if (colourType == 2) {
            order.insert(order.end(), once.begin(), once.end());
        }
        EXPECT_EQ(asked, order);
    }
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
        const RowSource rows = canvas->pixelRows({0, 0, kWidth, kHeight}, kWidth, kHeight);
        Bytes surfacePixels;
        for (std::int32_t y = 0; y < kHeight; ++y) {
            for (const std::uint32_t pixel : rows(y)) {
                AppendRgb(surfacePixels, pixel);
            }
        }
        MemorySink png;
        ASSERT_TRUE(WritePng(png, kWidth, kHeight, rows)) << "page " << page;
        EXPECT_TRUE(Read(png.bytes).rgb == surfacePixels) << "page " << page;
    }
}

// The Linux build holds the room it was asked for in memory of its own.
TEST(VelkRenderZlibStream, DataBeyondTheRoomOrAStreamWithoutRoomFails) {
    const std::tuple<std::size_t, std::size_t, bool> cases[] = {
        {1000, 1000, true},
        {1000, 999, true},
        {1000, 1001, false},
        // No memory for it: there is no room.
        {SIZE_MAX / 2, 1000, false},
        {SIZE_MAX - 10, 1000, false},
    };
    for (const auto& [capacity, size, finishes] : cases) {
        MemorySink sink;
        ZlibStream stream(sink, capacity);
        const std::span<std::uint8_t> room = stream.data();
        EXPECT_EQ(room.size(), finishes || size > capacity ? capacity : 0) << capacity;
        const Bytes data(size, 0x5A);
        std::ranges::copy(std::span(data).first(std::min(size, room.size())), room.begin());
        EXPECT_EQ(stream.finish(size), finishes) << capacity << " " << size;
        if (finishes) {
            Bytes inflated(size + 1);
            uLongf inflatedSize = inflated.size();
            ASSERT_EQ(
                uncompress(inflated.data(), &inflatedSize, sink.bytes.data(), sink.bytes.size()),
                Z_OK);
            inflated.resize(inflatedSize);
            EXPECT_TRUE(inflated == data);
        }
    }
}

#endif

} // namespace
} // namespace velk::cli
