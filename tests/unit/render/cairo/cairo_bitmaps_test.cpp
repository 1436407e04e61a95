// Bitmaps on the Cairo surface (.bmp files, DIBs in and out, GDI's stretch)
// and its PDF printer (every page on its own paper).
#ifndef _WIN32

#include "render/cairo/cairo_bitmaps.h"
#include "png_writer.h"
#include "render/page_setup.h"
#include "unit/render/cairo/cairo_test_support.h"
#include "writer/bmp_encoder.h"
#include "writer/byte_writer.h"
#include "writer/file_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace velk {
namespace {

using VelkRenderCairoBitmaps = testing::CairoSuite;
using VelkRenderCairoPdf = testing::CairoSuite;

using testing::CairoCanvas;
using testing::kBlack;
using testing::kBlue;
using testing::kGreen;
using testing::kRed;
using testing::kWhite;

// A file of the test's own in the temporary directory, removed at the end.
class TempFile {
  public:
    explicit TempFile(const std::string& name, const std::vector<std::uint8_t>& bytes = {})
        : path_(std::filesystem::temp_directory_path() /
                ("velk-render-" + std::to_string(getpid()) + "-" + name)) {
        vlkw::WriteBytesToFile(path_, bytes);
    }
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

vlkw::RgbImage Row(std::vector<vlkw::Colour> pixels) {
    const auto width = static_cast<std::int32_t>(pixels.size());
    return vlkw::RgbImage{width, 1, std::move(pixels)};
}

constexpr vlkw::Colour kBmpWhite{255, 255, 255};
constexpr vlkw::Colour kBmpBlack{0, 0, 0};
constexpr vlkw::Colour kBmpRed{255, 0, 0};
constexpr vlkw::Colour kBmpBlue{0, 0, 255};

TEST_F(VelkRenderCairoBitmaps, BmpFilesLoadAsScreenCompatibleBitmaps) {
    const TempFile bmp24("plain.bmp",
                         vlkw::EncodeBmp24(vlkw::RgbImage{3, 2, std::vector<vlkw::Colour>(6)}));
    const TempFile png("picture.bmp",
                       cli::EncodePng(cli::RgbImage{2, 2, std::vector<std::uint8_t>(12, 0)}));
    const TempFile junk("junk.bmp", std::vector<std::uint8_t>(100, 'B'));

    const std::tuple<std::string, bool, BitmapInfo> cases[] = {
        {bmp24.path(), true, {3, 2, 32}},
        // LoadImage(IMAGE_BITMAP) reads bitmaps only, whatever the file is called.
        {png.path(), false, {}},
        {junk.path(), false, {}},
        {bmp24.path() + ".missing", false, {}},
    };
    for (const auto& [path, loads, expected] : cases) {
        CairoCanvas canvas;
        const BitmapId bitmap = canvas.surface().loadBitmapFile(path);
        EXPECT_EQ(static_cast<bool>(bitmap), loads) << path;
        const BitmapInfo info = canvas.surface().getBitmapInfo(bitmap);
        EXPECT_EQ(std::tuple(info.width, info.height, info.bitsPerPixel),
                  std::tuple(expected.width, expected.height, expected.bitsPerPixel))
            << path;
    }
}

TEST_F(VelkRenderCairoBitmaps, StretchBltShrinksByAndingGrowsByRepeatingAndMirrors) {
    // White, black, white, white: shrunk to two pixels the first keeps the black.
    const TempFile shrink("stretch.bmp",
                          vlkw::EncodeBmp24(Row({kBmpWhite, kBmpBlack, kBmpWhite, kBmpWhite})));
    const TempFile pair("pair.bmp", vlkw::EncodeBmp24(Row({kBmpRed, kBmpBlue})));
    // A negative width mirrors: the first pixel stays at x, the second goes to its left (as
    // GDI draws it under Wine). At two billion pixels wide the left half covers the row.
    struct Blt {
        const char* name;
        const TempFile& file;
        std::int32_t x, y, width, height, sourceWidth, sourceHeight;
    };
    const std::tuple<Blt, std::vector<std::tuple<std::int32_t, std::int32_t, Colour>>> cases[] = {
        {{"shrunk", shrink, 0, 0, 2, 1, 4, 1}, {{0, 0, kBlack}, {1, 0, kWhite}, {2, 0, kWhite}}},
        {{"grown", pair, 0, 10, 4, 2, 2, 1},
         {{0, 10, kRed}, {2, 10, kBlue}, {3, 11, kBlue}, {4, 10, kWhite}, {0, 12, kWhite}}},
        {{"mirrored", pair, 10, 1, -2, 1, 2, 1},
         {{8, 1, kWhite}, {9, 1, kBlue}, {10, 1, kRed}, {11, 1, kWhite}}},
        {{"huge", pair, 0, 5, 2000000000, 1, 2, 1}, {{0, 5, kRed}, {63, 5, kRed}, {0, 6, kWhite}}},
    };
    for (const auto& [blt, pixels] : cases) {
        CairoCanvas canvas;
        const BitmapId bitmap = canvas.surface().loadBitmapFile(blt.file.path());
        ASSERT_TRUE(bitmap) << blt.name;
        canvas.surface().stretchBlt(blt.x, blt.y, blt.width, blt.height, bitmap, 0, 0,
                                    blt.sourceWidth, blt.sourceHeight, kRopSourceCopy);
        for (const auto& [x, y, colour] : pixels) {
            EXPECT_EQ(canvas.at(x, y), colour) << blt.name << " (" << x << "," << y << ")";
        }
    }
}

// Destination pixel i gathers source pixels [i * source / destination, max((i + 1) * source /
// destination, that + 1)), ANDed together; a pixel outside the source picture is white.
TEST_F(VelkRenderCairoBitmaps, StretchedPixelsAreTheAndOfTheSourcePixelsTheyGather) {
    // A 2 x 2 picture of colours that share bits, so that every AND shows.
    constexpr std::uint32_t a = 0xFF00FF, b = 0x00FFFF, c = 0xF0F0F0, d = 0x808080, w = 0xFFFFFF;
    const cairo::CairoSurfaceHandle source = cairo::NewPicture(2, 2, w);
    ASSERT_TRUE(source);
    const auto rowOf = [](cairo_surface_t* picture, int y) {
        return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(picture) +
                                                y * cairo_image_surface_get_stride(picture));
    };
    const std::uint32_t pixels[2][2] = {{a, b}, {c, d}};
    for (int y = 0; y < 2; ++y) {
        std::copy_n(pixels[y], 2, rowOf(source.get(), y));
    }
    cairo_surface_mark_dirty(source.get());
    const std::tuple<const char*, cairo::PixelArea, std::int32_t, std::int32_t, cairo::PixelArea,
                     std::vector<std::uint32_t>>
        cases[] = {
            {"partly outside",
             {-1, -1, 4, 4},
             4,
             4,
             {0, 0, 4, 4},
             {w, w, w, w, w, a, b, w, w, c, d, w, w, w, w, w}},
            {"window of a grown stretch", {0, 0, 2, 2}, 4, 4, {1, 1, 2, 2}, {a, b, c, d}},
            {"shrunk", {0, 0, 2, 2}, 1, 1, {0, 0, 1, 1}, {a & b & c & d}},
            {"outside, shrunk", {-1, 0, 4, 2}, 2, 1, {0, 0, 2, 1}, {a & c, b & d}},
            {"grown", {0, 0, 2, 2}, 3, 2, {0, 0, 3, 2}, {a, a, b, c, c, d}},
        };
    for (const auto& [name, from, width, height, window, expected] : cases) {
        const cairo::CairoSurfaceHandle result =
            cairo::StretchPixels(source.get(), from, width, height, window);
        ASSERT_TRUE(result) << name;
        std::vector<std::uint32_t> got;
        for (std::int32_t y = 0; y < window.height; ++y) {
            for (std::int32_t x = 0; x < window.width; ++x) {
                got.push_back(rowOf(result.get(), y)[x] & 0xFFFFFF);
            }
        }
        EXPECT_EQ(got, expected) << name;
    }
}

TEST_F(VelkRenderCairoBitmaps, DibsComeOutBottomUpAndGoBackIn) {
    // Top row red, green; bottom row blue, white.
    const TempFile bmp("dib.bmp", vlkw::EncodeBmp24(vlkw::RgbImage{
                                      2, 2, {kBmpRed, {0, 255, 0}, kBmpBlue, kBmpWhite}}));
    CairoCanvas canvas;
    const BitmapId bitmap = canvas.surface().loadBitmapFile(bmp.path());
    ASSERT_TRUE(bitmap);

    DibInfo info{.width = 2, .height = 2, .bitCount = 32};
    std::vector<std::uint8_t> bits(16, 0xAA);
    EXPECT_EQ(canvas.surface().getDIBits(bitmap, 0, 2, bits, info, kDibRgbColours), 2);
    // Scan line 0 is the bottom row, each pixel blue, green, red, unused.
    EXPECT_EQ(bits, (std::vector<std::uint8_t>{255, 0, 0, 0, 255, 255, 255, 0, //
                                               0, 0, 255, 0, 0, 255, 0, 0}));
    EXPECT_EQ(info.sizeImage, 16u);

    // A buffer one byte short is not written into.
    std::vector<std::uint8_t> small(15, 0xAA);
    EXPECT_EQ(canvas.surface().getDIBits(bitmap, 0, 2, small, info, kDibRgbColours), 0);
    EXPECT_EQ(small, std::vector<std::uint8_t>(15, 0xAA));

    canvas.surface().stretchDIBits(20, 20, 2, 2, 0, 0, 2, 2, bits, info, kDibRgbColours,
                                   kRopSourceCopy);
    EXPECT_EQ(
        std::tuple(canvas.at(20, 20), canvas.at(21, 20), canvas.at(20, 21), canvas.at(21, 21)),
        std::tuple(kRed, kGreen, kBlue, kWhite));
}

TEST_F(VelkRenderCairoBitmaps, PaletteDibsTakeTheirColoursFromTheTable) {
    // 3 x 2, bottom-up, rows padded to 4 bytes.
    const std::pair<std::uint16_t, std::vector<std::uint8_t>> cases[] = {
        // Bottom row 0 1 0, top row 1 0 1.
        {1, {0b01000000, 0, 0, 0, 0b10100000, 0, 0, 0}},
        {4, {0x01, 0x00, 0, 0, 0x10, 0x10, 0, 0}},
        {8, {0, 1, 0, 0, 1, 0, 1, 0}},
    };
    for (const auto& [bitCount, bits] : cases) {
        CairoCanvas canvas;
        DibInfo info{.width = 3, .height = 2, .bitCount = bitCount};
        info.colours[0] = 0x0000FF; // RGBQUAD as 0x00RRGGBB: blue
        info.colours[1] = 0xFF0000; // red
        canvas.surface().stretchDIBits(5, 5, 3, 2, 0, 0, 3, 2, bits, info, kDibRgbColours,
                                       kRopSourceCopy);
        for (const auto& [x, y, colour] :
             {std::tuple{5, 5, kRed}, {6, 5, kBlue}, {7, 5, kRed}, {5, 6, kBlue}, {6, 6, kRed}}) {
            EXPECT_EQ(canvas.at(x, y), colour) << bitCount << " at " << x << "," << y;
        }
        // Bits too short for the header are not drawn at all.
        canvas.surface().stretchDIBits(20, 20, 3, 2, 0, 0, 3, 2,
                                       std::span(bits).first(bits.size() - 1), info, kDibRgbColours,
                                       kRopSourceCopy);
        EXPECT_EQ(canvas.at(20, 20), kWhite) << bitCount;
    }
}

// The width and height of every "/MediaBox [ 0 0 W H ]" in the file, in order.
std::vector<std::pair<double, double>> MediaBoxes(const std::string& pdf) {
    std::vector<std::pair<double, double>> boxes;
    const std::string mark = "/MediaBox [ 0 0 ";
    for (auto at = pdf.find(mark); at != std::string::npos; at = pdf.find(mark, at + 1)) {
        std::istringstream numbers(pdf.substr(at + mark.size(), 40));
        double width = 0;
        double height = 0;
        numbers >> width >> height;
        boxes.emplace_back(width, height);
    }
    return boxes;
}

std::vector<std::uint8_t> Devmode(std::int16_t orientation, std::int16_t paper) {
    std::vector<std::uint8_t> devmode(kDevmodeBufferSize, 0);
    devmode[kDevmodeFieldsOffset] = kDevmodePageFields & 0xFF;
    devmode[kDevmodeFieldsOffset + 1] = kDevmodePageFields >> 8;
    devmode[kDevmodeOrientationOffset] = static_cast<std::uint8_t>(orientation);
    devmode[kDevmodePaperSizeOffset] = static_cast<std::uint8_t>(paper);
    return devmode;
}

TEST_F(VelkRenderCairoPdf, EveryPageHasThePaperAndOrientationItsDevmodeAskedFor) {
    const TempFile file("pages.pdf");
    {
        auto printer = cairo::CairoSurface::ForPdf(file.path(), 600, [](std::int32_t code) {
            const PaperSize paper = PaperSizeTable(code);
            return cairo::PaperInches{paper.width, paper.height};
        });
        ASSERT_TRUE(printer->ok());
        Surface surface(*printer);
        EXPECT_GT(surface.startDoc("Two papers"), 0);
        // Orientation, paper, and the page in printer pixels.
        const std::tuple<std::int16_t, std::int16_t, std::int32_t, std::int32_t> pages[] = {
            {1, 1, 5100, 6600}, // Letter: 8.5 x 11 inches
            {2, 9, 7016, 4961}, // A4 across: 297 x 210 mm
            {1, 5, 5100, 8400}, // Legal: 8.5 x 14 inches
        };
        for (const auto& [orientation, paper, horzRes, vertRes] : pages) {
            EXPECT_TRUE(surface.resetDC(Devmode(orientation, paper)));
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::HorzRes), horzRes);
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::VertRes), vertRes);
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::LogPixelsX), 600);
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::PhysicalOffsetX), 0);
            EXPECT_GT(surface.startPage(), 0);
            surface.createFontIndirect(LogFont{});
            surface.textOut(600, 600, "Page");
            EXPECT_GT(surface.endPage(), 0);
        }
        EXPECT_GT(surface.endDoc(), 0);
    }
    const auto bytes = vlkw::ReadBytesFromFile(file.path()).value_or(std::vector<std::uint8_t>{});
    const std::string pdf(bytes.begin(), bytes.end());
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
    const auto boxes = MediaBoxes(pdf);
    ASSERT_EQ(boxes.size(), 3u);
    const std::pair<double, double> points[] = {{612, 792}, {841.89, 595.28}, {612, 1008}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(boxes[i].first, points[i].first, 0.01) << i;
        EXPECT_NEAR(boxes[i].second, points[i].second, 0.01) << i;
    }
    // Text is kept as text in an embedded font, not as a picture of it.
    EXPECT_NE(pdf.find("/FontFile2"), std::string::npos);
    EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos);
}

TEST_F(VelkRenderCairoPdf, APdfThatCannotBeWrittenSaysSo) {
    const auto printer = cairo::CairoSurface::ForPdf(
        "/nonexistent-directory/out.pdf", 600, [](std::int32_t) { return cairo::PaperInches{}; });
    ASSERT_NE(printer, nullptr);
    EXPECT_FALSE(printer->ok());
}

TEST_F(VelkRenderCairoPdf, ARasterPageIsNoPrinter) {
    CairoCanvas canvas;
    EXPECT_FALSE(canvas.surface().resetDC(Devmode(2, 9)));
    EXPECT_LE(canvas.surface().startDoc("x"), 0);
    EXPECT_LE(canvas.surface().startPage(), 0);
    EXPECT_EQ(canvas.surface().getDeviceCaps(DeviceCap::HorzRes), 64);
    EXPECT_EQ(canvas.surface().getDeviceCaps(DeviceCap::PhysicalWidth), 0);
}

} // namespace
} // namespace velk

#endif
