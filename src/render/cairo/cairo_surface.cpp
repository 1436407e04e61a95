#include "render/cairo/cairo_surface.h"
#include "render/cairo/bmp_file.h"
#include "render/cairo/cairo_drawing.h"
#include "render/cairo/glyph_run.h"
#include "render/cairo/cairo_surface_state.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace velk::cairo {

namespace {
constexpr std::int32_t kScreenBitmapDepth = 32;
} // namespace

CairoSurface::CairoSurface(std::unique_ptr<State> state) : s_(std::move(state)) {}

CairoSurface::~CairoSurface() = default;

std::unique_ptr<CairoSurface> CairoSurface::ForImage(std::int32_t width, std::int32_t height,
                                                     std::int32_t dpiX, std::int32_t dpiY,
                                                     bool smoothText) {
    auto state = std::make_unique<State>();
    state->surface = NewPage(width, height);
    if (!state->surface || dpiX <= 0 || dpiY <= 0) {
        return nullptr;
    }
    state->cr.reset(cairo_create(state->surface.get()));
    state->painter.emplace(state->surface.get());
    state->target = Target::Raster;
    state->smoothText = smoothText;
    state->dpiX = dpiX;
    state->dpiY = dpiY;
    state->width = width;
    state->height = height;
    state->page = PixelArea{0, 0, width, height};
    // A screen draws shapes pixel by pixel and smooths only its text. Glyphs are placed on
    // whole-pixel advances of the unhinted outlines, which are the advances GDI measures
    // (the same to the pixel under Wine); fitting the smoothed outlines to the grid as well
    // changes little and costs a bytecode run per glyph.
    cairo_set_antialias(state->context(), CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_antialias(state->fontOptions.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(state->fontOptions.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(state->fontOptions.get(), CAIRO_HINT_METRICS_ON);
    return std::unique_ptr<CairoSurface>(new CairoSurface(std::move(state)));
}

bool CairoSurface::ok() const {
    return cairo_surface_status(s_->surface.get()) == CAIRO_STATUS_SUCCESS &&
           cairo_status(s_->context()) == CAIRO_STATUS_SUCCESS;
}

bool CairoSurface::createPen(std::uint32_t id, int style, int width, Colour colour) {
    s_->pens[id] = Pen{style, std::max(width, 1), colour};
    return true;
}

bool CairoSurface::createSolidBrush(std::uint32_t id, Colour colour) {
    s_->brushes[id] = colour & kWhite;
    return true;
}

bool CairoSurface::createFont(std::uint32_t id, const LogFont& font) {
    GdiFont made = MakeGdiFont(font, s_->faces, s_->fontOptions.get(), s_->glyphPixels());
    if (made.matched == nullptr) {
        return false;
    }
    s_->fonts.insert_or_assign(id, std::move(made));
    return true;
}

bool CairoSurface::loadBitmapFile(std::uint32_t id, const std::string& path) {
    CairoSurfaceHandle picture = LoadBmpFile(path);
    if (!picture) {
        return false;
    }
    s_->bitmaps.insert_or_assign(id, std::move(picture));
    return true;
}

void CairoSurface::selectObject(ObjectKind kind, std::uint32_t id) {
    switch (kind) {
    case ObjectKind::Pen:
        s_->pen = id;
        break;
    case ObjectKind::Brush:
        s_->brush = id;
        break;
    case ObjectKind::Font:
        s_->font = id;
        break;
    case ObjectKind::Bitmap:
        break;
    }
}

void CairoSurface::deleteObject(ObjectKind kind, std::uint32_t id) {
    switch (kind) {
    case ObjectKind::Pen:
        s_->pens.erase(id);
        break;
    case ObjectKind::Brush:
        s_->brushes.erase(id);
        break;
    case ObjectKind::Font:
        s_->fonts.erase(id);
        break;
    case ObjectKind::Bitmap:
        s_->bitmaps.erase(id);
        break;
    }
}

// A bitmap loaded from a file is one compatible with a true-colour screen, as LoadImage
// makes it, whatever depth the file had.
BitmapInfo CairoSurface::bitmapInfo(std::uint32_t bitmap) {
    const auto it = s_->bitmaps.find(bitmap);
    if (it == s_->bitmaps.end()) {
        return {};
    }
    return BitmapInfo{cairo_image_surface_get_width(it->second.get()),
                      cairo_image_surface_get_height(it->second.get()), kScreenBitmapDepth};
}

void CairoSurface::setTextColour(Colour colour) {
    s_->textColour = colour & kWhite;
}

void CairoSurface::setBkMode(int mode) {
    if (mode == kBkOpaque || mode == kBkTransparent) {
        s_->bkMode = mode;
    }
}

void CairoSurface::setTextAlign(unsigned align) {
    s_->textAlign = align;
}

int CairoSurface::deviceCaps(DeviceCap index) {
    const bool printer = s_->target == Target::Pdf;
    switch (index) {
    case DeviceCap::LogPixelsX:
        return s_->dpiX;
    case DeviceCap::LogPixelsY:
        return s_->dpiY;
    case DeviceCap::HorzRes:
        return s_->width;
    case DeviceCap::VertRes:
        return s_->height;
    case DeviceCap::PhysicalWidth:
        return printer ? s_->width : 0;
    case DeviceCap::PhysicalHeight:
        return printer ? s_->height : 0;
    case DeviceCap::PhysicalOffsetX:
    case DeviceCap::PhysicalOffsetY:
        return 0;
    }
    return 0;
}

void CairoSurface::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    DrawText(s_->context(), s_->selectedFont(), x, y, text, s_->textState(), {});
}

void CairoSurface::extTextOut(std::int32_t x, std::int32_t y, unsigned options,
                              const DeviceRect* clip, std::string_view text) {
    TextPlacement placement;
    if (clip != nullptr && (options & kTextOpaque) != 0) {
        placement.opaque = clip;
    }
    if (clip != nullptr && (options & kTextClipped) != 0) {
        placement.clip = clip;
    }
    DrawText(s_->context(), s_->selectedFont(), x, y, text, s_->textState(), placement);
}

bool CairoSurface::textExtent(std::string_view text, TextSize& size) {
    const GdiFont* font = s_->selectedFont();
    if (font == nullptr) {
        return false;
    }
    size.cx = TextAdvance(SizingSource(*font), text);
    size.cy = font->metrics.height;
    return true;
}

bool CairoSurface::textMetrics(TextMetrics& metrics) {
    const GdiFont* font = s_->selectedFont();
    if (font == nullptr) {
        return false;
    }
    metrics = font->metrics;
    return true;
}

namespace {

// The source rectangle of `picture` drawn into the destination rectangle; a negative
// destination width or height mirrors the picture. A raster page stretches the pixels itself,
// as GDI does, and only those that land on the page.
void DrawPicture(cairo_t* cr, const PixelArea* page, cairo_surface_t* picture, std::int32_t x,
                 std::int32_t y, std::int32_t w, std::int32_t h, const PixelArea& from) {
    if (w == 0 || h == 0 || from.width <= 0 || from.height <= 0) {
        return;
    }
    const std::int64_t width = std::llabs(std::int64_t{w});
    const std::int64_t height = std::llabs(std::int64_t{h});
    const SavedState saved(cr);
    if (page != nullptr) {
        // Mirrored, pixel 0 of the picture still lands on pixel (x, y).
        cairo_translate(cr, w < 0 ? x + 1 : x, h < 0 ? y + 1 : y);
        cairo_scale(cr, w < 0 ? -1 : 1, h < 0 ? -1 : 1);
        // The destination pixels that show, in the stretched picture's own pixels.
        const std::int64_t left = w < 0 ? std::int64_t{x} - width + 1 : x;
        const std::int64_t top = h < 0 ? std::int64_t{y} - height + 1 : y;
        const std::int64_t visibleLeft = std::max<std::int64_t>(left, page->x);
        const std::int64_t visibleTop = std::max<std::int64_t>(top, page->y);
        const std::int64_t visibleRight =
            std::min(left + width, std::int64_t{page->x} + page->width);
        const std::int64_t visibleBottom =
            std::min(top + height, std::int64_t{page->y} + page->height);
        if (visibleRight <= visibleLeft || visibleBottom <= visibleTop ||
            width > std::numeric_limits<std::int32_t>::max() ||
            height > std::numeric_limits<std::int32_t>::max()) {
            return;
        }
        // A mirrored picture shows from its far side.
        const std::int64_t windowX = w < 0 ? left + width - visibleRight : visibleLeft - left;
        const std::int64_t windowY = h < 0 ? top + height - visibleBottom : visibleTop - top;
        const PixelArea window{static_cast<std::int32_t>(windowX),
                               static_cast<std::int32_t>(windowY),
                               static_cast<std::int32_t>(visibleRight - visibleLeft),
                               static_cast<std::int32_t>(visibleBottom - visibleTop)};
        const CairoSurfaceHandle stretched =
            StretchPixels(picture, from, static_cast<std::int32_t>(width),
                          static_cast<std::int32_t>(height), window);
        if (!stretched) {
            return;
        }
        cairo_set_source_surface(cr, stretched.get(), window.x, window.y);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        FillRect(cr, window.x, window.y, window.width, window.height);
        return;
    }
    cairo_translate(cr, x, y);
    cairo_scale(cr, static_cast<double>(w) / from.width, static_cast<double>(h) / from.height);
    cairo_set_source_surface(cr, picture, -from.x, -from.y);
    FillRect(cr, 0, 0, from.width, from.height);
}

} // namespace

void CairoSurface::stretchBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                              std::uint32_t bitmap, std::int32_t srcX, std::int32_t srcY,
                              std::int32_t srcW, std::int32_t srcH, std::uint32_t) {
    const auto it = s_->bitmaps.find(bitmap);
    if (it != s_->bitmaps.end()) {
        DrawPicture(s_->context(), s_->rasterArea(), it->second.get(), x, y, w, h,
                    PixelArea{srcX, srcY, srcW, srcH});
    }
}

int CairoSurface::getDIBits(std::uint32_t bitmap, std::uint32_t firstLine, std::uint32_t lines,
                            std::span<std::uint8_t> bits, DibInfo& info, unsigned) {
    const auto it = s_->bitmaps.find(bitmap);
    return it != s_->bitmaps.end() ? ReadDib(it->second.get(), firstLine, lines, bits, info) : 0;
}

void CairoSurface::stretchDIBits(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                                 std::int32_t srcX, std::int32_t srcY, std::int32_t srcW,
                                 std::int32_t srcH, std::span<const std::uint8_t> bits,
                                 const DibInfo& info, unsigned, std::uint32_t) {
    const CairoSurfaceHandle picture = DecodeDib(bits, info);
    if (!picture) {
        return;
    }
    // The source rectangle of a bottom-up DIB is counted from its last row.
    const std::int32_t rows = cairo_image_surface_get_height(picture.get());
    const std::int32_t top = info.height > 0 ? rows - srcY - srcH : srcY;
    DrawPicture(s_->context(), s_->rasterArea(), picture.get(), x, y, w, h,
                PixelArea{srcX, top, srcW, srcH});
}

void ReleaseFontCaches() {
    cairo_debug_reset_static_data();
    ReleaseFontConfiguration();
}

} // namespace velk::cairo
