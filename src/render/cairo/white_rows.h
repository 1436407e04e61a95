#pragma once

// A raster page is white wherever nothing was drawn. Rather than filling the whole page when it
// is made, its rows are made white as drawing first reaches them: a page of a few lines of text
// touches a few of its megabytes, and the rows no drawing reached are read as white without
// ever being written, or even faulted in.

#include <cairo.h>

#include <cstdint>
#include <span>
#include <vector>

namespace velk::cairo {

class WhiteRows {
  public:
    // Gives `page`, whose pixels are not yet white, the rows that track it; false when they
    // cannot be attached, and the page is then to be filled white at once.
    static bool Attach(cairo_surface_t* page);
    // The rows of `surface`; null for any surface that fills itself when made.
    static WhiteRows* Of(cairo_surface_t* surface);

    // Makes the rows from `top` up to `bottom` white where drawing had not reached them. The
    // rows reached are one band: a gap between two reached bands is filled too.
    void reach(std::int64_t top, std::int64_t bottom);
    void reachAll() { reach(0, height_); }
    bool reached(std::int32_t y) const { return y >= top_ && y < bottom_; }
    // A white row of the page's width, for a row never reached.
    std::span<const std::uint32_t> whiteRow() const { return white_; }

  private:
    explicit WhiteRows(cairo_surface_t* page);
    void fill(std::int64_t from, std::int64_t to);

    cairo_surface_t* page_;
    std::int32_t height_;
    std::int32_t top_ = 0;
    std::int32_t bottom_ = 0;
    std::vector<std::uint32_t> white_;
};

// The fill and stroke of the context's current path, and the glyphs shown, with the rows of its
// target they can reach made white first.
void FillReaching(cairo_t* cr);
void StrokeReaching(cairo_t* cr);
void ShowGlyphsReaching(cairo_t* cr, const cairo_glyph_t* glyphs, int count);

} // namespace velk::cairo
