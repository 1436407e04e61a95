#include "render/printer_target.h"

#include "render/surface.h"

namespace velk {

RenderTarget PrinterTarget(Surface& surface, std::span<std::uint8_t> devmode) {
    return RenderTarget{.surface = surface,
                        .dpiX = surface.getDeviceCaps(DeviceCap::LogPixelsX),
                        .dpiY = surface.getDeviceCaps(DeviceCap::LogPixelsY),
                        .offX = -surface.getDeviceCaps(DeviceCap::PhysicalOffsetX),
                        .offY = -surface.getDeviceCaps(DeviceCap::PhysicalOffsetY),
                        .mode = RenderMode::Printer,
                        .zoom = 1.0,
                        .devmode = devmode,
                        .devmodeLength = static_cast<std::int32_t>(devmode.size())};
}

} // namespace velk
