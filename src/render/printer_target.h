#pragma once

#include "render/interpreter.h"

#include <cstdint>
#include <span>

namespace velk {

// The target that draws a page onto a printer as the printer is set now: at its resolution,
// measured from the physical edge of the paper rather than the printable area's corner, at
// 100 %, with `devmode` (the whole buffer, handed to the driver at its length) receiving each
// page's paper, orientation and bin.
RenderTarget PrinterTarget(Surface& surface, std::span<std::uint8_t> devmode);

} // namespace velk
