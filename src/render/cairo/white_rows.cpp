#include "render/cairo/white_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>

namespace velk::cairo {

namespace {

const cairo_user_data_key_t kWhiteRowsKey{};

using Extents = void (*)(cairo_t*, double*, double*, double*, double*);

// Makes white the device rows that the current path's fill or stroke, as `extents` bounds it in
// user space, can reach, with a row to spare on each side for a pixel whose centre an edge
// only brushes.
void ReachExtents(cairo_t* cr, Extents extents) {
    WhiteRows* rows = WhiteRows::Of(cairo_get_target(cr));
    if (rows == nullptr) {
        return;
    }
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    extents(cr, &x1, &y1, &x2, &y2);
    double top = std::numeric_limits<double>::infinity();
    double bottom = -top;
    const std::array<std::pair<double, double>, 4> corners{
        {{x1, y1}, {x2, y1}, {x1, y2}, {x2, y2}}};
    for (auto [x, y] : corners) {
        cairo_user_to_device(cr, &x, &y);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    if (!std::isfinite(top) || !std::isfinite(bottom)) {
        rows->reachAll();
        return;
    }
    constexpr double kFar = 1e12;
    rows->reach(static_cast<std::int64_t>(std::floor(std::max(top, -kFar))) - 1,
                static_cast<std::int64_t>(std::ceil(std::min(bottom, kFar))) + 1);
}

} // namespace

WhiteRows::WhiteRows(cairo_surface_t* page)
    : page_(page), height_(cairo_image_surface_get_height(page)),
      white_(static_cast<std::size_t>(cairo_image_surface_get_width(page)), 0xFFFFFFFF) {}

bool WhiteRows::Attach(cairo_surface_t* page) {
    if (cairo_surface_get_type(page) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(page) != CAIRO_FORMAT_RGB24) {
        return false;
    }
    auto rows = std::unique_ptr<WhiteRows>(new WhiteRows(page));
    const auto release = [](void* owned) {
        std::unique_ptr<WhiteRows>(static_cast<WhiteRows*>(owned));
    };
    if (cairo_surface_set_user_data(page, &kWhiteRowsKey, rows.get(), release) !=
        CAIRO_STATUS_SUCCESS) {
        return false;
    }
    static_cast<void>(rows.release());
    return true;
}

WhiteRows* WhiteRows::Of(cairo_surface_t* surface) {
    return static_cast<WhiteRows*>(cairo_surface_get_user_data(surface, &kWhiteRowsKey));
}

void WhiteRows::reach(std::int64_t top, std::int64_t bottom) {
    top = std::max<std::int64_t>(top, 0);
    bottom = std::min<std::int64_t>(bottom, height_);
    if (top >= bottom) {
        return;
    }
    if (top_ >= bottom_) {
        fill(top, bottom);
        top_ = static_cast<std::int32_t>(top);
        bottom_ = static_cast<std::int32_t>(bottom);
        return;
    }
    if (top < top_) {
        fill(top, top_);
        top_ = static_cast<std::int32_t>(top);
    }
    if (bottom > bottom_) {
        fill(bottom_, bottom);
        bottom_ = static_cast<std::int32_t>(bottom);
    }
}

void WhiteRows::fill(std::int64_t from, std::int64_t to) {
    // The unused top byte of a pixel may hold anything, so the rows fill as bytes.
    cairo_surface_flush(page_);
    const std::int64_t stride = cairo_image_surface_get_stride(page_);
    std::memset(cairo_image_surface_get_data(page_) + from * stride, 0xFF,
                static_cast<std::size_t>((to - from) * stride));
    cairo_surface_mark_dirty_rectangle(page_, 0, static_cast<int>(from),
                                       cairo_image_surface_get_width(page_),
                                       static_cast<int>(to - from));
}

void FillReaching(cairo_t* cr) {
    ReachExtents(cr, cairo_fill_extents);
    cairo_fill(cr);
}

void StrokeReaching(cairo_t* cr) {
    ReachExtents(cr, cairo_stroke_extents);
    cairo_stroke(cr);
}

void ShowGlyphsReaching(cairo_t* cr, const cairo_glyph_t* glyphs, int count) {
    // Glyphs drawn by Cairo are turned text and faces of other kinds; their ink is not worked
    // out here, and the whole page is made white instead.
    if (WhiteRows* rows = WhiteRows::Of(cairo_get_target(cr))) {
        rows->reachAll();
    }
    cairo_show_glyphs(cr, glyphs, count);
}

} // namespace velk::cairo
