#include "viewer/page_renderer.h"

#include "render/interpreter.h"

namespace velk {

void DocumentPageRenderer::renderScreenPage(std::int32_t page, Surface& surface, std::int32_t dpiX,
                                            std::int32_t dpiY, ScreenLayout& layout) {
    RenderServices services{document_, zoom_,     settings_, screen_,
                            texts_,    messages_, files_,    &layout};
    RenderPage(services, page, surface, dpiX, dpiY, 0, 0, RenderMode::Screen);
}

} // namespace velk
