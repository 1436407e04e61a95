#include "render/cairo/cairo_drawing.h"
#include "render/cairo/cairo_surface_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velk::cairo {

namespace {

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
    StrokeReaching(cr);
    for (const auto& [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, radius, 0, 2 * 3.14159265358979323846);
        FillReaching(cr);
    }
}

} // namespace

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
        FillReaching(cr);
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
    StrokeReaching(cr);
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
    StrokeReaching(cr);
}

} // namespace velk::cairo
