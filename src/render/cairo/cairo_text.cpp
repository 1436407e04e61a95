#include "render/cairo/cairo_text.h"
#include "render/cairo/cairo_drawing.h"
#include "render/cairo/glyph_run.h"

#include <cmath>
#include <optional>
#include <vector>

namespace velk::cairo {

namespace {

constexpr Colour kBackground = 0xFFFFFF; // the device's background colour, never changed
constexpr unsigned kAlignHorizontal = 6; // TA_LEFT 0, TA_RIGHT 2, TA_CENTER 6
constexpr unsigned kAlignVertical = 24;  // TA_TOP 0, TA_BOTTOM 8, TA_BASELINE 24
constexpr unsigned kAlignBottom = 8;
constexpr unsigned kAlignBaseline = 24;

std::int32_t BaselineBelowReference(const TextMetrics& tm, unsigned align) {
    if ((align & kAlignVertical) == kAlignBaseline) {
        return 0;
    }
    if ((align & kAlignVertical) == kAlignBottom) {
        return -tm.descent;
    }
    return tm.ascent;
}

// How far the reference point lies along the run from its start, for an advance of `whole`.
double AlongRun(double whole, unsigned align) {
    if ((align & kAlignHorizontal) == kTextAlignCenter) {
        return std::trunc(whole / 2);
    }
    if ((align & kAlignHorizontal) == kTextAlignRight) {
        return whole;
    }
    return 0;
}

void ShowGlyphs(cairo_t* cr, const GlyphRun& run, const std::vector<cairo_glyph_t>& glyphs,
                bool pdf) {
    const int count = static_cast<int>(glyphs.size());
    if (pdf && !run.clusters.empty()) {
        // The text goes along, so that the PDF can be searched and copied from.
        cairo_show_text_glyphs(cr, run.utf8.data(), static_cast<int>(run.utf8.size()),
                               glyphs.data(), count, run.clusters.data(),
                               static_cast<int>(run.clusters.size()), cairo_text_cluster_flags_t{});
    } else {
        ShowGlyphsReaching(cr, glyphs.data(), count);
    }
}

// The cell's background and the underline and strikeout bands of a run that starts at `x` on
// the baseline `y`, in the frame of the run: x along it.
void DrawBands(cairo_t* cr, const GdiFont& font, double x, double y, double length, bool opaqueCell,
               Colour colour) {
    if (opaqueCell) {
        SetColour(cr, kBackground);
        FillRect(cr, x, y - font.metrics.ascent, length, font.metrics.height);
    }
    SetColour(cr, colour);
    if (font.underline) {
        FillRect(cr, x, y + font.underlineBand.top, length, font.underlineBand.thickness);
    }
    if (font.strikeOut) {
        FillRect(cr, x, y + font.strikeoutBand.top, length, font.strikeoutBand.thickness);
    }
}

// Placed by its glyphs' positions, level text leaves the context's matrix alone: the font
// Cairo resolves for the matrix then stays current from one text to the next, where a moved
// matrix would have it looked up again, hash and all, for every text on the page.
void DrawLevel(cairo_t* cr, const GdiFont& font, std::int32_t x, std::int32_t y,
               std::string_view text, const TextState& state, const DeviceRect* clip,
               bool opaqueCell) {
    GlyphRun run = LayOutText(SizingSource(font), text);
    const double start = x - AlongRun(run.advance, state.align);
    const double baseline = y + BaselineBelowReference(font.metrics, state.align);
    // The background goes under the glyphs, the bands over them.
    if (opaqueCell) {
        DrawBands(cr, font, start, baseline, run.advance, true, state.colour);
    }
    SetColour(cr, state.colour);
    if (!run.glyphs.empty()) {
        for (cairo_glyph_t& glyph : run.glyphs) {
            glyph.x += start;
            glyph.y += baseline;
        }
        if (state.painter == nullptr ||
            !state.painter->paint(DrawingSource(font), run.glyphs, state.colour, clip)) {
            cairo_set_scaled_font(cr, DrawingFont(font));
            ShowGlyphs(cr, run, run.glyphs, state.pdf);
        }
    }
    DrawBands(cr, font, start, baseline, run.advance, false, state.colour);
}

// GDI steps along an escapement glyph by glyph, each advance turned to the angle and rounded
// to whole pixels across and down, from unhinted advances.
void DrawRotated(cairo_t* cr, const GdiFont& font, std::string_view text, const TextState& state,
                 const DeviceRect* clip, bool opaqueCell) {
    const GlyphRun run = LayOutText(LinearSource(font), text);
    const double c = std::cos(font.escapement);
    const double s = std::sin(font.escapement);
    std::vector<cairo_glyph_t> placed = run.glyphs;
    double across = 0;
    double down = 0;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        placed[i].x = across;
        placed[i].y = down;
        across += std::round(run.advances[i] * c);
        down += std::round(-run.advances[i] * s);
    }
    // The baseline lies below the reference point in the rotated frame; the reference point
    // is found along the run.
    const double below = BaselineBelowReference(font.metrics, state.align);
    const double startX = std::round(below * s) - AlongRun(across, state.align);
    const double startY = std::round(below * c) - AlongRun(down, state.align);
    cairo_translate(cr, startX, startY);
    const double length = std::hypot(across, down);
    if (opaqueCell) {
        const SavedState turned(cr);
        cairo_rotate(cr, -font.escapement);
        DrawBands(cr, font, 0, 0, length, true, state.colour);
    }
    SetColour(cr, state.colour);
    if (!placed.empty()) {
        // The context only moves the run's origin: glyphs lie at whole pixels on the page.
        std::vector<cairo_glyph_t> onPage = placed;
        for (cairo_glyph_t& glyph : onPage) {
            cairo_user_to_device(cr, &glyph.x, &glyph.y);
        }
        if (state.painter == nullptr ||
            !state.painter->paint(TurnedSource(font), onPage, state.colour, clip)) {
            cairo_matrix_t matrix;
            cairo_matrix_init_rotate(&matrix, -font.escapement);
            cairo_matrix_scale(&matrix, font.ppem, font.ppem);
            cairo_set_font_face(cr, FaceOf(font));
            cairo_set_font_matrix(cr, &matrix);
            cairo_set_font_options(cr, DrawingOptions(font));
            ShowGlyphs(cr, run, placed, state.pdf);
        }
    }
    cairo_rotate(cr, -font.escapement);
    DrawBands(cr, font, 0, 0, length, false, state.colour);
}

} // namespace

void DrawText(cairo_t* cr, const GdiFont* font, std::int32_t x, std::int32_t y,
              std::string_view text, const TextState& state, const TextPlacement& placement) {
    if (const DeviceRect* r = placement.opaque) {
        SetColour(cr, kBackground);
        FillRect(cr, r->left, r->top, static_cast<double>(r->right) - r->left,
                 static_cast<double>(r->bottom) - r->top);
    }
    if (font == nullptr || text.empty()) {
        return;
    }
    // The clip and the turned frame of rotated text last for this text only.
    std::optional<SavedState> saved;
    if (placement.clip != nullptr || font->escapement != 0) {
        saved.emplace(cr);
    }
    if (const DeviceRect* r = placement.clip) {
        cairo_rectangle(cr, r->left, r->top, static_cast<double>(r->right) - r->left,
                        static_cast<double>(r->bottom) - r->top);
        cairo_clip(cr);
    }
    // An opaque background fills the text's cell, unless ExtTextOut filled its rectangle.
    const bool opaqueCell = state.bkMode == kBkOpaque && placement.opaque == nullptr;
    if (font->escapement != 0) {
        cairo_translate(cr, x, y);
        DrawRotated(cr, *font, text, state, placement.clip, opaqueCell);
    } else {
        DrawLevel(cr, *font, x, y, text, state, placement.clip, opaqueCell);
    }
}

} // namespace velk::cairo
