#pragma once

#include <cstdint>

namespace velk {

// A pixel value: the nearest integer, halves to even, held within 32 bits. Values beyond that
// range become its nearest end and a value that is not a number becomes 0, so that no float
// from a page can overflow a conversion.
std::int32_t DevicePixels(double value);

// How page inches and points become device pixels for one RenderPage call. Each step is kept
// in a double of its own so that every compiler rounds the same intermediate values.
struct DeviceMapping {
    double zoom = 1.0;
    std::int32_t dpiX = 96;
    std::int32_t dpiY = 96;
    std::int32_t offX = 0;
    std::int32_t offY = 0;

    // Form T (text records): offsets added before the zoom, alignment shift subtracted after.
    std::int32_t textX(double x, std::int32_t shift = 0) const;
    std::int32_t textY(double y) const;
    // Form G (lines, boxes, bitmaps): zoom first, offsets added after.
    std::int32_t graphicX(double x) const;
    std::int32_t graphicY(double y) const;
    // Form C (clipped text): no offsets at all.
    std::int32_t clipX(double x) const;
    std::int32_t clipY(double y) const;
    // A length in points, always on the horizontal resolution.
    std::int32_t pointWidth(double points) const;
};

} // namespace velk
