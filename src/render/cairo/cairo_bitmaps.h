#pragma once

// Bitmaps for the Cairo surface: device-independent bitmaps in and out, and GDI's way of
// stretching pixels. Pictures are Cairo RGB24 image surfaces
// (0x00RRGGBB per pixel, rows top-down).

#include "render/cairo/cairo_handles.h"
#include "render/surface.h"

#include <cstdint>
#include <span>
#include <string>

namespace velk::cairo {

// Row access to an RGB24 image surface.
class PictureRows {
  public:
    explicit PictureRows(cairo_surface_t* picture)
        : data_(cairo_image_surface_get_data(picture)),
          stride_(cairo_image_surface_get_stride(picture)),
          width_(cairo_image_surface_get_width(picture)),
          height_(cairo_image_surface_get_height(picture)) {}

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    bool valid() const { return data_ != nullptr && width_ > 0 && height_ > 0; }

    std::uint32_t* row(std::int32_t y) const {
        return reinterpret_cast<std::uint32_t*>(data_ + static_cast<std::ptrdiff_t>(y) * stride_);
    }

  private:
    unsigned char* data_;
    int stride_;
    std::int32_t width_;
    std::int32_t height_;
};

// Bitmaps beyond this many pixels are refused, like a bitmap GDI has no memory for.
inline constexpr std::int64_t kLargestBitmapPixels = std::int64_t{1} << 26;

// An RGB24 image of the given size, filled with `colour` (0x00RRGGBB); null when too large.
CairoSurfaceHandle NewPicture(std::int32_t width, std::int32_t height, std::uint32_t colour);
// A white RGB24 page whose rows are made white as drawing reaches them (see WhiteRows); null
// when too large.
CairoSurfaceHandle NewPage(std::int32_t width, std::int32_t height);

// GetDIBits: rows firstLine.. of `picture` in the 24- or 32-bit BI_RGB format `info` asks for
// (bottom-up when info.height is positive). Returns the rows written; 0 when the format is
// not one of those, the header's size differs from the picture's, or `bits` is too small.
int ReadDib(cairo_surface_t* picture, std::uint32_t firstLine, std::uint32_t lines,
            std::span<std::uint8_t> bits, DibInfo& info);

// DIB compressions (biCompression).
inline constexpr std::uint32_t kDibRgb = 0;       // BI_RGB
inline constexpr std::uint32_t kDibRle8 = 1;      // BI_RLE8
inline constexpr std::uint32_t kDibRle4 = 2;      // BI_RLE4
inline constexpr std::uint32_t kDibBitFields = 3; // BI_BITFIELDS

// The picture a DIB holds, rows top-down: BI_RGB of 1, 4, 8, 16, 24 or 32 bits per pixel,
// BI_RLE8 and BI_RLE4 (bottom-up only), or BI_BITFIELDS of 16 or 32 bits with the red, green
// and blue masks in colours[0..2]. Null when the header makes no sense or `bits` is too short
// for an uncompressed picture; runs that end early leave the rest of the picture black.
CairoSurfaceHandle DecodeDib(std::span<const std::uint8_t> bits, const DibInfo& info);

// A rectangle of pixels.
struct PixelArea {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// GDI's default stretch (BLACKONWHITE) of the `from` rectangle of `source` to width x height
// pixels: a pixel that several source pixels fall into gets the AND of their colours, so dark
// lines survive shrinking; enlarging repeats pixels. Source pixels outside the picture count
// as white. Only the part `window` of the stretched picture (in its own pixels) is made, so
// that a picture mostly off the page costs no more than what shows. Null when that part is
// empty or too large.
CairoSurfaceHandle StretchPixels(cairo_surface_t* source, const PixelArea& from, std::int32_t width,
                                 std::int32_t height, const PixelArea& window);

} // namespace velk::cairo
