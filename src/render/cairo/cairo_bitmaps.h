#pragma once

// Bitmaps for the Cairo surface: .bmp files, device-independent bitmaps
// in and out, and GDI's way of stretching pixels. Pictures are Cairo RGB24 image surfaces
// (0x00RRGGBB per pixel, rows top-down).

#include "render/cairo/cairo_handles.h"
#include "render/surface.h"

#include <cstdint>
#include <span>
#include <string>

namespace velk::cairo {

// Bitmaps beyond this many pixels are refused, like a bitmap GDI has no memory for.
inline constexpr std::int64_t kLargestBitmapPixels = std::int64_t{1} << 26;

// A .bmp file of any depth, uncompressed or RLE; null when the file is not a bitmap this
// size or smaller. Uncompressed files are decoded by DecodePlainBmp, the rest by gdk-pixbuf.
CairoSurfaceHandle LoadBmpFile(const std::string& path);

// The bytes of an uncompressed .bmp file with a BITMAPINFOHEADER or a later header, of 1 to
// 32 bits per pixel; null for any other file.
CairoSurfaceHandle DecodePlainBmp(std::span<const std::uint8_t> file);

// A .bmp file decoded by gdk-pixbuf, which also reads RLE and bit-field bitmaps.
CairoSurfaceHandle PixbufBmpFile(const std::string& path);

// An RGB24 image of the given size, filled with `colour` (0x00RRGGBB); null when too large.
CairoSurfaceHandle NewPicture(std::int32_t width, std::int32_t height, std::uint32_t colour);

// GetDIBits: rows firstLine.. of `picture` in the 24- or 32-bit BI_RGB format `info` asks for
// (bottom-up when info.height is positive). Returns the rows written; 0 when the format is
// not one of those, the header's size differs from the picture's, or `bits` is too small.
int ReadDib(cairo_surface_t* picture, std::uint32_t firstLine, std::uint32_t lines,
            std::span<std::uint8_t> bits, DibInfo& info);

// The picture a BI_RGB DIB of 1, 4, 8, 16, 24 or 32 bits per pixel holds, rows top-down;
// null when the header makes no sense or `bits` is too short for it.
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
