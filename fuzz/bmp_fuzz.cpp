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
    if (size < 26) {
        Check(!velk::cairo::DecodeBmpFile(file));
        return 0;
    }
    // A core header has 16-bit sizes; any other, 32-bit ones, the height signed.
    const bool core = velk::ReadInt32(file, 14) == 12;
    const std::int64_t width =
        core ? static_cast<std::uint16_t>(velk::ReadInt16(file, 18)) : velk::ReadInt32(file, 18);
    const std::int64_t height = core ? static_cast<std::uint16_t>(velk::ReadInt16(file, 20))
                                     : std::abs(std::int64_t{velk::ReadInt32(file, 22)});
    // Runs of a few bytes can make a picture of the largest size a bitmap may have, a quarter
    // of a gigabyte; pictures that large only slow the search down.
    if (width * height > (std::int64_t{1} << 20)) {
        return 0;
    }
    const velk::cairo::CairoSurfaceHandle picture = velk::cairo::DecodeBmpFile(file);
    if (picture) {
        Check(cairo_image_surface_get_width(picture.get()) == width);
        Check(cairo_image_surface_get_height(picture.get()) == height);
    }
    return 0;
}
