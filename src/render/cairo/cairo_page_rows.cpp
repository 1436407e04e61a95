#include "render/cairo/cairo_surface_state.h"
#include "render/cairo/white_rows.h"

namespace velk::cairo {

namespace {

// A picture's rows, read where they lie.
class PictureRowReader {
  public:
    // `kept` holds a copy made for the reader; the page itself it only borrows.
    PictureRowReader(std::shared_ptr<cairo_surface_t> kept, cairo_surface_t* source, PixelRect area)
        : kept_(std::move(kept)), data_(cairo_image_surface_get_data(source)),
          stride_(cairo_image_surface_get_stride(source)), area_(area),
          white_(WhiteRows::Of(source)) {}

    std::span<const std::uint32_t> operator()(std::int32_t y) const {
        if (y < 0 || y >= area_.height) {
            return {};
        }
        // A row no drawing reached was never made white in memory, but is white.
        if (white_ != nullptr && !white_->reached(area_.y + y)) {
            return white_->whiteRow().subspan(static_cast<std::size_t>(area_.x),
                                              static_cast<std::size_t>(area_.width));
        }
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            data_ + static_cast<std::ptrdiff_t>(area_.y + y) * stride_);
        return {row + area_.x, static_cast<std::size_t>(area_.width)};
    }

  private:
    std::shared_ptr<cairo_surface_t> kept_;
    const std::uint8_t* data_;
    std::ptrdiff_t stride_;
    PixelRect area_;
    const WhiteRows* white_;
};

bool Inside(const PixelRect& area, cairo_surface_t* surface) {
    return area.x >= 0 && area.y >= 0 &&
           std::int64_t{area.x} + area.width <= cairo_image_surface_get_width(surface) &&
           std::int64_t{area.y} + area.height <= cairo_image_surface_get_height(surface);
}

} // namespace

CairoSurface::PixelRowReader CairoSurface::pixelRows(const PixelRect& from, std::int32_t width,
                                                     std::int32_t height) const {
    if (s_->target != Target::Raster || width <= 0 || height <= 0) {
        return nullptr;
    }
    cairo_surface_t* page = s_->surface.get();
    if (from.width == width && from.height == height && Inside(from, page)) {
        cairo_surface_flush(page);
        return PictureRowReader(nullptr, page, from);
    }
    // Stretched, or reaching off the page (which the copy makes white), the rows are a copy,
    // which reads every row of the page.
    if (WhiteRows* rows = WhiteRows::Of(page)) {
        rows->reachAll();
    }
    std::shared_ptr<cairo_surface_t> copy =
        StretchPixels(page, PixelArea{from.x, from.y, from.width, from.height}, width, height,
                      PixelArea{0, 0, width, height});
    if (!copy) {
        return nullptr;
    }
    cairo_surface_t* source = copy.get();
    return PictureRowReader(std::move(copy), source, PixelRect{0, 0, width, height});
}

} // namespace velk::cairo
