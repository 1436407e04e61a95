#include "render/screen_target.h"

namespace velk {

double ScreenDrawingZoom(std::int32_t renderOptions, double zoom) {
    return renderOptions == kFullSizeRendering && zoom < 1.001 ? 1.0 : zoom;
}

bool ShrunkOnCopy(std::int32_t renderOptions, double zoom) {
    return ScreenDrawingZoom(renderOptions, zoom) > zoom;
}

RenderTarget ScreenTarget(Surface& surface, const ScreenPageGeometry& geometry,
                          std::int32_t renderOptions, double zoom) {
    return RenderTarget{.surface = surface,
                        .dpiX = geometry.dpiX,
                        .dpiY = geometry.dpiY,
                        .mode = RenderMode::Screen,
                        .zoom = ScreenDrawingZoom(renderOptions, zoom)};
}

} // namespace velk
