#include "render/cairo/cairo_surface.h"
#include "render/cairo/cairo_drawing.h"

#include "render/cairo/utf8_text.h"
#include "render/cairo/cairo_bitmaps.h"
#include "render/cairo/cairo_fonts.h"
#include "render/cairo/cairo_handles.h"
#include "render/cairo/cairo_text.h"

#include <cairo-pdf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>

namespace velk::cairo {

namespace {

constexpr int kPenNull = 5;        // PS_NULL
constexpr int kPenInsideFrame = 6; // PS_INSIDEFRAME
constexpr Colour kWhite = 0xFFFFFF;
constexpr std::int32_t kScreenBitmapDepth = 32;

// DEVMODEA fields ResetDC reads.
constexpr std::size_t kFieldsOffset = 40;
constexpr std::size_t kOrientationOffset = 44;
constexpr std::size_t kPaperSizeOffset = 46;
constexpr std::uint32_t kFieldOrientation = 0x1;
constexpr std::uint32_t kFieldPaperSize = 0x2;
constexpr std::int32_t kLandscape = 2;
// PDF pages are at most 200 inches on a side.
constexpr double kLargestPaperInches = 200;

enum class Target { Raster, Pdf };

struct Pen {
    int style = kPenSolid;
    std::int32_t width = 1;
    Colour colour = 0;
};

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset,
                           std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

// How far a line of `delta` over `steps` steps has moved at step i: to the nearest pixel,
// a tie staying on the side of the line's start.
std::int64_t StepOffset(std::int64_t delta, std::int64_t i, std::int64_t steps) {
    const std::int64_t moved = delta * i;
    std::int64_t offset = moved / steps;
    if (2 * std::llabs(moved % steps) > steps) {
        offset += moved < 0 ? -1 : 1;
    }
    return offset;
}

// The pixels GDI's line algorithm sets from (x0, y0) towards (x1, y1): one per step along
// the longer axis, the end point left out. Only the steps that fall on `page` are taken, so a
// line reaching far off the page costs no more than the page is wide or tall.
void AddCosmeticLine(cairo_t* cr, const PixelArea& page, std::int32_t x0, std::int32_t y0,
                     std::int32_t x1, std::int32_t y1) {
    const std::int64_t dx = std::int64_t{x1} - x0;
    const std::int64_t dy = std::int64_t{y1} - y0;
    if (dy == 0) {
        cairo_rectangle(cr, static_cast<double>(dx > 0 ? x0 : x1 + 1), y0,
                        static_cast<double>(std::llabs(dx)), 1);
        return;
    }
    if (dx == 0) {
        cairo_rectangle(cr, x0, static_cast<double>(dy > 0 ? y0 : y1 + 1), 1,
                        static_cast<double>(std::llabs(dy)));
        return;
    }
    const bool acrossMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    const std::int64_t start = acrossMajor ? x0 : y0;
    const std::int64_t direction = (acrossMajor ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t low = acrossMajor ? page.x : page.y;
    const std::int64_t high = low + (acrossMajor ? page.width : page.height) - 1;
    // Steps whose coordinate along the longer axis lies on the page.
    const std::int64_t toLow = (low - start) * direction;
    const std::int64_t toHigh = (high - start) * direction;
    const std::int64_t first = std::max<std::int64_t>(0, std::min(toLow, toHigh));
    const std::int64_t last = std::min(steps - 1, std::max(toLow, toHigh));
    for (std::int64_t i = first; i <= last; ++i) {
        cairo_rectangle(cr, static_cast<double>(x0 + StepOffset(dx, i, steps)),
                        static_cast<double>(y0 + StepOffset(dy, i, steps)), 1, 1);
    }
}

// Where a pen of this width is centred on the pixel it is placed at: an odd pen on the
// pixel's centre, an even one on its top-left corner, so that it covers width pixels, the
// extra one of an even pen above and to the left.
double PenCentre(std::int32_t width) {
    return width % 2 != 0 ? 0.5 : 0.0;
}

// A wide line on a raster page: the band between the two ends, and at each end the pen's
// round footprint as GDI rasterises it - a disc whose edge pixels are filled only when their
// centres lie a quarter pixel inside the pen's radius, so that a 3-pixel pen is a cross and
// a 4-pixel pen a square without its corners.
void AddWideLine(cairo_t* cr, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                 std::int32_t width) {
    const double centre = PenCentre(width);
    const double ax = x0 + centre;
    const double ay = y0 + centre;
    const double bx = x1 + centre;
    const double by = y1 + centre;
    const double radius = width / 2.0 - 0.25;
    cairo_move_to(cr, ax, ay);
    cairo_line_to(cr, bx, by);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke(cr);
    for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, radius, 0, 2 * 3.14159265358979323846);
        cairo_fill(cr);
    }
}

} // namespace

struct CairoSurface::State {
    Target target = Target::Raster;
    CairoSurfaceHandle surface;
    CairoContext cr;
    std::int32_t dpiX = 96;
    std::int32_t dpiY = 96;
    std::int32_t width = 0;
    std::int32_t height = 0;
    PixelArea page;

    PaperLookup paper;
    std::int32_t paperCode = 1;
    bool landscape = false;
    std::optional<std::pair<double, double>> pendingPagePoints;

    FontOptionsHandle fontOptions{cairo_font_options_create()};
    FaceCache faces;
    std::map<std::uint32_t, Pen> pens;
    std::map<std::uint32_t, Colour> brushes;
    std::map<std::uint32_t, GdiFont> fonts;
    std::map<std::uint32_t, CairoSurfaceHandle> bitmaps;
    std::optional<GdiFont> deviceFont;

    std::uint32_t pen = kDevicePen.id;
    std::uint32_t brush = kDeviceBrush.id;
    std::uint32_t font = kDeviceFont.id;
    Colour textColour = 0;
    int bkMode = kBkOpaque;
    unsigned textAlign = kTextAlignLeftTop;
    std::int32_t currentX = 0;
    std::int32_t currentY = 0;

    cairo_t* context() const { return cr.get(); }

    // The whole page of a raster target, which drawing never leaves; none for a PDF.
    const PixelArea* rasterArea() const { return target == Target::Raster ? &page : nullptr; }

    TextState textState() const {
        return TextState{textAlign, bkMode, textColour, target == Target::Pdf};
    }

    Pen selectedPen() const {
        const auto it = pens.find(pen);
        return it != pens.end() ? it->second : Pen{};
    }

    // A device context starts with the white stock brush.
    Colour selectedBrush() const {
        const auto it = brushes.find(brush);
        return it != brushes.end() ? it->second : kWhite;
    }

    // The device's own font is made only when something is drawn or measured with it.
    const GdiFont* selectedFont() {
        if (const auto it = fonts.find(font); it != fonts.end()) {
            return &it->second;
        }
        if (!deviceFont) {
            LogFont system;
            system.height = 16;
            system.weight = 700;
            deviceFont = MakeGdiFont(system, faces, fontOptions.get(), target == Target::Raster);
        }
        return deviceFont->face != nullptr ? &*deviceFont : nullptr;
    }

    void applyPaper() {
        const PaperInches inches = paper ? paper(paperCode) : PaperInches{};
        if (!(inches.width > 0 && inches.height > 0 && inches.width <= kLargestPaperInches &&
              inches.height <= kLargestPaperInches)) {
            return;
        }
        const double across = landscape ? inches.height : inches.width;
        const double down = landscape ? inches.width : inches.height;
        width = static_cast<std::int32_t>(std::lround(across * dpiX));
        height = static_cast<std::int32_t>(std::lround(down * dpiY));
        pendingPagePoints = std::make_pair(across * 72.0, down * 72.0);
    }
};

CairoSurface::CairoSurface(std::unique_ptr<State> state) : s_(std::move(state)) {}

CairoSurface::~CairoSurface() = default;

std::unique_ptr<CairoSurface> CairoSurface::ForImage(std::int32_t width, std::int32_t height,
                                                     std::int32_t dpiX, std::int32_t dpiY) {
    auto state = std::make_unique<State>();
    state->surface = NewPicture(width, height, kWhite);
    if (!state->surface || dpiX <= 0 || dpiY <= 0) {
        return nullptr;
    }
    state->cr.reset(cairo_create(state->surface.get()));
    state->target = Target::Raster;
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

std::unique_ptr<CairoSurface> CairoSurface::ForPdf(const std::string& path, std::int32_t dpi,
                                                   PaperLookup paper) {
    if (dpi <= 0) {
        return nullptr;
    }
    auto state = std::make_unique<State>();
    const PaperInches letter;
    state->surface.reset(
        cairo_pdf_surface_create(path.c_str(), letter.width * 72.0, letter.height * 72.0));
    state->cr.reset(cairo_create(state->surface.get()));
    state->target = Target::Pdf;
    state->dpiX = dpi;
    state->dpiY = dpi;
    state->width = static_cast<std::int32_t>(std::lround(letter.width * dpi));
    state->height = static_cast<std::int32_t>(std::lround(letter.height * dpi));
    state->paper = std::move(paper);
    cairo_scale(state->context(), 72.0 / dpi, 72.0 / dpi);
    // Outlines as designed; advances still in whole device pixels, as a printer measures.
    cairo_font_options_set_hint_style(state->fontOptions.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(state->fontOptions.get(), CAIRO_HINT_METRICS_ON);
    return std::unique_ptr<CairoSurface>(new CairoSurface(std::move(state)));
}

bool CairoSurface::ok() const {
    return cairo_surface_status(s_->surface.get()) == CAIRO_STATUS_SUCCESS &&
           cairo_status(s_->context()) == CAIRO_STATUS_SUCCESS;
}

namespace {

// A page's rows as RGB bytes, white off the page. A row whose pixels repeat those of the row
// converted just before into the same buffer is left as it is: most of a page is blank rows.
class PageRows {
  public:
    // `stretched` is shared by the reader when the page was stretched; the page itself it
    // only borrows.
    PageRows(std::shared_ptr<cairo_surface_t> stretched, cairo_surface_t* source, PixelRect area)
        : stretched_(std::move(stretched)), source_(source), area_(area) {}

    void operator()(std::int32_t y, std::span<std::uint8_t> rgb) {
        const std::int32_t sourceRow = area_.y + y;
        if (sourceRow < 0 || sourceRow >= cairo_image_surface_get_height(source_)) {
            std::fill(rgb.begin(), rgb.end(), std::uint8_t{0xFF});
            return;
        }
        // The row's pixels that lie on the page, counted from the row's start.
        const auto across = static_cast<std::int64_t>(rgb.size() / 3);
        const std::int64_t first = std::clamp<std::int64_t>(-std::int64_t{area_.x}, 0, across);
        const std::int64_t last = std::clamp<std::int64_t>(
            std::int64_t{cairo_image_surface_get_width(source_)} - area_.x, first, across);
        // Only pixels off the page are filled white: the rest are each written once.
        std::fill(rgb.begin(), rgb.begin() + first * 3, std::uint8_t{0xFF});
        std::fill(rgb.begin() + last * 3, rgb.end(), std::uint8_t{0xFF});
        const std::span pixels = onPage(sourceRow, first, last);
        const bool repeats = converted_ >= 0 && converted_ == y - 1 && sourceRow > 0 &&
                             std::ranges::equal(pixels, onPage(sourceRow - 1, first, last));
        converted_ = y;
        if (repeats) {
            return;
        }
        std::uint8_t* out = rgb.data() + first * 3;
        for (const std::uint32_t pixel : pixels) {
            out[0] = static_cast<std::uint8_t>(pixel >> 16);
            out[1] = static_cast<std::uint8_t>(pixel >> 8);
            out[2] = static_cast<std::uint8_t>(pixel);
            out += 3;
        }
    }

  private:
    std::span<const std::uint32_t> onPage(std::int32_t sourceRow, std::int64_t first,
                                          std::int64_t last) const {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            cairo_image_surface_get_data(source_) +
            static_cast<std::ptrdiff_t>(sourceRow) * cairo_image_surface_get_stride(source_));
        return {row + (area_.x + first), row + (area_.x + last)};
    }

    std::shared_ptr<cairo_surface_t> stretched_;
    cairo_surface_t* source_;
    PixelRect area_;
    std::int32_t converted_ = -1; // the row last converted into the caller's buffer
};

} // namespace

CairoSurface::RgbRowReader CairoSurface::rgbRows(const PixelRect& from, std::int32_t width,
                                                 std::int32_t height) const {
    if (s_->target != Target::Raster || width <= 0 || height <= 0) {
        return nullptr;
    }
    std::shared_ptr<cairo_surface_t> stretched;
    cairo_surface_t* source = s_->surface.get();
    PixelRect area = from;
    if (from.width != width || from.height != height) {
        stretched = StretchPixels(source, PixelArea{from.x, from.y, from.width, from.height}, width,
                                  height, PixelArea{0, 0, width, height});
        if (!stretched) {
            return nullptr;
        }
        source = stretched.get();
        area = PixelRect{0, 0, width, height};
    }
    cairo_surface_flush(source);
    return PageRows(std::move(stretched), source, area);
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
    GdiFont made =
        MakeGdiFont(font, s_->faces, s_->fontOptions.get(), s_->target == Target::Raster);
    if (made.face == nullptr) {
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
    size.cx = LayOutText(font->sizing.get(), text).advance;
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

void CairoSurface::moveTo(std::int32_t x, std::int32_t y) {
    s_->currentX = x;
    s_->currentY = y;
}

void CairoSurface::lineTo(std::int32_t x, std::int32_t y) {
    const Pen pen = s_->selectedPen();
    const std::int32_t fromX = s_->currentX;
    const std::int32_t fromY = s_->currentY;
    s_->currentX = x;
    s_->currentY = y;
    if (pen.style == kPenNull || (fromX == x && fromY == y)) {
        return;
    }
    cairo_t* cr = s_->context();
    const SavedState saved(cr);
    SetColour(cr, pen.colour);
    if (pen.width <= 1 && s_->target == Target::Raster) {
        AddCosmeticLine(cr, s_->page, fromX, fromY, x, y);
        cairo_fill(cr);
        return;
    }
    if (pen.width <= 1) {
        // Moved back half a step along the longer axis, so that the stroke covers the start
        // pixel whole and stops where the end pixel begins.
        const double dx = static_cast<double>(x) - fromX;
        const double dy = static_cast<double>(y) - fromY;
        const double major = std::max(std::fabs(dx), std::fabs(dy));
        const double backX = 0.5 * dx / major;
        const double backY = 0.5 * dy / major;
        cairo_move_to(cr, fromX + 0.5 - backX, fromY + 0.5 - backY);
        cairo_line_to(cr, x + 0.5 - backX, y + 0.5 - backY);
        cairo_set_line_width(cr, 1);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    } else if (s_->target == Target::Raster) {
        AddWideLine(cr, fromX, fromY, x, y, pen.width);
        return;
    } else {
        // A wide pen is a geometric pen with round ends, end point included.
        const double centre = PenCentre(pen.width);
        cairo_move_to(cr, fromX + centre, fromY + centre);
        cairo_line_to(cr, x + centre, y + centre);
        cairo_set_line_width(cr, pen.width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    }
    cairo_stroke(cr);
}

void CairoSurface::rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (left == right || top == bottom) {
        return;
    }
    cairo_t* cr = s_->context();
    const SavedState saved(cr);
    const double l = left;
    const double t = top;
    const double w = static_cast<double>(right) - left;
    const double h = static_cast<double>(bottom) - top;
    // The brush fills up to the outline, whose right and bottom edges lie one pixel in.
    SetColour(cr, s_->selectedBrush());
    FillRect(cr, l, t, w - 1, h - 1);

    const Pen pen = s_->selectedPen();
    if (pen.style == kPenNull) {
        return;
    }
    SetColour(cr, pen.colour);
    if (pen.width <= 1) {
        FillRect(cr, l, t, w, 1);
        FillRect(cr, l, t + h - 1, w, 1);
        FillRect(cr, l, t, 1, h);
        FillRect(cr, l + w - 1, t, 1, h);
        return;
    }
    if (pen.style == kPenInsideFrame) {
        // The whole pen inside the rectangle.
        const double half = pen.width / 2.0;
        cairo_rectangle(cr, l + half, t + half, std::max(w - pen.width, 0.0),
                        std::max(h - pen.width, 0.0));
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    } else {
        // Centred on the outline through the centres of the edge pixels, with round joins.
        cairo_rectangle(cr, l + 0.5, t + 0.5, w - 1, h - 1);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    }
    cairo_set_line_width(cr, pen.width);
    cairo_stroke(cr);
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

bool CairoSurface::resetDC(std::span<const std::uint8_t> devmode) {
    if (s_->target != Target::Pdf || devmode.size() < kPaperSizeOffset + 2) {
        return false;
    }
    const std::uint32_t fields = LittleEndian(devmode, kFieldsOffset, 4);
    if ((fields & kFieldOrientation) != 0) {
        s_->landscape =
            static_cast<std::int16_t>(LittleEndian(devmode, kOrientationOffset, 2)) == kLandscape;
    }
    if ((fields & kFieldPaperSize) != 0) {
        s_->paperCode = static_cast<std::int16_t>(LittleEndian(devmode, kPaperSizeOffset, 2));
    }
    s_->applyPaper();
    return true;
}

int CairoSurface::startDoc(const std::string& documentName) {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    cairo_pdf_surface_set_metadata(s_->surface.get(), CAIRO_PDF_METADATA_TITLE,
                                   AnsiToUtf8(documentName).c_str());
    return 1;
}

// A new paper size can only start a page, so ResetDC's takes effect here.
int CairoSurface::startPage() {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    if (s_->pendingPagePoints) {
        cairo_pdf_surface_set_size(s_->surface.get(), s_->pendingPagePoints->first,
                                   s_->pendingPagePoints->second);
        s_->pendingPagePoints.reset();
    }
    return ok() ? 1 : -1;
}

int CairoSurface::endPage() {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    cairo_show_page(s_->context());
    return ok() ? 1 : -1;
}

int CairoSurface::endDoc() {
    if (s_->target != Target::Pdf) {
        return 0;
    }
    cairo_surface_finish(s_->surface.get());
    return ok() ? 1 : -1;
}

void ReleaseFontCaches() {
    cairo_debug_reset_static_data();
    ReleaseFontConfiguration();
}

} // namespace velk::cairo
