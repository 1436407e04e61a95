// Arbitrary bytes decoded as an uncompressed .bmp file, as a page's bitmap record or a bitmap
// file beside a document gives them. A picture that comes back has the size the header gave.

#include "base/little_endian.h"
#include "fuzz_check.h"
#include "render/cairo/cairo_bitmaps.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const velk::cairo::CairoSurfaceHandle picture = velk::cairo::DecodePlainBmp(file);
    if (picture) {
        Check(size >= 54);
        Check(cairo_image_surface_get_width(picture.get()) == velk::ReadInt32(file, 18));
        Check(cairo_image_surface_get_height(picture.get()) == std::abs(velk::ReadInt32(file, 22)));
    }
    return 0;
}
