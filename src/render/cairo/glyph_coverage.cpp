#include "render/cairo/glyph_coverage.h"

#include "render/cairo/cairo_bitmaps.h"
#include "render/cairo/cairo_handles.h"
#include "render/cairo/glyph_store.h"
#include "render/cairo/white_rows.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

namespace velk::cairo {

namespace {

// A glyph of more pixels is left to Cairo.
constexpr std::int64_t kLargestGlyph = std::int64_t{1} << 22;

// How Cairo loads the glyphs of `font` for its pixels: unhinted when smoothed, hinted for
// black and white. None for any other way, which is left to Cairo.
std::optional<FT_Int32> LoadFlags(cairo_scaled_font_t* font) {
    const FontOptionsHandle options(cairo_font_options_create());
    cairo_scaled_font_get_font_options(font, options.get());
    const cairo_antialias_t antialias = cairo_font_options_get_antialias(options.get());
    const cairo_hint_style_t hinting = cairo_font_options_get_hint_style(options.get());
    if ((antialias == CAIRO_ANTIALIAS_GRAY || antialias == CAIRO_ANTIALIAS_DEFAULT) &&
        hinting == CAIRO_HINT_STYLE_NONE) {
        return FT_LOAD_DEFAULT | FT_LOAD_NO_HINTING;
    }
    if (antialias == CAIRO_ANTIALIAS_NONE && hinting == CAIRO_HINT_STYLE_FULL) {
        return FT_LOAD_DEFAULT | FT_LOAD_TARGET_MONO;
    }
    return std::nullopt;
}

// The glyph's outline rendered as Cairo renders it.
std::optional<GlyphCoverage> Rasterise(FT_Face face, unsigned long index, FT_Int32 flags) {
    const bool blackAndWhite = (flags & FT_LOAD_TARGET_MONO) == FT_LOAD_TARGET_MONO;
    if (FT_Load_Glyph(face, static_cast<FT_UInt>(index), flags) != 0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return std::nullopt;
    }
    FT_BBox box;
    FT_Outline_Get_CBox(&face->glyph->outline, &box);
    const std::int64_t pixels =
        ((std::int64_t{box.xMax} - box.xMin) >> 6) * ((std::int64_t{box.yMax} - box.yMin) >> 6);
    if (pixels > kLargestGlyph ||
        FT_Render_Glyph(face->glyph, blackAndWhite ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) !=
            0) {
        return std::nullopt;
    }
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    const std::int64_t rowBytes = mono ? (std::int64_t{bitmap.width} + 7) / 8 : bitmap.width;
    // Rows run down from the buffer, each of its pitch.
    if ((!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) || bitmap.pitch < rowBytes) {
        return std::nullopt;
    }
    GlyphCoverage glyph;
    if (bitmap.width == 0 || bitmap.rows == 0) {
        return glyph;
    }
    glyph.left = face->glyph->bitmap_left;
    glyph.top = -face->glyph->bitmap_top;
    glyph.width = static_cast<std::int32_t>(bitmap.width);
    glyph.height = static_cast<std::int32_t>(bitmap.rows);
    glyph.levels.resize(static_cast<std::size_t>(glyph.width) * glyph.height);
    for (std::int32_t y = 0; y < glyph.height; ++y) {
        const std::uint8_t* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::uint8_t* to = glyph.levels.data() + static_cast<std::ptrdiff_t>(y) * glyph.width;
        for (std::int32_t x = 0; x < glyph.width; ++x) {
            to[x] = mono ? (((row[x / 8] >> (7 - x % 8)) & 1) != 0 ? 255 : 0) : row[x];
        }
    }
    return glyph;
}

// pixman's rounded product of two 8-bit fractions of 255.
std::uint32_t Times(std::uint32_t a, std::uint32_t b) {
    const std::uint32_t t = a * b + 0x80;
    return ((t >> 8) + t) >> 8;
}

#ifdef __SSE2__
// Times for each 16-bit lane: the products fit, and so does the rounding added to them.
__m128i Times(__m128i a, __m128i b) {
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(0x80));
    return _mm_srli_epi16(_mm_add_epi16(_mm_srli_epi16(t, 8), t), 8);
}

// Blends `source` through four coverages into four pixels, each channel as Times(source, m) +
// Times(pixel, 255 - m). An uncovered pixel keeps its value and a fully covered one takes the
// source's; the unused top byte of a pixel in between takes a blend of its own.
void BlendFour(const std::uint8_t* coverage, std::uint32_t* pixels, std::uint32_t source) {
    std::uint32_t four = 0;
    std::memcpy(&four, coverage, sizeof four);
    if (four == 0) {
        return;
    }
    const __m128i zero = _mm_setzero_si128();
    // Each pixel's coverage in the four lanes of its channels.
    __m128i m = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), zero);
    m = _mm_unpacklo_epi16(m, m);
    const __m128i mFirst = _mm_unpacklo_epi32(m, m);
    const __m128i mLast = _mm_unpackhi_epi32(m, m);
    const __m128i all = _mm_set1_epi16(255);
    const __m128i colour = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(source)), zero);
    const __m128i page = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i first = _mm_add_epi16(
        Times(colour, mFirst), Times(_mm_unpacklo_epi8(page, zero), _mm_sub_epi16(all, mFirst)));
    const __m128i last = _mm_add_epi16(
        Times(colour, mLast), Times(_mm_unpackhi_epi8(page, zero), _mm_sub_epi16(all, mLast)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), _mm_packus_epi16(first, last));
}
#endif

// Cairo rounds a glyph's position to the nearest pixel, halves up.
std::int64_t WholePixel(double position) {
    constexpr double kFar = 1e15;
    return static_cast<std::int64_t>(std::floor(std::clamp(position, -kFar, kFar) + 0.5));
}

// The coverage of glyph `index` as Cairo renders it in `font`; none when Cairo renders it some
// other way, or it cannot be rendered.
std::optional<GlyphCoverage> RasteriseGlyph(cairo_scaled_font_t* font, unsigned long index) {
    const std::optional<FT_Int32> flags = LoadFlags(font);
    const LockedFace face(font);
    if (!flags || face.get() == nullptr) {
        return std::nullopt;
    }
    return Rasterise(face.get(), index, *flags);
}

} // namespace

std::uint8_t SeventeenLevels(std::uint8_t coverage) {
    const int level = (coverage * 16 + 127) / 255;
    return static_cast<std::uint8_t>((level * 255 + 8) / 16);
}

PixelBox PixelBox::meet(const PixelBox& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
}

PixelBox PixelBox::join(const PixelBox& o) const {
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
}

GlyphPainter::GlyphPainter(cairo_surface_t* page) : page_(page) {}

const GlyphCoverage* GlyphPainter::coverage(const GlyphSource& font, unsigned long index) {
    Strike* strike = font.strike;
    if (strike == nullptr) {
        return nullptr;
    }
    if (const auto it = strike->coverages.find(index); it != strike->coverages.end()) {
        return &it->second;
    }
    cairo_scaled_font_t* scaled = font.font();
    std::optional<GlyphCoverage> made =
        scaled == nullptr ? std::nullopt : RasteriseGlyph(scaled, index);
    if (!made) {
        return nullptr;
    }
    for (std::uint8_t& level : made->levels) {
        level = SeventeenLevels(level);
    }
    strike->grown = true;
    return &strike->coverages.emplace(index, std::move(*made)).first->second;
}

const GlyphPainter::Mix& GlyphPainter::makeMix(std::uint32_t source, std::uint8_t m) {
    std::unique_ptr<Mix>& made = mixes_[m];
    if (!made) {
        made = std::make_unique<Mix>();
        for (std::uint32_t value = 0; value < 256; ++value) {
            made->kept[value] = static_cast<std::uint8_t>(Times(value, 255u - m));
        }
        made->source = ~source;
    }
    if (made->source != source) {
        made->source = source;
        made->added = 0;
        for (const int shift : {0, 8, 16}) {
            made->added |= Times((source >> shift) & 0xFF, m) << shift;
        }
    }
    return *made;
}

bool GlyphPainter::paint(const GlyphSource& font, std::span<const cairo_glyph_t> glyphs,
                         Colour colour, const DeviceRect* clip) {
    // Every glyph is had before any is painted: a text is painted whole, or left to Cairo.
    inked_.clear();
    bool apart = true;
    std::int64_t reached = std::numeric_limits<std::int64_t>::min();
    for (const cairo_glyph_t& glyph : glyphs) {
        const GlyphCoverage* coverage = this->coverage(font, glyph.index);
        if (coverage == nullptr) {
            return false;
        }
        if (coverage->levels.empty()) {
            continue;
        }
        const std::int64_t left = WholePixel(glyph.x) + coverage->left;
        const std::int64_t top = WholePixel(glyph.y) + coverage->top;
        const PixelBox box{left, top, left + coverage->width, top + coverage->height};
        // Boxes that follow one another left to right without meeting cannot overlap.
        apart = apart && box.left >= reached;
        reached = std::max(reached, box.right);
        inked_.push_back({coverage, box});
    }
    const PictureRows rows(page_);
    PixelBox bounds{0, 0, rows.width(), rows.height()};
    if (clip != nullptr) {
        bounds =
            bounds.meet({std::min(clip->left, clip->right), std::min(clip->top, clip->bottom),
                         std::max(clip->left, clip->right), std::max(clip->top, clip->bottom)});
    }
    if (inked_.empty() || bounds.empty() || !rows.valid()) {
        return true;
    }
    cairo_surface_flush(page_);
    const std::uint32_t source =
        ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    PixelBox all = inked_.front().box;
    for (const Placed& glyph : inked_) {
        all = all.join(glyph.box);
    }
    const PixelBox painted = all.meet(bounds);
    if (painted.empty()) {
        return true;
    }
    if (WhiteRows* rows = WhiteRows::Of(page_)) {
        rows->reach(painted.top, painted.bottom);
    }
    if (apart) {
        for (const Placed& glyph : inked_) {
            blendInto(rows, glyph.box.meet(bounds), glyph.box, glyph.coverage->levels.data(),
                      source);
        }
    } else {
        // Overlapping glyphs add their coverage up before it is blended, as Cairo does.
        const std::int64_t width = painted.right - painted.left;
        sum_.assign(static_cast<std::size_t>(width * (painted.bottom - painted.top)), 0);
        for (const Placed& glyph : inked_) {
            const PixelBox part = glyph.box.meet(painted);
            for (std::int64_t y = part.top; y < part.bottom; ++y) {
                const std::uint8_t* from = glyph.coverage->levels.data() +
                                           (y - glyph.box.top) * glyph.coverage->width +
                                           (part.left - glyph.box.left);
                std::uint8_t* to =
                    sum_.data() + (y - painted.top) * width + (part.left - painted.left);
                for (std::int64_t x = 0; x < part.right - part.left; ++x) {
                    to[x] = static_cast<std::uint8_t>(std::min(255, to[x] + from[x]));
                }
            }
        }
        blendInto(rows, painted, painted, sum_.data(), source);
    }
    cairo_surface_mark_dirty_rectangle(page_, static_cast<int>(painted.left),
                                       static_cast<int>(painted.top),
                                       static_cast<int>(painted.right - painted.left),
                                       static_cast<int>(painted.bottom - painted.top));
    return true;
}

void GlyphPainter::blendInto(const PictureRows& rows, const PixelBox& part, const PixelBox& whole,
                             const std::uint8_t* coverage, std::uint32_t source) {
    if (part.empty()) {
        return;
    }
    const std::int64_t stride = whole.right - whole.left;
    const std::int64_t width = part.right - part.left;
    for (std::int64_t y = part.top; y < part.bottom; ++y) {
        const std::uint8_t* m = coverage + (y - whole.top) * stride + (part.left - whole.left);
        const std::uint8_t* const end = m + width;
        std::uint32_t* pixel = rows.row(static_cast<std::int32_t>(y)) + part.left;
#ifdef __SSE2__
        for (; end - m >= 4; m += 4, pixel += 4) {
            BlendFour(m, pixel, source);
        }
#endif
        for (; m != end; ++m, ++pixel) {
            if (*m == 0) {
                continue;
            }
            if (*m == 255) {
                *pixel = source;
                continue;
            }
            // A channel's two parts add up to 255 at most: no channel carries into the next.
            const Mix& blend = mix(source, *m);
            const std::uint32_t p = *pixel;
            *pixel = blend.added + (std::uint32_t{blend.kept[(p >> 16) & 0xFF]} << 16) +
                     (std::uint32_t{blend.kept[(p >> 8) & 0xFF]} << 8) + blend.kept[p & 0xFF];
        }
    }
}

} // namespace velk::cairo
