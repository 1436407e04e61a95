#pragma once

// Level text on a raster page painted from glyph coverage kept with each scaled font: a glyph
// is rendered once, as Cairo renders it, the first time a page shows it, and every showing is
// a blend of that coverage into the page's pixels. Cairo's own path for a text costs far more
// than the blend. Smoothed glyphs are held to the 17 coverage levels of Windows' greyscale
// font smoothing, so that a page of smoothed text keeps the few colours GDI gives it, and its
// PNG file a palette.

#include "render/cairo/cairo_bitmaps.h"
#include "render/surface.h"

#include <cairo.h>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace velk::cairo {

// A glyph's coverage at a whole-pixel origin: the box that holds all of it, placed from the
// origin on the baseline (top negative above it), row by row, 0 (none) to 255 (whole).
struct GlyphCoverage {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> levels;
};

// `coverage` held to 17 levels, 255/16 apart, the nearest of them.
std::uint8_t SeventeenLevels(std::uint8_t coverage);

struct GlyphSource;

// Pixels on a page, left and top in, right and bottom out.
struct PixelBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
    bool empty() const { return left >= right || top >= bottom; }
    PixelBox meet(const PixelBox& o) const;
    PixelBox join(const PixelBox& o) const;
};

// Paints level text into the pixels of a raster page.
class GlyphPainter {
  public:
    explicit GlyphPainter(cairo_surface_t* page);

    // Paints `glyphs` of `font`, at their positions rounded to whole pixels as Cairo places
    // them, with their coverage held to seventeen levels, in `colour` over the page, inside
    // `clip` when there is one. False, with nothing painted, when a glyph cannot be had this
    // way: the text is then Cairo's to draw.
    bool paint(const GlyphSource& font, std::span<const cairo_glyph_t> glyphs, Colour colour,
               const DeviceRect* clip);

  private:
    struct Placed {
        const GlyphCoverage* coverage;
        PixelBox box;
    };
    // A solid colour through one coverage `m` over a pixel, as pixman composites it: what the
    // colour adds, and what each channel value of the pixel keeps. Made when a text first meets
    // the coverage; a text has a few levels of it.
    struct Mix {
        std::uint32_t source = 0;
        std::uint32_t added = 0; // 0x00RRGGBB
        std::uint8_t kept[256] = {};
    };

    const GlyphCoverage* coverage(const GlyphSource& font, unsigned long index);
    const Mix& mix(std::uint32_t source, std::uint8_t m) {
        const Mix* made = mixes_[m].get();
        return made != nullptr && made->source == source ? *made : makeMix(source, m);
    }
    const Mix& makeMix(std::uint32_t source, std::uint8_t m);
    // Blends the `part` of `coverage`, which covers `whole`, into the page.
    void blendInto(const PictureRows& rows, const PixelBox& part, const PixelBox& whole,
                   const std::uint8_t* coverage, std::uint32_t source);

    cairo_surface_t* page_;
    std::vector<Placed> inked_;
    std::vector<std::uint8_t> sum_;
    std::array<std::unique_ptr<Mix>, 256> mixes_;
};

} // namespace velk::cairo
