// Glyphs painted from their kept coverage must land on the pixels Cairo draws them on, blended
// as Cairo blends them, with smoothed coverage held to seventeen levels.
#ifndef _WIN32

#include "render/cairo/cairo_bitmaps.h"
#include "render/cairo/cairo_fonts.h"
#include "render/cairo/glyph_coverage.h"
#include "render/cairo/glyph_run.h"
#include "unit/render/cairo/cairo_test_support.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velk {
namespace {

using VelkRenderGlyphCoverage = testing::CairoSuite;

constexpr std::int32_t kWidth = 120;
constexpr std::int32_t kHeight = 40;

struct Painted {
    cairo::CairoSurfaceHandle page;
    bool painted = false;
};

cairo::CairoSurfaceHandle Page(std::uint32_t background) {
    return cairo::NewPicture(kWidth, kHeight, background);
}

std::vector<std::uint32_t> Pixels(cairo_surface_t* page) {
    cairo_surface_flush(page);
    const cairo::PictureRows rows(page);
    std::vector<std::uint32_t> pixels;
    for (std::int32_t y = 0; y < rows.height(); ++y) {
        for (std::int32_t x = 0; x < rows.width(); ++x) {
            pixels.push_back(rows.row(y)[x] & 0xFFFFFF);
        }
    }
    return pixels;
}

void ClipTo(cairo_t* cr, const DeviceRect* clip) {
    if (clip != nullptr) {
        cairo_rectangle(cr, clip->left, clip->top, static_cast<double>(clip->right) - clip->left,
                        static_cast<double>(clip->bottom) - clip->top);
        cairo_clip(cr);
    }
}

// What Cairo draws: the glyphs' coverage drawn by Cairo, each level held to the nearest of
// seventeen, as the mask of the colour over the page.
cairo::CairoSurfaceHandle DrawnByCairo(cairo_scaled_font_t* font,
                                       const std::vector<cairo_glyph_t>& glyphs, Colour colour,
                                       std::uint32_t background, const DeviceRect* clip) {
    const cairo::CairoSurfaceHandle mask(
        cairo_image_surface_create(CAIRO_FORMAT_A8, kWidth, kHeight));
    {
        const cairo::CairoContext cr(cairo_create(mask.get()));
        ClipTo(cr.get(), clip);
        cairo_set_scaled_font(cr.get(), font);
        cairo_show_glyphs(cr.get(), glyphs.data(), static_cast<int>(glyphs.size()));
    }
    cairo_surface_flush(mask.get());
    unsigned char* data = cairo_image_surface_get_data(mask.get());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            unsigned char& level = data[y * cairo_image_surface_get_stride(mask.get()) + x];
            level = cairo::SeventeenLevels(level);
        }
    }
    cairo_surface_mark_dirty(mask.get());
    cairo::CairoSurfaceHandle page = Page(background);
    const cairo::CairoContext cr(cairo_create(page.get()));
    cairo_set_source_rgb(cr.get(), (colour & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                         ((colour >> 16) & 0xFF) / 255.0);
    cairo_mask_surface(cr.get(), mask.get(), 0, 0);
    return page;
}

struct Case {
    const char* name;
    cairo::GlyphPixels pixels;
    std::int32_t height; // LOGFONT height
    double x;
    double y;
    std::optional<DeviceRect> clip;
    Colour colour;
    std::uint32_t background; // 0x00RRGGBB
    double overlapBy = 0;     // a second copy of the text this far to the right
    std::int32_t escapement = 0;
};

TEST_F(VelkRenderGlyphCoverage, TextLandsAndBlendsAsCairoDrawsIt) {
    const Case cases[] = {
        {"smoothed black on white", cairo::GlyphPixels::GreyByGasp, -20, 3, 25, {}, 0, 0xFFFFFF},
        {"smoothed colour on colour",
         cairo::GlyphPixels::GreyByGasp,
         -22,
         3,
         28,
         {},
         0x2060C0,
         0x30A050},
        {"smoothed, clipped", cairo::GlyphPixels::GreyByGasp, -20, 3, 25,
         DeviceRect{10, 12, 50, 22}, 0x000080, 0xFFFFFF},
        {"a clip given right to left", cairo::GlyphPixels::GreyByGasp, -20, 3, 25,
         DeviceRect{50, 22, 10, 12}, 0, 0xFFFFFF},
        {"halves round up", cairo::GlyphPixels::BlackAndWhite, -13, 3.5, 20.5, {}, 0, 0xFFFFFF},
        {"just under a half rounds down",
         cairo::GlyphPixels::BlackAndWhite,
         -13,
         3.49,
         20.49,
         {},
         0,
         0xFFFFFF},
        {"hanging off the page",
         cairo::GlyphPixels::BlackAndWhite,
         -30,
         -9,
         8,
         {},
         0x0000FF,
         0xFFFFFF},
        {"past the right and bottom edges",
         cairo::GlyphPixels::GreyByGasp,
         -30,
         80,
         45,
         {},
         0,
         0xFFFFFF},
        {"black and white glyphs over each other",
         cairo::GlyphPixels::BlackAndWhite,
         -16,
         3,
         22,
         {},
         0xFF0000,
         0xFFFFFF,
         1},
    };
    cairo::FaceCache faces;
    const cairo::FontOptionsHandle options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogFont description;
        description.height = c.height;
        description.faceName = "Arial";
        description.escapement = c.escapement;
        const cairo::GdiFont font = cairo::MakeGdiFont(description, faces, options.get(), c.pixels);
        cairo_scaled_font_t* drawing =
            c.escapement == 0 ? cairo::DrawingFont(font) : cairo::TurnedFont(font);
        std::vector<cairo_glyph_t> glyphs =
            cairo::LayOutText(cairo::SizingSource(font), "Wage&ly 4").glyphs;
        ASSERT_FALSE(glyphs.empty());
        const std::size_t count = glyphs.size();
        for (std::size_t i = 0; i < count; ++i) {
            // Turned glyphs stand apart, as smoothed coverage that overlaps may add up to a
            // level between the seventeen.
            glyphs[i].x = glyphs[i].x * (c.escapement == 0 ? 1 : 2) + c.x;
            glyphs[i].y += c.y;
            if (c.overlapBy != 0) {
                glyphs.push_back({glyphs[i].index, glyphs[i].x + c.overlapBy, glyphs[i].y});
            }
        }
        const DeviceRect* clip = c.clip ? &*c.clip : nullptr;

        const cairo::CairoSurfaceHandle page = Page(c.background);
        cairo::GlyphPainter painter(page.get());
        ASSERT_TRUE(painter.paint(cairo::SourceOf(drawing), glyphs, c.colour, clip));
        const cairo::CairoSurfaceHandle expected =
            DrawnByCairo(drawing, glyphs, c.colour, c.background, clip);
        const std::vector<std::uint32_t> got = Pixels(page.get());
        EXPECT_EQ(got, Pixels(expected.get()));
        EXPECT_NE(got, Pixels(Page(c.background).get())) << "nothing was painted";
    }
}

// Black text on white has black, white and fifteen greys between them, and no more.
TEST_F(VelkRenderGlyphCoverage, SmoothedTextHasSeventeenLevels) {
    testing::CairoCanvas canvas(400, 60);
    canvas.selectFont(-37);
    canvas.surface().textOut(2, 2, "Quarterly sales, every region @ 45%");
    std::set<Colour> colours;
    for (std::int32_t y = 0; y < 60; ++y) {
        for (const Colour colour : canvas.row(y)) {
            colours.insert(colour);
        }
    }
    EXPECT_GT(colours.size(), 12u);
    EXPECT_LE(colours.size(), 17u);
}

TEST(VelkRenderSeventeenLevels, EachCoverageGoesToTheNearestLevel) {
    // Level k is (255 k + 8) / 16; a coverage goes to the level nearest it.
    const std::pair<int, int> cases[] = {{0, 0},     {7, 0},     {8, 16},    {23, 16},
                                         {24, 32},   {127, 128}, {128, 128}, {135, 128},
                                         {136, 143}, {247, 239}, {248, 255}, {255, 255}};
    for (const auto& [coverage, level] : cases) {
        EXPECT_EQ(cairo::SeventeenLevels(static_cast<std::uint8_t>(coverage)), level) << coverage;
    }
}

// Glyphs drawn some other way are left to Cairo, and nothing is painted.
TEST_F(VelkRenderGlyphCoverage, GlyphsOfOtherOptionsAreLeftToCairo) {
    cairo::FaceCache faces;
    const cairo::FontOptionsHandle options(cairo_font_options_create());
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_SLIGHT);
    LogFont description;
    description.height = -20;
    description.faceName = "Arial";
    const cairo::GdiFont font =
        cairo::MakeGdiFont(description, faces, options.get(), cairo::GlyphPixels::GreyByGasp);
    std::vector<cairo_glyph_t> glyphs = cairo::LayOutText(cairo::SizingSource(font), "Wage").glyphs;
    for (cairo_glyph_t& glyph : glyphs) {
        glyph.y += 25;
    }
    const cairo::CairoSurfaceHandle page = Page(0xFFFFFF);
    cairo::GlyphPainter painter(page.get());
    EXPECT_FALSE(painter.paint(cairo::DrawingSource(font), glyphs, 0, nullptr));
    EXPECT_EQ(Pixels(page.get()), Pixels(Page(0xFFFFFF).get()));
}

} // namespace
} // namespace velk

#endif
