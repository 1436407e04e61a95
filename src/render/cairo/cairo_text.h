#pragma once

// Text on the Cairo surface, placed and stepped as GDI places it.

#include "render/cairo/cairo_fonts.h"
#include "render/cairo/glyph_coverage.h"
#include "render/surface.h"

#include <cstdint>
#include <string_view>

namespace velk::cairo {

// What ExtTextOut adds to TextOut.
struct TextPlacement {
    const DeviceRect* opaque = nullptr; // ETO_OPAQUE: filled with the background first
    const DeviceRect* clip = nullptr;   // ETO_CLIPPED
};

// The state of the device context a text is drawn with.
struct TextState {
    unsigned align = kTextAlignLeftTop;
    int bkMode = kBkOpaque;
    Colour colour = 0;
    bool pdf = false; // the text goes into the document along with its glyphs
    // Paints level text straight into a raster page's pixels; null on a PDF.
    GlyphPainter* painter = nullptr;
};

// Draws `text` with its reference point at (x, y): the top-left of its cell unless the
// alignment says otherwise, along the font's escapement. A run of an unrotated font steps by
// the font's whole-pixel advances; a rotated one by each glyph's advance along the angle,
// rounded to whole pixels across and down. A null font draws nothing (the rectangle of an
// opaque ExtTextOut is still filled).
void DrawText(cairo_t* cr, const GdiFont* font, std::int32_t x, std::int32_t y,
              std::string_view text, const TextState& state, const TextPlacement& placement);

} // namespace velk::cairo
