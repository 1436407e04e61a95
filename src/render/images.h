#pragma once

#include <cstdint>
#include <string>

namespace velk {

class PageReader;
struct RenderState;

// Code 8: a .bmp file named by the page.
bool BitmapFileRecord(RenderState& state, PageReader& reader);
// Code 12: a .bmp file carried by the page, drawn from a temporary file.
bool EmbeddedBitmapRecord(RenderState& state, PageReader& reader);

// The corners of a bitmap's box, in inches.
struct BitmapBox {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
};

// Draws a .bmp file shrunk into the box, aspect ratio kept, anchored at (x1, y1). Nothing is
// drawn (and nothing reported) when the file is missing or does not load.
void DrawBitmapFile(RenderState& state, const std::string& name, const BitmapBox& box);

// Rows of a device-independent bitmap are padded to 4 bytes.
std::int64_t DibRowBytes(std::int64_t width, std::int64_t bitsPerPixel);

// A pixel buffer larger than this counts as one that cannot be allocated.
inline constexpr std::int64_t kPixelBufferLimit = std::int64_t{128} * 1024 * 1024;

} // namespace velk
