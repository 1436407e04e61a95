// The Cairo surface keeps GDI's rules: where lines, rectangles and text land, pixel by pixel.
// Where GDI leaves a choice open, the expectations are what GDI was seen to draw under Wine.
#ifndef _WIN32

#include "unit/render/cairo/cairo_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace velk {
namespace {

using VelkRenderCairoFonts = testing::CairoSuite;
using VelkRenderCairoSurface = testing::CairoSuite;

using testing::CairoCanvas;
using testing::kBlack;
using testing::kBlue;
using testing::kRed;
using testing::kWhite;

struct Point {
    std::int32_t x;
    std::int32_t y;
};

// Each pixel of `points` is `colour`; the message names the case and the pixel.
void ExpectColour(const CairoCanvas& canvas, const std::vector<Point>& points, Colour colour,
                  const std::string& name) {
    for (const Point& p : points) {
        EXPECT_EQ(canvas.at(p.x, p.y), colour) << name << " (" << p.x << "," << p.y << ")";
    }
}

TEST_F(VelkRenderCairoSurface, LinesPaintWhatGdiPaints) {
    // Wide pens: odd widths centred on the pixel, even ones with the extra row above; the ends
    // are round and include the end point. A steep tie: half-way steps stay on the side of the
    // start (at step 4 of 8, x has moved 2.5). "far off": two billion steps, almost all of them
    // off the page. A line goes on from where the last one ended, and paints the corner that
    // one left out.
    struct Line {
        const char* name;
        Point from;
        std::vector<Point> to;
        int width;
    };
    const std::tuple<Line, std::vector<Point>, std::vector<Point>> cases[] = {
        {{"rightward", {2, 2}, {{10, 2}}, 1}, {{2, 2}, {9, 2}}, {{1, 2}, {10, 2}, {5, 1}, {5, 3}}},
        {{"leftward", {10, 4}, {{2, 4}}, 1}, {{10, 4}, {3, 4}}, {{2, 4}, {11, 4}}},
        {{"downward", {2, 6}, {{2, 14}}, 1}, {{2, 6}, {2, 13}}, {{2, 14}, {2, 5}, {1, 9}, {3, 9}}},
        {{"upward", {4, 14}, {{4, 6}}, 1}, {{4, 14}, {4, 7}}, {{4, 6}, {4, 15}}},
        {{"diagonal", {0, 0}, {{5, 5}}, 1}, {{0, 0}, {2, 2}, {4, 4}}, {{5, 5}, {1, 0}, {0, 1}}},
        {{"steep tie", {14, 10}, {{19, 2}}, 1}, {{16, 6}}, {{17, 6}, {19, 2}}},
        {{"width 0", {2, 2}, {{10, 2}}, 0}, {{5, 2}}, {{5, 1}, {5, 3}, {10, 2}}},
        {{"width 3", {20, 10}, {{30, 10}}, 3},
         {{25, 9}, {25, 11}, {30, 10}, {31, 10}, {19, 10}},
         {{25, 8}, {25, 12}, {32, 10}, {31, 9}, {19, 9}}},
        {{"width 2", {20, 10}, {{30, 10}}, 2},
         {{25, 9}, {25, 10}, {19, 9}, {30, 10}},
         {{25, 8}, {25, 11}, {31, 10}}},
        {{"width 4", {20, 10}, {{30, 10}}, 4},
         {{25, 8}, {25, 11}, {18, 9}, {31, 10}},
         {{25, 7}, {25, 12}, {18, 8}, {32, 10}}},
        {{"far off", {-2000000000, -2000000000}, {{40, 40}}, 1},
         {{0, 0}, {39, 39}},
         {{40, 40}, {1, 0}}},
        {{"two lines", {2, 2}, {{8, 2}, {8, 8}}, 1}, {{8, 2}, {8, 7}}, {{8, 8}}},
    };
    for (const auto& [line, painted, clear] : cases) {
        CairoCanvas canvas;
        canvas.selectPen(kPenSolid, line.width, kRed);
        canvas.surface().moveTo(line.from.x, line.from.y);
        for (const Point& to : line.to) {
            canvas.surface().lineTo(to.x, to.y);
        }
        ExpectColour(canvas, painted, kRed, line.name);
        ExpectColour(canvas, clear, kWhite, line.name);
    }
}

TEST_F(VelkRenderCairoSurface, RectanglesCoverLeftToRightMinusOneWithThePenOnTheOutline) {
    // The 3-pixel pen is centred on the outline through the edge pixels 12 and 21.
    struct Box {
        const char* name;
        int penWidth;
        DeviceRect rect;
    };
    const std::tuple<Box, std::vector<Point>, std::vector<Point>, std::vector<Point>> cases[] = {
        {{"1-pixel pen", 1, {20, 20, 30, 30}},
         {{20, 20}, {29, 20}, {20, 29}, {29, 29}, {25, 20}, {20, 25}, {29, 25}, {25, 29}},
         {{21, 21}, {28, 28}, {25, 25}},
         {{30, 30}, {30, 25}, {25, 30}, {19, 25}, {25, 19}}},
        {{"corners swapped", 1, {30, 30, 20, 20}},
         {{20, 20}, {29, 29}},
         {{25, 25}},
         {{30, 30}, {19, 19}}},
        {{"pen width 0", 0, {20, 20, 30, 30}}, {{20, 20}, {29, 29}}, {{21, 21}}, {{30, 30}}},
        {{"3-pixel pen", 3, {12, 14, 22, 24}},
         {{11, 19}, {13, 19}, {20, 19}, {22, 19}, {17, 13}, {17, 15}, {17, 22}, {17, 24}},
         {{14, 19}, {19, 19}, {17, 16}, {17, 21}},
         {{10, 19}, {23, 19}, {17, 12}, {17, 25}}},
    };
    for (const auto& [box, pen, brush, clear] : cases) {
        CairoCanvas canvas;
        canvas.selectPen(kPenSolid, box.penWidth, kRed);
        canvas.selectBrush(kBlue);
        canvas.surface().rectangle(box.rect.left, box.rect.top, box.rect.right, box.rect.bottom);
        ExpectColour(canvas, pen, kRed, box.name);
        ExpectColour(canvas, brush, kBlue, box.name);
        ExpectColour(canvas, clear, kWhite, box.name);
    }
}

TEST_F(VelkRenderCairoSurface, AdvancesAreTheFacesDesignWidthsInWholePixels) {
    CairoCanvas canvas;
    // At 2048 pixels per em the advances are the design units of the face: H 1479, e 1139,
    // l 455, o 1139 in Arial; Times New Roman H 1479, e 909, l 569, o 1024; Courier New 1229
    // for every character. A family with other widths would not match.
    const std::pair<const char*, std::int32_t> cases[] = {
        {"Arial", 4667}, {"Times New Roman", 4550}, {"Courier New", 6145}};
    for (const auto& [face, hello] : cases) {
        canvas.selectFont(-2048, face);
        EXPECT_EQ(canvas.surface().getTextExtentPoint32("Hello").cx, hello) << face;
    }
    for (const std::int32_t height : {-11, -13, -16, -27}) {
        canvas.selectFont(height);
        const std::int32_t one = canvas.surface().getTextExtentPoint32("i").cx;
        EXPECT_GT(one, 0) << height;
        EXPECT_EQ(canvas.surface().getTextExtentPoint32("iiiiiiiiii").cx, 10 * one) << height;
    }
}

TEST_F(VelkRenderCairoSurface, TextMetricsComeFromTheFontsWindowsMetrics) {
    // Arial: 2048 units per em, Windows ascent 1854 and descent 434, line gap 67. At 100
    // pixels per em: ascent round(90.5) = 91, descent round(21.2) = 21, height 112, internal
    // leading 12, external leading round(3.3) = 3. A positive height asks for the cell: 112.
    CairoCanvas canvas;
    for (const std::int32_t height : {-100, 112}) {
        const TextMetrics tm = canvas.selectFont(height);
        EXPECT_EQ(
            std::tuple(tm.height, tm.ascent, tm.descent, tm.internalLeading, tm.externalLeading),
            std::tuple(112, 91, 21, 12, 3))
            << height;
        EXPECT_EQ(canvas.surface().getTextExtentPoint32("x").cy, 112) << height;
    }
    // Height 0: the default cell of 16 pixels.
    EXPECT_EQ(canvas.selectFont(0).height, 16);
}

TEST_F(VelkRenderCairoSurface, TextSitsInItsCellByTheAlignment) {
    CairoCanvas canvas(200, 100);
    const TextMetrics tm = canvas.selectFont(-40);
    const std::int32_t width = canvas.surface().getTextExtentPoint32("HH").cx;
    // Across: how far the run starts left of x; down: the ink's last row.
    const std::tuple<const char*, unsigned, std::int32_t, std::int32_t> cases[] = {
        {"top left", kTextAlignLeftTop, 0, 10 + tm.ascent - 1},
        {"baseline", 24, 0, 9},
        {"bottom", 8, 0, 10 - tm.descent - 1},
        {"right", kTextAlignRight, width, 10 + tm.ascent - 1},
        {"centre", kTextAlignCenter, width / 2, 10 + tm.ascent - 1},
    };
    std::int32_t leftOfRun = -1; // where the ink of a run from x = 100 begins
    for (const auto& [name, align, startsLeft, inkBottom] : cases) {
        CairoCanvas page(200, 100);
        page.selectFont(-40);
        page.surface().setBkMode(kBkTransparent);
        page.surface().setTextAlign(align);
        page.surface().textOut(100, 10, "HH");
        const auto ink = page.ink();
        ASSERT_FALSE(ink.empty()) << name;
        if (leftOfRun < 0) {
            leftOfRun = ink.left;
            EXPECT_LE(leftOfRun, 100 + width / 4) << name;
            EXPECT_GE(leftOfRun, 100) << name;
        }
        EXPECT_EQ(ink.bottom, inkBottom) << name;
        EXPECT_EQ(ink.left, leftOfRun - startsLeft) << name;
    }
}

TEST_F(VelkRenderCairoSurface, RotatedTextRunsUpFromItsReferencePoint) {
    CairoCanvas canvas(100, 120);
    const TextMetrics tm = canvas.selectFont(-20, "Arial", 900);
    const std::int32_t length = canvas.surface().getTextExtentPoint32("HHHH").cx;
    canvas.surface().setBkMode(kBkTransparent);
    canvas.surface().textOut(30, 100, "HHHH");
    const auto ink = canvas.ink();
    ASSERT_FALSE(ink.empty());
    // The cell's top edge faces left, its run goes up: x from 30 to 30 + height, y from 100
    // up to 100 - length.
    EXPECT_GE(ink.left, 30);
    EXPECT_LT(ink.right, 30 + tm.height);
    EXPECT_LE(ink.bottom, 100);
    EXPECT_GE(ink.top, 100 - length - 1);
    EXPECT_GT(ink.bottom - ink.top, length / 2);
}

TEST_F(VelkRenderCairoSurface, TheCellAndBandsOfTextTurnedAQuarterLieAsTheLevelOnesTurned) {
    // Blanks draw no glyph: the ink is the cell (white on black) or the band alone. Turned a
    // quarter about the reference point (30, 80), level pixel (30 + a, 80 + b) becomes
    // (30 + b, 80 - a - 1).
    const std::tuple<const char*, bool, bool> cases[] = {
        {"opaque cell", true, false}, {"underline", false, true}, {"strikeout", false, false}};
    for (const auto& [name, opaque, underline] : cases) {
        std::array<testing::InkBox, 2> boxes{};
        for (const std::int32_t escapement : {0, 900}) {
            CairoCanvas canvas(120, 120);
            if (opaque) {
                canvas.fill(kBlack);
            }
            canvas.selectFont(-20, "Arial", escapement, underline, !opaque && !underline);
            canvas.surface().setBkMode(opaque ? kBkOpaque : kBkTransparent);
            canvas.surface().textOut(30, 80, "    ");
            boxes[escapement == 0 ? 0 : 1] = canvas.ink(opaque ? kBlack : kWhite);
        }
        const auto& [level, turned] = boxes;
        ASSERT_FALSE(level.empty()) << name;
        EXPECT_EQ(turned.left, 30 + (level.top - 80)) << name;
        EXPECT_EQ(turned.right, 30 + (level.bottom - 80)) << name;
        EXPECT_EQ(turned.bottom, 80 - (level.left - 30) - 1) << name;
        EXPECT_EQ(turned.top, 80 - (level.right - 30) - 1) << name;
    }
}

TEST_F(VelkRenderCairoSurface, UnderlineAndStrikeoutRunUnderAndThroughTheText) {
    // A blank draws no glyph, so all ink is the line.
    for (const bool underline : {true, false}) {
        CairoCanvas canvas(100, 80);
        const TextMetrics tm = canvas.selectFont(-40, "Arial", 0, underline, !underline);
        const std::int32_t width = canvas.surface().getTextExtentPoint32("  ").cx;
        canvas.surface().setBkMode(kBkTransparent);
        canvas.surface().textOut(10, 10, "  ");
        const auto ink = canvas.ink();
        const std::int32_t baseline = 10 + tm.ascent;
        ASSERT_FALSE(ink.empty());
        EXPECT_EQ(ink.left, 10);
        EXPECT_EQ(ink.right, 10 + width - 1);
        if (underline) {
            EXPECT_GE(ink.top, baseline);
            EXPECT_LT(ink.bottom, baseline + tm.descent);
        } else {
            EXPECT_LT(ink.bottom, baseline);
            EXPECT_GT(ink.top, baseline - tm.ascent + tm.internalLeading);
        }
    }
}

TEST_F(VelkRenderCairoSurface, AnOpaqueBackgroundFillsTheCellAndATransparentOneDoesNot) {
    for (const int mode : {kBkOpaque, kBkTransparent}) {
        CairoCanvas canvas;
        canvas.fill(kBlack);
        const TextMetrics tm = canvas.selectFont(-20);
        const std::int32_t width = canvas.surface().getTextExtentPoint32("  ").cx;
        canvas.surface().setBkMode(mode);
        canvas.surface().textOut(10, 10, "  ");
        const Colour inside = mode == kBkOpaque ? kWhite : kBlack;
        EXPECT_EQ(canvas.at(10, 10), inside) << mode;
        EXPECT_EQ(canvas.at(10 + width - 1, 10 + tm.height - 1), inside) << mode;
        EXPECT_EQ(canvas.at(10 + width, 10), kBlack) << mode;
        EXPECT_EQ(canvas.at(10, 10 + tm.height), kBlack) << mode;
    }
}

TEST_F(VelkRenderCairoSurface, ClippedOpaqueTextFillsItsRectangleAndStaysInIt) {
    CairoCanvas canvas(100, 40);
    canvas.fill(kBlack);
    canvas.selectFont(-20);
    canvas.surface().setTextColor(kRed);
    canvas.surface().setBkMode(kBkTransparent);
    const DeviceRect clip{10, 10, 30, 20};
    canvas.surface().extTextOut(10, 10, kTextOpaque | kTextClipped, &clip, "WWWWWWWW");
    // The rectangle is the background colour (white) where no glyph covers it...
    EXPECT_EQ(canvas.at(10, 10), kWhite);
    // ...and nothing is drawn outside it, although the text runs on.
    const auto ink = canvas.ink(kBlack);
    EXPECT_EQ(std::tuple(ink.left, ink.top, ink.right, ink.bottom), std::tuple(10, 10, 29, 19));
}

// Smoothed text has grey edges at a size the face smooths; aliased text is its colour or the
// page's, at the same advances.
TEST_F(VelkRenderCairoSurface, TextIsSmoothedInGreyUnlessAliasedTextIsAsked) {
    std::vector<std::int32_t> advances;
    for (const bool smooth : {true, false}) {
        CairoCanvas canvas(120, 40, smooth);
        canvas.selectFont(-24);
        canvas.surface().setBkMode(kBkTransparent);
        canvas.surface().textOut(4, 4, "Ragged");
        int greys = 0;
        for (std::int32_t y = 0; y < 40; ++y) {
            for (const Colour colour : canvas.row(y)) {
                greys += colour != kBlack && colour != kWhite ? 1 : 0;
            }
        }
        EXPECT_EQ(greys > 0, smooth) << greys;
        advances.push_back(canvas.surface().getTextExtentPoint32("Ragged").cx);
    }
    EXPECT_EQ(advances[0], advances[1]);
}

TEST_F(VelkRenderCairoFonts, PixelsPerEmFollowGdisHeightRules) {
    cairo::FaceMetrics arial;
    arial.unitsPerEm = 2048;
    arial.winAscent = 1854;
    arial.winDescent = 434;
    // The text metrics test holds -100 and 112 (a cell of 2288 units holds 2048 of em) and 0.
    const std::pair<std::int32_t, std::int32_t> cases[] = {
        {-11, 11},
        {-1, 1},
        // 16 px -> 14.3 -> 14, whose cell is 13 + 3 = 16.
        {16, 14},
        // 13 px -> 11.6 -> 12, whose cell would be round(10.9) + round(2.5) = 14 > 13: 11.
        {13, 11},
    };
    for (const auto& [lfHeight, ppem] : cases) {
        EXPECT_EQ(cairo::PixelsPerEm(lfHeight, arial), ppem) << lfHeight;
    }
}

TEST_F(VelkRenderCairoFonts, GaspRangesDecideWhereGlyphsAreSmoothed) {
    cairo::FaceMetrics face;
    EXPECT_TRUE(cairo::SmoothedAt(face, 12)); // no table: always
    // Smoothed up to 8, not from 9 to 16, smoothed above.
    face.gaspRanges = {{8, 0x2}, {16, 0x1}, {0xFFFF, 0x3}};
    const std::pair<std::int32_t, bool> cases[] = {{7, true},   {8, true},  {9, false},
                                                   {16, false}, {17, true}, {4000, true}};
    for (const auto& [ppem, smoothed] : cases) {
        EXPECT_EQ(cairo::SmoothedAt(face, ppem), smoothed) << ppem;
    }
}

TEST_F(VelkRenderCairoSurface, RowsReachingOffThePageAreWhiteThere) {
    // A black band over rows 2 and 3 of a white page six rows tall, read in any order.
    CairoCanvas canvas(8, 6);
    canvas.selectPen(5, 0, kBlack);
    canvas.selectBrush(kBlack);
    canvas.surface().rectangle(0, 2, 9, 4 + 1);
    // Two columns left of the page, one right of it, a row above it and one below, all white.
    const auto rows = canvas.backend().pixelRows(cairo::PixelRect{-2, -1, 11, 8}, 11, 8);
    EXPECT_TRUE(rows(-1).empty());
    EXPECT_TRUE(rows(8).empty());
    const std::pair<std::int32_t, std::uint32_t> reads[] = {
        {0, 0xFFFFFF}, {1, 0xFFFFFF}, {3, 0}, {4, 0}, {5, 0xFFFFFF}, {7, 0xFFFFFF}, {3, 0}};
    for (const auto& [y, onPage] : reads) {
        const std::span<const std::uint32_t> row = rows(y);
        ASSERT_EQ(row.size(), 11u);
        for (std::size_t x = 0; x < 11; ++x) {
            const bool off = x < 2 || x == 10 || y == 0 || y == 7;
            EXPECT_EQ(row[x] & 0xFFFFFF, off ? 0xFFFFFFu : onPage)
                << "row " << y << ", column " << x;
        }
    }
}

} // namespace
} // namespace velk

#endif
