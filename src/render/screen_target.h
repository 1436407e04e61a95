#pragma once

#include "render/interpreter.h"
#include "render/page_setup.h"

#include <cstdint>

namespace velk {

// The document header's render option that asks for full-size drawing.
inline constexpr std::int32_t kFullSizeRendering = 2048;

// The zoom a page is drawn at on the screen when it is shown at `zoom`. A document that asks
// for full-size drawing is drawn at 100 % whenever it is shown at 100 % or less (up to a
// thousandth above, so that rounding never tips it), and the picture is shrunk to `zoom` on the
// way to the screen instead; any other document is drawn at its zoom.
double ScreenDrawingZoom(std::int32_t renderOptions, double zoom);

// Whether the picture drawn at ScreenDrawingZoom is larger than the page shown at `zoom`, so
// that copying it to the screen shrinks it.
bool ShrunkOnCopy(std::int32_t renderOptions, double zoom);

// The target that draws a page laid out as `geometry` into a screen surface: at the
// geometry's resolutions (the screen's, swapped for a landscape page), from the surface's
// corner, at ScreenDrawingZoom.
RenderTarget ScreenTarget(Surface& surface, const ScreenPageGeometry& geometry,
                          std::int32_t renderOptions, double zoom);

} // namespace velk
