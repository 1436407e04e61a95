// The GDI surface against real GDI (under Wine in the win32 build): the renderer's rules that
// the device itself must keep, drawn into a memory bitmap and read back pixel by pixel.
#ifdef _WIN32

#include "render/gdi/gdi_surface.h"
#include "render/fonts.h"
#include "render/surface.h"
#include "writer/bmp_encoder.h"
#include "writer/file_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace velk {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A 64 x 64 white memory bitmap with its own device context.
class Canvas {
  public:
    Canvas() : dc_(CreateCompatibleDC(nullptr)) {
        const HDC screen = GetDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(screen, 64, 64);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, 64, 64};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y) & 0xFFFFFF; }

  private:
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

TEST(GdiSurface, FontsAreMadeFromTheDescriptionAndMeasureText) {
    Canvas canvas;
    win32::GdiSurface backend(canvas.dc());
    Surface surface(backend);
    const FontId font = MakeFont(surface, "Arial", 0, 20.0, 0);
    ASSERT_TRUE(font);
    EXPECT_EQ(surface.selectObject(font), kDeviceFont);
    const TextSize one = surface.getTextExtentPoint32("W");
    const TextSize three = surface.getTextExtentPoint32("WWW");
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(three.cx, 3 * one.cx);
    const TextMetrics metrics = surface.getTextMetrics();
    EXPECT_GT(metrics.height, metrics.internalLeading);

    surface.setBkMode(kBkTransparent);
    surface.setTextColor(RGB(0, 0, 0));
    surface.textOut(0, 0, "WWW");
    bool inked = false;
    for (int x = 0; x < one.cx * 3 && !inked; ++x) {
        for (int y = 0; y < metrics.height && !inked; ++y) {
            inked = canvas.at(x, y) != kWhite;
        }
    }
    EXPECT_TRUE(inked);
}

TEST(GdiSurface, ClippedOpaqueTextStaysInsideItsRectangle) {
    Canvas canvas;
    win32::GdiSurface backend(canvas.dc());
    Surface surface(backend);
    const FontId font = MakeFont(surface, "Arial", 0, 30.0, 0);
    surface.selectObject(font);
    SetBkColor(canvas.dc(), RGB(0, 255, 0));
    const DeviceRect clip{10, 10, 20, 40};
    surface.extTextOut(0, 10, kTextOpaque | kTextClipped, &clip, "WWWWWW");
    EXPECT_EQ(canvas.at(9, 15), kWhite);
    EXPECT_EQ(canvas.at(20, 15), kWhite);
    EXPECT_NE(canvas.at(15, 15), kWhite); // filled or inked
}

// A 4 x 2 bitmap file, left half red and right half blue, in the temporary directory.
class BitmapOnDisk {
  public:
    BitmapOnDisk() {
        constexpr vlkw::Colour red{255, 0, 0};
        constexpr vlkw::Colour blue{0, 0, 255};
        const auto bytes =
            vlkw::EncodeBmp24(vlkw::RgbImage{4, 2, {red, red, blue, blue, red, red, blue, blue}});
        vlkw::WriteBytesToFile(path_, bytes);
    }
    ~BitmapOnDisk() { std::filesystem::remove(path_); }
    BitmapOnDisk(const BitmapOnDisk&) = delete;
    BitmapOnDisk& operator=(const BitmapOnDisk&) = delete;
    std::string path() const { return path_.string(); }

  private:
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / "velk-gdi-surface-test.bmp";
};

TEST(GdiSurface, BitmapsStretchOnTheScreenAndGoThroughDibsOnPrinters) {
    BitmapOnDisk file;
    Canvas canvas;
    win32::GdiSurface backend(canvas.dc());
    Surface surface(backend);
    const BitmapId bitmap = surface.loadBitmapFile(file.path());
    ASSERT_TRUE(bitmap);
    const BitmapInfo info = surface.getBitmapInfo(bitmap);
    EXPECT_EQ(info.width, 4);
    EXPECT_EQ(info.height, 2);
    EXPECT_FALSE(surface.loadBitmapFile(file.path() + ".missing"));

    // Twice the size at (10, 10): red on the left, blue on the right.
    EXPECT_TRUE(surface.stretchBlt(10, 10, 8, 4, bitmap, 0, 0, 4, 2, kRopSourceCopy));
    EXPECT_EQ(canvas.at(11, 11), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(16, 12), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(18, 11), kWhite);

    DibInfo dib;
    dib.width = info.width;
    dib.height = info.height;
    dib.bitCount = static_cast<std::uint16_t>(info.bitsPerPixel);
    const std::size_t row =
        static_cast<std::size_t>((info.width * info.bitsPerPixel + 31) / 32 * 4);
    std::vector<std::uint8_t> pixels(row * 2);
    EXPECT_EQ(surface.getDIBits(bitmap, 0, 2, pixels, dib, kDibRgbColours), 2);
    // A buffer one byte short is refused rather than overrun.
    std::vector<std::uint8_t> tooSmall(row * 2 - 1);
    EXPECT_EQ(surface.getDIBits(bitmap, 0, 2, tooSmall, dib, kDibRgbColours), 0);
    surface.stretchDIBits(30, 30, 4, 2, 0, 0, 4, 2, pixels, dib, kDibRgbColours, kRopSourceCopy);
    EXPECT_EQ(canvas.at(30, 30), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(33, 31), RGB(0, 0, 255));
    EXPECT_TRUE(surface.deleteObject(bitmap));
}

TEST(GdiSurface, ObjectsLeftBehindAreDeletedWithTheSurface) {
    Canvas canvas;
    HGDIOBJ made = nullptr;
    {
        win32::GdiSurface backend(canvas.dc());
        Surface surface(backend);
        surface.selectObject(surface.createPen(kPenSolid, 3, 0));
        made = GetCurrentObject(canvas.dc(), OBJ_PEN);
        EXPECT_EQ(GetObjectType(made), static_cast<DWORD>(OBJ_PEN));
    }
    EXPECT_NE(GetCurrentObject(canvas.dc(), OBJ_PEN), made);
    EXPECT_EQ(GetObjectType(made), 0u);
}

} // namespace
} // namespace velk

#endif
