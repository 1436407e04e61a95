#include "render/cairo/cairo_surface_state.h"

#include <algorithm>

namespace velk::cairo {

namespace {

// A page's rows as RGB bytes, white off the page. A row whose pixels repeat those of the row
// above is not converted again: most of a page is blank rows.
class PageRows {
  public:
    // `stretched` is shared by the reader when the page was stretched; the page itself it
    // only borrows.
    PageRows(std::shared_ptr<cairo_surface_t> stretched, cairo_surface_t* source, PixelRect area)
        : stretched_(std::move(stretched)), source_(source), area_(area) {}

    bool operator()(std::int32_t y, std::span<std::uint8_t> rgb) const {
        const std::int32_t sourceRow = area_.y + y;
        if (sourceRow < 0 || sourceRow >= cairo_image_surface_get_height(source_)) {
            std::fill(rgb.begin(), rgb.end(), std::uint8_t{0xFF});
            return false;
        }
        // The row's pixels that lie on the page, counted from the row's start.
        const auto across = static_cast<std::int64_t>(rgb.size() / 3);
        const std::int64_t first = std::clamp<std::int64_t>(-std::int64_t{area_.x}, 0, across);
        const std::int64_t last = std::clamp<std::int64_t>(
            std::int64_t{cairo_image_surface_get_width(source_)} - area_.x, first, across);
        // Every row is as wide as the one above and has as much of it off the page.
        const std::span pixels = onPage(sourceRow, first, last);
        if (y > 0 && sourceRow > 0 &&
            std::ranges::equal(pixels, onPage(sourceRow - 1, first, last))) {
            return true;
        }
        // Only pixels off the page are filled white: the rest are each written once.
        std::fill(rgb.begin(), rgb.begin() + first * 3, std::uint8_t{0xFF});
        std::fill(rgb.begin() + last * 3, rgb.end(), std::uint8_t{0xFF});
        std::uint8_t* out = rgb.data() + first * 3;
        for (const std::uint32_t pixel : pixels) {
            out[0] = static_cast<std::uint8_t>(pixel >> 16);
            out[1] = static_cast<std::uint8_t>(pixel >> 8);
            out[2] = static_cast<std::uint8_t>(pixel);
            out += 3;
        }
        return false;
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

} // namespace velk::cairo
