// Bitmaps on the Cairo surface (files decoded by gdk-pixbuf, DIBs in and out, GDI's stretch)
// and its PDF printer (every page on its own paper).
#ifndef _WIN32

#include "render/cairo/cairo_bitmaps.h"
#include "png_writer.h"
#include "render/page_setup.h"
#include "unit/render/cairo/cairo_test_support.h"
#include "writer/bmp_encoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace velk {
namespace {

// Each suite leaves the process's font caches released.
class VelkRenderCairoBitmaps : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { cairo::ReleaseFontCaches(); }
};

class VelkRenderCairoPdf : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { cairo::ReleaseFontCaches(); }
};

using testing::CairoCanvas;
using testing::kBlack;
using testing::kBlue;
using testing::kGreen;
using testing::kRed;
using testing::kWhite;

// A file of the test's own in the temporary directory, removed at the end.
class TempFile {
  public:
    explicit TempFile(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("velk-render-" + std::to_string(getpid()) + "-" + name)) {}
    ~TempFile() { std::filesystem::remove(path_); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string path() const { return path_.string(); }
    void write(const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(path_, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    std::string read() const {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

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

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A 4 x 2 RLE8 bitmap written by hand from the BMP format: bottom row a run of four red
// pixels (index 0), top row a run of four blue ones (index 1).
std::vector<std::uint8_t> Rle8RedUnderBlue() {
    const std::vector<std::uint8_t> runs = {4, 0, 0, 0, 4, 1, 0, 1};
    std::vector<std::uint8_t> out = {'B', 'M'};
    Put32(out, 14 + 40 + 8 + static_cast<std::uint32_t>(runs.size()));
    Put32(out, 0);
    Put32(out, 14 + 40 + 8);
    Put32(out, 40);
    Put32(out, 4); // width
    Put32(out, 2); // height, bottom-up
    Put16(out, 1);
    Put16(out, 8);
    Put32(out, 1); // BI_RLE8
    Put32(out, static_cast<std::uint32_t>(runs.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 2); // colours used
    Put32(out, 0);
    Put32(out, 0x00FF0000); // index 0: red (as B, G, R, 0)
    Put32(out, 0x000000FF); // index 1: blue
    out.insert(out.end(), runs.begin(), runs.end());
    return out;
}

TEST_F(VelkRenderCairoBitmaps, NewPicturesStartInTheirColourAtEverySize) {
    // Pictures of a megabyte and more (a page) get memory mapped in whole; smaller ones
    // Cairo's own. White and black fill as bytes, other colours pixel by pixel.
    struct Case {
        std::int32_t width;
        std::int32_t height;
        std::uint32_t colour;
    };
    const Case cases[] = {{1, 1, 0xFFFFFF},     {3, 2, 0x000000},     {3, 2, 0x123456},
                          {700, 400, 0xFFFFFF}, {700, 400, 0x000000}, {700, 400, 0x00FF00},
                          {817, 1057, 0xFFFFFF}};
    for (const Case& c : cases) {
        const cairo::CairoSurfaceHandle picture = cairo::NewPicture(c.width, c.height, c.colour);
        ASSERT_TRUE(picture) << c.width << " x " << c.height;
        EXPECT_EQ(cairo_image_surface_get_width(picture.get()), c.width);
        EXPECT_EQ(cairo_image_surface_get_height(picture.get()), c.height);
        const unsigned char* data = cairo_image_surface_get_data(picture.get());
        const int stride = cairo_image_surface_get_stride(picture.get());
        std::int64_t wrong = 0;
        for (std::int32_t y = 0; y < c.height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
            for (std::int32_t x = 0; x < c.width; ++x) {
                wrong += (row[x] & 0xFFFFFF) != c.colour ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << c.width << " x " << c.height << " in " << std::hex << c.colour;
    }
}

TEST_F(VelkRenderCairoBitmaps, BmpFilesLoadAsScreenCompatibleBitmaps) {
    const TempFile bmp24("plain.bmp");
    bmp24.write(vlkw::EncodeBmp24(vlkw::RgbImage{3, 2, std::vector<vlkw::Colour>(6)}));
    const TempFile rle("rle.bmp");
    rle.write(Rle8RedUnderBlue());
    const TempFile png("picture.bmp");
    png.write(cli::EncodePng(cli::RgbImage{2, 2, std::vector<std::uint8_t>(12, 0)}));
    const TempFile junk("junk.bmp");
    junk.write(std::vector<std::uint8_t>(100, 'B'));

    const struct {
        std::string path;
        bool loads;
        BitmapInfo info;
    } cases[] = {
        {bmp24.path(), true, {3, 2, 32}},
        {rle.path(), true, {4, 2, 32}},
        // LoadImage(IMAGE_BITMAP) reads bitmaps only, whatever the file is called.
        {png.path(), false, {}},
        {junk.path(), false, {}},
        {bmp24.path() + ".missing", false, {}},
    };
    for (const auto& c : cases) {
        CairoCanvas canvas;
        const BitmapId bitmap = canvas.surface().loadBitmapFile(c.path);
        EXPECT_EQ(static_cast<bool>(bitmap), c.loads) << c.path;
        const BitmapInfo info = canvas.surface().getBitmapInfo(bitmap);
        EXPECT_EQ(info.width, c.info.width) << c.path;
        EXPECT_EQ(info.height, c.info.height) << c.path;
        EXPECT_EQ(info.bitsPerPixel, c.info.bitsPerPixel) << c.path;
    }
}

TEST_F(VelkRenderCairoBitmaps, RunLengthBitmapsAreDrawnRowByRow) {
    const TempFile rle("rle-draw.bmp");
    rle.write(Rle8RedUnderBlue());
    CairoCanvas canvas;
    const BitmapId bitmap = canvas.surface().loadBitmapFile(rle.path());
    ASSERT_TRUE(bitmap);
    canvas.surface().stretchBlt(10, 10, 4, 2, bitmap, 0, 0, 4, 2, kRopSourceCopy);
    EXPECT_EQ(canvas.at(10, 10), kBlue);
    EXPECT_EQ(canvas.at(13, 10), kBlue);
    EXPECT_EQ(canvas.at(10, 11), kRed);
    EXPECT_EQ(canvas.at(13, 11), kRed);
    EXPECT_EQ(canvas.at(14, 11), kWhite);
    EXPECT_EQ(canvas.at(10, 12), kWhite);
}

TEST_F(VelkRenderCairoBitmaps, StretchingShrinksByAndingAndGrowsByRepeating) {
    const TempFile bmp("stretch.bmp");
    // White, black, white, white: shrunk to two pixels the first keeps the black.
    bmp.write(vlkw::EncodeBmp24(Row({kBmpWhite, kBmpBlack, kBmpWhite, kBmpWhite})));
    const TempFile pair("pair.bmp");
    pair.write(vlkw::EncodeBmp24(Row({kBmpRed, kBmpBlue})));

    CairoCanvas canvas;
    const BitmapId shrink = canvas.surface().loadBitmapFile(bmp.path());
    const BitmapId grow = canvas.surface().loadBitmapFile(pair.path());
    canvas.surface().stretchBlt(0, 0, 2, 1, shrink, 0, 0, 4, 1, kRopSourceCopy);
    canvas.surface().stretchBlt(0, 10, 4, 2, grow, 0, 0, 2, 1, kRopSourceCopy);
    EXPECT_EQ(canvas.at(0, 0), kBlack);
    EXPECT_EQ(canvas.at(1, 0), kWhite);
    EXPECT_EQ(canvas.at(2, 0), kWhite); // nothing beyond the destination
    for (const auto& [x, y, colour] :
         {std::tuple{0, 10, kRed}, {1, 11, kRed}, {2, 10, kBlue}, {3, 11, kBlue}}) {
        EXPECT_EQ(canvas.at(x, y), colour) << x << "," << y;
    }
    EXPECT_EQ(canvas.at(4, 10), kWhite);
    EXPECT_EQ(canvas.at(0, 12), kWhite);
}

// GDI's stretch worked out pixel by pixel: destination pixel i gathers source pixels
// [i * source / destination, max((i + 1) * source / destination, that + 1)), ANDed together,
// and a pixel outside the source picture is white.
std::uint32_t StretchedPixel(cairo_surface_t* source, const cairo::PixelArea& from,
                             std::int64_t width, std::int64_t height, std::int64_t x,
                             std::int64_t y) {
    const auto gathered = [](std::int64_t i, std::int64_t count, std::int64_t size) {
        const std::int64_t first = i * count / size;
        return std::pair{first, std::max((i + 1) * count / size, first + 1)};
    };
    const unsigned char* data = cairo_image_surface_get_data(source);
    const int stride = cairo_image_surface_get_stride(source);
    const auto [left, right] = gathered(x, from.width, width);
    const auto [top, bottom] = gathered(y, from.height, height);
    std::uint32_t colour = 0xFFFFFF;
    for (std::int64_t sy = from.y + top; sy < from.y + bottom; ++sy) {
        for (std::int64_t sx = from.x + left; sx < from.x + right; ++sx) {
            if (sx >= 0 && sy >= 0 && sx < cairo_image_surface_get_width(source) &&
                sy < cairo_image_surface_get_height(source)) {
                colour &= reinterpret_cast<const std::uint32_t*>(data + sy * stride)[sx];
            }
        }
    }
    return colour & 0xFFFFFF;
}

TEST_F(VelkRenderCairoBitmaps, StretchedPixelsAreTheAndOfTheSourcePixelsTheyGather) {
    // A 7 x 5 picture of colours that share bits, so that every AND shows.
    const cairo::CairoSurfaceHandle source = cairo::NewPicture(7, 5, 0xFFFFFF);
    ASSERT_TRUE(source);
    const std::uint32_t palette[] = {0xFFFFFF, 0xF0F0F0, 0x0F0F0F, 0xFF00FF, 0x00FFFF, 0x808080};
    auto* pixels = cairo_image_surface_get_data(source.get());
    const int stride = cairo_image_surface_get_stride(source.get());
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            reinterpret_cast<std::uint32_t*>(pixels + y * stride)[x] = palette[(x * 5 + y * 3) % 6];
        }
    }
    cairo_surface_mark_dirty(source.get());
    struct Case {
        const char* name;
        cairo::PixelArea from;
        std::int32_t width;
        std::int32_t height;
        cairo::PixelArea window;
    };
    const Case cases[] = {
        {"same size", {0, 0, 7, 5}, 7, 5, {0, 0, 7, 5}},
        {"shrunk both ways", {0, 0, 7, 5}, 3, 2, {0, 0, 3, 2}},
        {"grown taller", {0, 0, 7, 5}, 7, 13, {0, 0, 7, 13}},
        {"grown both ways", {0, 0, 7, 5}, 17, 12, {0, 0, 17, 12}},
        {"taller, narrower", {1, 1, 5, 3}, 2, 9, {0, 0, 2, 9}},
        {"partly outside", {-2, -1, 9, 7}, 9, 7, {0, 0, 9, 7}},
        {"outside, shrunk", {-3, -2, 12, 9}, 4, 3, {0, 0, 4, 3}},
        {"window of a larger stretch", {0, 0, 7, 5}, 30, 20, {11, 7, 9, 8}},
    };
    for (const Case& c : cases) {
        const cairo::CairoSurfaceHandle result =
            cairo::StretchPixels(source.get(), c.from, c.width, c.height, c.window);
        ASSERT_TRUE(result) << c.name;
        const unsigned char* out = cairo_image_surface_get_data(result.get());
        const int outStride = cairo_image_surface_get_stride(result.get());
        for (std::int32_t y = 0; y < c.window.height; ++y) {
            for (std::int32_t x = 0; x < c.window.width; ++x) {
                const std::uint32_t got =
                    reinterpret_cast<const std::uint32_t*>(out + y * outStride)[x] & 0xFFFFFF;
                ASSERT_EQ(got, StretchedPixel(source.get(), c.from, c.width, c.height,
                                              c.window.x + x, c.window.y + y))
                    << c.name << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(VelkRenderCairoBitmaps, NegativeSizesMirrorAndHugeOnesDrawOnlyWhatShows) {
    const TempFile pair("mirror.bmp");
    pair.write(vlkw::EncodeBmp24(Row({kBmpRed, kBmpBlue})));
    CairoCanvas canvas;
    const BitmapId bitmap = canvas.surface().loadBitmapFile(pair.path());
    // Mirrored across: the first pixel stays at x, the second goes to its left (as GDI draws
    // it under Wine).
    canvas.surface().stretchBlt(10, 1, -2, 1, bitmap, 0, 0, 2, 1, kRopSourceCopy);
    EXPECT_EQ(canvas.at(8, 1), kWhite);
    EXPECT_EQ(canvas.at(9, 1), kBlue);
    EXPECT_EQ(canvas.at(10, 1), kRed);
    EXPECT_EQ(canvas.at(11, 1), kWhite);
    // Two billion pixels wide: the left half, red, covers the whole canvas row.
    canvas.surface().stretchBlt(0, 5, 2000000000, 1, bitmap, 0, 0, 2, 1, kRopSourceCopy);
    EXPECT_EQ(canvas.at(0, 5), kRed);
    EXPECT_EQ(canvas.at(63, 5), kRed);
    EXPECT_EQ(canvas.at(0, 6), kWhite);
}

TEST_F(VelkRenderCairoBitmaps, DibsComeOutBottomUpAndGoBackIn) {
    const TempFile bmp("dib.bmp");
    // Top row red, green; bottom row blue, white.
    bmp.write(vlkw::EncodeBmp24(vlkw::RgbImage{2, 2, {kBmpRed, {0, 255, 0}, kBmpBlue, kBmpWhite}}));
    CairoCanvas canvas;
    const BitmapId bitmap = canvas.surface().loadBitmapFile(bmp.path());
    ASSERT_TRUE(bitmap);

    DibInfo info;
    info.width = 2;
    info.height = 2;
    info.bitCount = 32;
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
    EXPECT_EQ(canvas.at(20, 20), kRed);
    EXPECT_EQ(canvas.at(21, 20), kGreen);
    EXPECT_EQ(canvas.at(20, 21), kBlue);
    EXPECT_EQ(canvas.at(21, 21), kWhite);
}

TEST_F(VelkRenderCairoBitmaps, PaletteDibsTakeTheirColoursFromTheTable) {
    const struct {
        std::uint16_t bitCount;
        std::vector<std::uint8_t> bits; // 3 x 2, bottom-up, rows padded to 4 bytes
    } cases[] = {
        // Bottom row 0 1 0, top row 1 0 1.
        {1, {0b01000000, 0, 0, 0, 0b10100000, 0, 0, 0}},
        {4, {0x01, 0x00, 0, 0, 0x10, 0x10, 0, 0}},
        {8, {0, 1, 0, 0, 1, 0, 1, 0}},
    };
    for (const auto& c : cases) {
        CairoCanvas canvas;
        DibInfo info;
        info.width = 3;
        info.height = 2;
        info.bitCount = c.bitCount;
        info.colours[0] = 0x0000FF; // RGBQUAD as 0x00RRGGBB: blue
        info.colours[1] = 0xFF0000; // red
        canvas.surface().stretchDIBits(5, 5, 3, 2, 0, 0, 3, 2, c.bits, info, kDibRgbColours,
                                       kRopSourceCopy);
        EXPECT_EQ(canvas.at(5, 5), kRed) << c.bitCount;
        EXPECT_EQ(canvas.at(6, 5), kBlue) << c.bitCount;
        EXPECT_EQ(canvas.at(7, 5), kRed) << c.bitCount;
        EXPECT_EQ(canvas.at(5, 6), kBlue) << c.bitCount;
        EXPECT_EQ(canvas.at(6, 6), kRed) << c.bitCount;
        // Bits too short for the header are not drawn at all.
        canvas.surface().stretchDIBits(20, 20, 3, 2, 0, 0, 3, 2,
                                       std::span(c.bits).first(c.bits.size() - 1), info,
                                       kDibRgbColours, kRopSourceCopy);
        EXPECT_EQ(canvas.at(20, 20), kWhite) << c.bitCount;
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
        const struct {
            std::int16_t orientation;
            std::int16_t paper;
            std::int32_t horzRes; // the page in printer pixels
            std::int32_t vertRes;
        } pages[] = {
            {1, 1, 5100, 6600}, // Letter: 8.5 x 11 inches
            {2, 9, 7016, 4961}, // A4 across: 297 x 210 mm
            {1, 5, 5100, 8400}, // Legal: 8.5 x 14 inches
        };
        for (const auto& page : pages) {
            EXPECT_TRUE(surface.resetDC(Devmode(page.orientation, page.paper)));
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::HorzRes), page.horzRes);
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::VertRes), page.vertRes);
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::LogPixelsX), 600);
            EXPECT_EQ(surface.getDeviceCaps(DeviceCap::PhysicalOffsetX), 0);
            EXPECT_GT(surface.startPage(), 0);
            surface.createFontIndirect(LogFont{});
            surface.textOut(600, 600, "Page");
            EXPECT_GT(surface.endPage(), 0);
        }
        EXPECT_GT(surface.endDoc(), 0);
    }
    const std::string pdf = file.read();
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
