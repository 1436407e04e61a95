#pragma once

#include "render/surface.h"

#include <cstdint>

namespace velk {

// The main window's dialog font, "MS Sans Serif" 9 points, for a screen of this resolution.
LogFont DialogFontDescription(std::int32_t logPixelsY);

} // namespace velk
