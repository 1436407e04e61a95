#pragma once

#include "render/surface.h"

#include <cstdint>
#include <string_view>

namespace velk {

class ScreenInfo;

// Font style bits as pages store them; other bits are ignored.
inline constexpr std::int16_t kStyleBold = 1;
inline constexpr std::int16_t kStyleItalic = 2;
inline constexpr std::int16_t kStyleUnderline = 4;
inline constexpr std::int16_t kStyleStrikeOut = 8;

inline constexpr std::size_t kFaceNameLimit = 31;

// The one way the renderer describes a font: `size` in points (already zoomed where the caller
// zooms), `angle` in degrees counter-clockwise, `logPixelsY` of the device the font is for.
LogFont FontDescription(std::string_view face, std::int16_t style, double size, std::int32_t angle,
                        std::int32_t logPixelsY);

// A font for `surface`, sized with the surface's own vertical resolution.
FontId MakeFont(Surface& surface, std::string_view face, std::int16_t style, double size,
                std::int32_t angle);

// A font sized with the screen's vertical resolution, whatever surface it is made on.
FontId MakeScreenFont(Surface& surface, ScreenInfo& screen, std::string_view face,
                      std::int16_t style, double size);

} // namespace velk
