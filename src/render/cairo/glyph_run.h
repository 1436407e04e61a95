#pragma once

#include "render/cairo/glyph_store.h"

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk::cairo {

// A text as glyphs along its baseline, origin at 0, with the advances of `sizing`: GDI's
// whole-pixel advances for a font's own sizing font.
struct GlyphRun {
    std::string utf8;
    std::vector<cairo_glyph_t> glyphs;
    std::vector<cairo_text_cluster_t> clusters;
    std::vector<double> advances; // one per glyph
    std::int32_t advance = 0;     // all of them, rounded
};

// Each byte of `ansi` up to its first NUL is one glyph, placed at the sum of the advances
// before it, as Cairo places a text; a run whose glyphs cannot be had has none.
GlyphRun LayOutText(const GlyphSource& sizing, std::string_view ansi);
GlyphRun LayOutText(cairo_scaled_font_t* sizing, std::string_view ansi);

// The run's `advance` alone, without laying the glyphs out.
std::int32_t TextAdvance(const GlyphSource& sizing, std::string_view ansi);

} // namespace velk::cairo
