// A text's glyphs, laid out from the glyphs each byte was found to be, must be the glyphs and
// positions Cairo's own layout gives the same text.
#ifndef _WIN32

#include "render/cairo/cairo_handles.h"
#include "render/cairo/glyph_run.h"
#include "render/cairo/utf8_text.h"
#include "unit/render/cairo/cairo_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace velk {
namespace {

using VelkRenderGlyphRun = testing::CairoSuite;

struct CairoLayout {
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
};

CairoLayout LaidOutByCairo(cairo_scaled_font_t* font, const std::string& ansi) {
    const std::string utf8 = cairo::AnsiToUtf8(ansi);
    cairo_glyph_t* glyphs = nullptr;
    int glyphCount = 0;
    cairo_text_cluster_t* clusters = nullptr;
    int clusterCount = 0;
    cairo_text_cluster_flags_t flags{};
    EXPECT_EQ(cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(),
                                               static_cast<int>(utf8.size()), &glyphs, &glyphCount,
                                               &clusters, &clusterCount, &flags),
              CAIRO_STATUS_SUCCESS);
    const cairo::GlyphArray ownedGlyphs(glyphs);
    const cairo::ClusterArray ownedClusters(clusters);
    return CairoLayout{{glyphs, glyphs + glyphCount}, {clusters, clusters + clusterCount}};
}

TEST_F(VelkRenderGlyphRun, EveryByteIsPlacedAsCairoPlacesTheWholeText) {
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) {
        everyByte.push_back(static_cast<char>(byte));
    }
    // Cairo lays out texts of up to 16 characters differently from longer ones; the second
    // text meets bytes the first one already looked up; Cairo reads a text up to a NUL.
    const std::string texts[] = {"Total 1,234.50", everyByte, "Wo\xe9 \x80 \x81",
                                 std::string("Net\0 12", 7)};
    const std::int32_t escapements[] = {0, 450}; // upright, and along 45 degrees
    cairo::FaceCache faces;
    const cairo::FontOptionsHandle options(cairo_font_options_create());
    for (const std::int32_t escapement : escapements) {
        LogFont description;
        description.height = -13;
        description.escapement = escapement;
        description.faceName = "Arial";
        const cairo::GdiFont font =
            cairo::MakeGdiFont(description, faces, options.get(), cairo::GlyphPixels::GreyByGasp);
        cairo_scaled_font_t* sizing = cairo::LinearFont(font);
        ASSERT_NE(sizing, nullptr);
        for (const std::string& text : texts) {
            SCOPED_TRACE(::testing::Message() << escapement << " " << text.size() << " bytes");
            const cairo::GlyphRun run = cairo::LayOutText(sizing, text);
            const CairoLayout expected = LaidOutByCairo(sizing, text);
            ASSERT_EQ(run.glyphs.size(), expected.glyphs.size());
            ASSERT_EQ(run.clusters.size(), expected.clusters.size());
            ASSERT_EQ(run.advances.size(), expected.glyphs.size());
            for (std::size_t i = 0; i < run.glyphs.size(); ++i) {
                EXPECT_EQ(run.glyphs[i].index, expected.glyphs[i].index) << i;
                EXPECT_EQ(run.glyphs[i].x, expected.glyphs[i].x) << i;
                EXPECT_EQ(run.glyphs[i].y, expected.glyphs[i].y) << i;
                EXPECT_EQ(run.clusters[i].num_bytes, expected.clusters[i].num_bytes) << i;
                EXPECT_EQ(run.clusters[i].num_glyphs, 1) << i;
            }
            EXPECT_EQ(run.utf8, cairo::AnsiToUtf8(text.substr(0, text.find('\0'))));
            cairo_text_extents_t extents{};
            cairo_scaled_font_glyph_extents(sizing, expected.glyphs.data(),
                                            static_cast<int>(expected.glyphs.size()), &extents);
            EXPECT_EQ(run.advance, std::lround(extents.x_advance));
            EXPECT_EQ(cairo::TextAdvance(cairo::SourceOf(sizing), text), run.advance);
            EXPECT_EQ(run.advances.back() + run.glyphs.back().x, extents.x_advance);
        }
    }
}

} // namespace
} // namespace velk

#endif
