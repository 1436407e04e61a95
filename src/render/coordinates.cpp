#include "render/coordinates.h"

#include "base/ansi_text.h"

#include <cmath>
#include <limits>

namespace velk {

std::int32_t DevicePixels(double value) {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (value >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(RoundHalfEven(value));
}

std::int32_t DeviceMapping::textX(double x, std::int32_t shift) const {
    const double scaled = x * dpiX;
    const double placed = offX + scaled;
    const double zoomed = placed * zoom;
    const double shifted = zoomed - shift;
    return DevicePixels(shifted);
}

std::int32_t DeviceMapping::textY(double y) const {
    const double scaled = y * dpiY;
    const double placed = offY + scaled;
    const double zoomed = placed * zoom;
    return DevicePixels(zoomed);
}

std::int32_t DeviceMapping::graphicX(double x) const {
    const double zoomed = x * zoom;
    const double scaled = zoomed * dpiX;
    const double placed = scaled + offX;
    return DevicePixels(placed);
}

std::int32_t DeviceMapping::graphicY(double y) const {
    const double zoomed = y * zoom;
    const double scaled = zoomed * dpiY;
    const double placed = scaled + offY;
    return DevicePixels(placed);
}

std::int32_t DeviceMapping::clipX(double x) const {
    const double scale = zoom * dpiX;
    const double scaled = scale * x;
    return DevicePixels(scaled);
}

std::int32_t DeviceMapping::clipY(double y) const {
    const double scale = zoom * dpiY;
    const double scaled = scale * y;
    return DevicePixels(scaled);
}

std::int32_t DeviceMapping::pointWidth(double points) const {
    const double zoomed = points * zoom;
    const double scaled = zoomed * dpiX;
    const double width = scaled / 72.0;
    return DevicePixels(width);
}

} // namespace velk
