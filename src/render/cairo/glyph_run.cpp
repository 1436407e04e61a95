#include "render/cairo/glyph_run.h"

#include "render/cairo/cairo_handles.h"
#include "render/cairo/glyph_store.h"
#include "render/cairo/utf8_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

namespace velk::cairo {

namespace {

ByteGlyph LookUp(cairo_scaled_font_t* font, char byte) {
    const std::string utf8 = AnsiToUtf8(std::string_view(&byte, 1));
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    const cairo_status_t status =
        cairo_scaled_font_text_to_glyphs(font, 0, 0, utf8.data(), static_cast<int>(utf8.size()),
                                         &glyphs, &count, nullptr, nullptr, nullptr);
    const GlyphArray owned(glyphs);
    ByteGlyph glyph;
    glyph.known = true;
    if (status != CAIRO_STATUS_SUCCESS || count != 1) {
        return glyph;
    }
    cairo_text_extents_t extents{};
    cairo_scaled_font_glyph_extents(font, glyphs, 1, &extents);
    if (cairo_scaled_font_status(font) != CAIRO_STATUS_SUCCESS) {
        return glyph;
    }
    glyph.usable = true;
    glyph.index = glyphs[0].index;
    glyph.advance = extents.x_advance;
    glyph.utf8Bytes = static_cast<int>(utf8.size());
    return glyph;
}

// Each glyph of the text with the position it starts at, in order; the advance of them all, or
// none when a byte has no glyph to be had.
template <typename Visit>
std::optional<double> WalkGlyphs(const GlyphSource& sizing, std::string_view ansi, Visit visit) {
    // Cairo maps the characters of a short text to glyphs one by one through the font's
    // character map, which took a quarter of a dense page, while a text can only hold 256
    // different bytes: each byte is looked up once per font, and kept.
    Strike* strike = ansi.empty() ? nullptr : sizing.strike;
    if (strike == nullptr) {
        return std::nullopt;
    }
    // The scaled fonts are upright scales: glyphs advance along x alone.
    double x = 0;
    for (const char byte : ansi) {
        ByteGlyph& glyph = strike->bytes[static_cast<unsigned char>(byte)];
        if (!glyph.known) {
            cairo_scaled_font_t* font = sizing.font();
            if (font == nullptr) {
                return std::nullopt;
            }
            glyph = LookUp(font, byte);
            strike->grown = true;
        }
        if (!glyph.usable) {
            return std::nullopt;
        }
        visit(glyph, x);
        x += glyph.advance;
    }
    return x;
}

// Cairo reads a text up to its first NUL; the characters handed on with the glyphs of a PDF
// must be the same ones, or Cairo refuses the text and every drawing after it.
std::string_view UpToNul(std::string_view ansi) {
    return ansi.substr(0, ansi.find('\0'));
}

std::int32_t WholePixels(double advance) {
    return static_cast<std::int32_t>(
        std::lround(std::clamp(advance, 0.0, double{std::numeric_limits<std::int32_t>::max()})));
}

} // namespace

GlyphRun LayOutText(cairo_scaled_font_t* sizing, std::string_view ansi) {
    return sizing == nullptr ? GlyphRun{} : LayOutText(SourceOf(sizing), ansi);
}

GlyphRun LayOutText(const GlyphSource& sizing, std::string_view ansi) {
    ansi = UpToNul(ansi);
    GlyphRun run;
    run.utf8 = AnsiToUtf8(ansi);
    run.glyphs.reserve(ansi.size());
    run.clusters.reserve(ansi.size());
    double last = 0;
    const std::optional<double> advance =
        WalkGlyphs(sizing, ansi, [&run, &last](const ByteGlyph& glyph, double x) {
            run.glyphs.push_back(cairo_glyph_t{glyph.index, x, 0});
            run.clusters.push_back(cairo_text_cluster_t{glyph.utf8Bytes, 1});
            last = glyph.advance;
        });
    if (!advance) {
        run.glyphs.clear();
        run.clusters.clear();
        return run;
    }
    // Each advance is the step to the next glyph's position; the last is the glyph's own.
    run.advances.reserve(run.glyphs.size());
    for (std::size_t i = 0; i + 1 < run.glyphs.size(); ++i) {
        run.advances.push_back(run.glyphs[i + 1].x - run.glyphs[i].x);
    }
    run.advances.push_back(last);
    run.advance = WholePixels(*advance);
    return run;
}

std::int32_t TextAdvance(const GlyphSource& sizing, std::string_view ansi) {
    return WholePixels(WalkGlyphs(sizing, UpToNul(ansi), [](const ByteGlyph&, double) {}).value_or(0));
}

} // namespace velk::cairo
