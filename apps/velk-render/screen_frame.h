#pragma once

#include "render/page_setup.h"

#include <cstdint>

namespace velk::cli {

// A rectangle of device pixels.
struct CopyRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const CopyRect&) const = default;
};

// How a page becomes a picture on the screen: the viewer draws it into its page surface and
// copies the page area from there, starting one pixel in (the surface's border), shrinking a
// full-size rendering on the way (ShrunkOnCopy).
struct ScreenFrame {
    std::int32_t surfaceWidth = 0; // the surface needs no more than what the copy reads
    std::int32_t surfaceHeight = 0;
    CopyRect source;
    std::int32_t width = 0; // the picture
    std::int32_t height = 0;
    bool operator==(const ScreenFrame&) const = default;
};

// `renderOptions` is the document header's field, read by the full-size rule.
ScreenFrame ComputeScreenFrame(const ScreenPageGeometry& page, double zoom,
                               std::int32_t renderOptions);

} // namespace velk::cli
