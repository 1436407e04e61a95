// A raster page's rows are made white only as drawing reaches them. Every kind of drawing must
// reach at least the rows it paints: a row it paints unreached is painted over black memory.
#ifndef _WIN32

#include "render/cairo/cairo_bitmaps.h"
#include "render/cairo/white_rows.h"

#include "cairo_test_support.h"

#include <array>
#include <cstring>
#include <functional>

namespace velk::testing {
namespace {

constexpr std::int32_t kWidth = 48;
constexpr std::int32_t kHeight = 120;

// Each of the page's rows: 'W' made white, '.' untouched memory (zero), '?' anything else.
std::string RowKinds(cairo_surface_t* page) {
    std::string kinds;
    const int stride = cairo_image_surface_get_stride(page);
    const unsigned char* data = cairo_image_surface_get_data(page);
    for (int y = 0; y < cairo_image_surface_get_height(page); ++y) {
        const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        const auto all = [&](unsigned char value) {
            for (int i = 0; i < stride; ++i) {
                if (row[i] != value) {
                    return false;
                }
            }
            return true;
        };
        kinds += all(0xFF) ? 'W' : all(0) ? '.' : '?';
    }
    return kinds;
}

struct Reach {
    std::int64_t top;
    std::int64_t bottom;
};

struct ReachCase {
    const char* name;
    std::vector<Reach> reaches;
    std::int32_t height;
    const char* rows;
};

TEST(WhiteRows, RowsAreMadeWhiteAsOneBandWithinThePage) {
    const ReachCase cases[] = {
        {"nothing reached", {}, 6, "......"},
        {"rows 2 and 3", {{2, 4}}, 6, "..WW.."},
        {"an empty reach", {{3, 3}}, 6, "......"},
        {"an empty reach above a band", {{4, 5}, {1, 1}}, 6, "....W."},
        {"a band grows up and down", {{2, 3}, {1, 2}, {4, 5}}, 6, ".WWWW."},
        {"the gap between two bands", {{0, 1}, {5, 6}}, 6, "WWWWWW"},
        {"clamped to the page", {{-4, 1}}, 7, "W......"},
        {"clamped at the foot", {{5, 99}}, 7, ".....WW"},
        {"wholly above or below", {{-9, 0}, {7, 12}}, 7, "......."},
    };
    for (const ReachCase& reachCase : cases) {
        SCOPED_TRACE(reachCase.name);
        const cairo::CairoSurfaceHandle page = cairo::NewPage(kWidth, reachCase.height);
        ASSERT_NE(page, nullptr);
        cairo::WhiteRows* rows = cairo::WhiteRows::Of(page.get());
        ASSERT_NE(rows, nullptr);
        for (const Reach& reach : reachCase.reaches) {
            rows->reach(reach.top, reach.bottom);
        }
        const std::string kinds = RowKinds(page.get());
        EXPECT_EQ(kinds, reachCase.rows);
        for (std::int32_t y = 0; y < reachCase.height; ++y) {
            EXPECT_EQ(rows->reached(y), kinds[static_cast<std::size_t>(y)] == 'W') << "row " << y;
        }
    }
}

TEST(WhiteRows, PicturesAndBitmapsFillThemselves) {
    const cairo::CairoSurfaceHandle picture = cairo::NewPicture(kWidth, 4, 0xFFFFFF);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(cairo::WhiteRows::Of(picture.get()), nullptr);
    EXPECT_EQ(RowKinds(picture.get()), "WWWW");
}

DibInfo TwoByTwo() {
    DibInfo info;
    info.width = 2;
    info.height = 2; // bottom-up
    info.bitCount = 24;
    return info;
}

struct DrawCase {
    const char* name;
    std::function<void(CairoCanvas&)> draw;
};

class WhiteRowsDrawing : public CairoSuite {};

// Drawn on a fresh page, and on a page whose every row was first reached by a white fill, each
// drawing gives the same pixels.
TEST_F(WhiteRowsDrawing, EachKindOfDrawingReachesEveryRowItPaints) {
    static const std::array<std::uint8_t, 16> dib{0,   0, 255, 0, 255, 0, 0, 0,
                                                  255, 0, 0,   0, 0,   0, 0, 0};
    const DrawCase cases[] = {
        {"a one-pixel line, steep, to the last row",
         [](CairoCanvas& c) {
             c.selectPen(kPenSolid, 1, kBlack);
             c.surface().moveTo(3, 60);
             c.surface().lineTo(40, kHeight);
         }},
        {"a wide pen's round ends",
         [](CairoCanvas& c) {
             c.selectPen(kPenSolid, 9, kRed);
             c.surface().moveTo(5, 50);
             c.surface().lineTo(40, 50);
         }},
        {"a wide pen's stroke on a PDF-like path",
         [](CairoCanvas& c) {
             c.selectPen(kPenSolid, 6, kBlue);
             c.surface().rectangle(4, 30, 44, 70);
         }},
        {"a frame inside its rectangle",
         [](CairoCanvas& c) {
             c.selectPen(6, 5, kGreen); // PS_INSIDEFRAME
             c.selectBrush(kBlue);
             c.surface().rectangle(2, 100, 46, 118);
         }},
        {"a brush alone, partly above the page",
         [](CairoCanvas& c) {
             c.selectPen(5, 0, kBlack);
             c.selectBrush(kRed);
             c.surface().rectangle(10, -10, 30, 5);
         }},
        {"smoothed text, opaque, underlined and struck out",
         [](CairoCanvas& c) {
             c.selectFont(-16, "Arial", 0, true, true);
             c.surface().setBkMode(kBkOpaque);
             c.surface().textOut(2, 40, "Wg");
         }},
        {"smoothed text alone",
         [](CairoCanvas& c) {
             c.selectFont(-16);
             c.surface().setBkMode(kBkTransparent);
             c.surface().textOut(2, 60, "Wg");
         }},
        {"black and white text alone",
         [](CairoCanvas& c) {
             c.selectFont(-11);
             c.surface().setBkMode(kBkTransparent);
             c.surface().textOut(2, 100, "Wg");
         }},
        {"a glyph too large to keep, drawn by Cairo",
         [](CairoCanvas& c) {
             c.selectFont(-2600);
             c.surface().setBkMode(kBkTransparent);
             c.surface().textOut(-1200, -700, "W");
         }},
        {"text in an opaque rectangle",
         [](CairoCanvas& c) {
             c.selectFont(-12);
             const DeviceRect box{0, 70, 48, 90};
             c.surface().extTextOut(2, 72, kTextOpaque, &box, "Ay");
         }},
        {"turned text",
         [](CairoCanvas& c) {
             c.selectFont(-14, "Arial", 900);
             c.surface().textOut(20, 80, "Turn");
         }},
        {"a bitmap stretched and mirrored",
         [](CairoCanvas& c) {
             c.surface().stretchDIBits(40, 90, -30, -25, 0, 0, 2, 2, dib, TwoByTwo(), 0, 0xCC0020);
         }},
        {"lines far apart",
         [](CairoCanvas& c) {
             c.selectPen(kPenSolid, 1, kBlack);
             c.surface().moveTo(0, 2);
             c.surface().lineTo(47, 2);
             c.surface().moveTo(0, 117);
             c.surface().lineTo(47, 117);
         }},
    };
    for (const DrawCase& drawCase : cases) {
        SCOPED_TRACE(drawCase.name);
        CairoCanvas reached(kWidth, kHeight);
        reached.fill(kWhite);
        drawCase.draw(reached);
        CairoCanvas fresh(kWidth, kHeight);
        drawCase.draw(fresh);
        ASSERT_FALSE(reached.ink().empty());
        for (std::int32_t y = 0; y < kHeight; ++y) {
            ASSERT_EQ(fresh.row(y), reached.row(y)) << "row " << y;
        }
    }
}

TEST_F(WhiteRowsDrawing, APageNothingReachedReadsWhiteThroughAStretchedCopyToo) {
    CairoCanvas canvas(kWidth, kHeight);
    EXPECT_TRUE(canvas.ink().empty());
    const auto rows = canvas.backend().pixelRows(cairo::PixelRect{0, 0, kWidth, kHeight},
                                                 kWidth / 2, kHeight / 2);
    ASSERT_NE(rows, nullptr);
    for (std::int32_t y = 0; y < kHeight / 2; ++y) {
        for (const std::uint32_t pixel : rows(y)) {
            ASSERT_EQ(pixel & 0xFFFFFF, 0xFFFFFFu) << "row " << y;
        }
    }
}

} // namespace
} // namespace velk::testing

#endif
