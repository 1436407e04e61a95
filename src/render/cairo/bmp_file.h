#pragma once

// .bmp files for the Cairo surface, read as the viewer's LoadImage reads them.

#include "render/cairo/cairo_handles.h"

#include <cstdint>
#include <span>
#include <string>

namespace velk::cairo {

// The picture in the bytes of a .bmp file: a BITMAPCOREHEADER, a BITMAPINFOHEADER or a later
// header, and pixels of any kind DecodeDib takes. Null for any other file.
CairoSurfaceHandle DecodeBmpFile(std::span<const std::uint8_t> file);

// The picture in the .bmp file at `path`; null when the file cannot be read, is not a bitmap,
// or is larger than any bitmap of the largest picture can be.
CairoSurfaceHandle LoadBmpFile(const std::string& path);

} // namespace velk::cairo
