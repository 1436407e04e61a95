// Arbitrary bytes decoded as a .bmp file, as a page's bitmap record or a bitmap file beside a
// document gives them. A picture that comes back has the size its header gave.

#include "base/little_endian.h"
#include "fuzz_check.h"
#include "render/cairo/bmp_file.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const velk::cairo::CairoSurfaceHandle picture = velk::cairo::DecodeBmpFile(file);
    if (picture) {
        const int width = cairo_image_surface_get_width(picture.get());
        const int height = cairo_image_surface_get_height(picture.get());
        Check(size >= 26);
        // A core header has 16-bit sizes; any other, 32-bit ones, the height signed.
        if (velk::ReadInt32(file, 14) == 12) {
            Check(width == static_cast<std::uint16_t>(velk::ReadInt16(file, 18)));
            Check(height == static_cast<std::uint16_t>(velk::ReadInt16(file, 20)));
        } else {
            Check(width == velk::ReadInt32(file, 18));
            Check(height == std::abs(velk::ReadInt32(file, 22)));
        }
    }
    return 0;
}
