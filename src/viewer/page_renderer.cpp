#include "viewer/page_renderer.h"

#include "document/document.h"
#include "render/interpreter.h"

namespace velk {

ScreenPageGeometry DocumentPageRenderer::screenPageGeometry(std::int32_t page) {
    // The set-up is read from the page as it will be drawn: the one held, when it is held.
    if (document_.loadedPageNumber != page) {
        document_.loadPage(page);
    }
    return ApplyToScreen(ParsePageSetup(document_.loadedPage), screen_);
}

void DocumentPageRenderer::renderScreenPage(std::int32_t page, const RenderTarget& target) {
    RenderServices services{document_, settings_, screen_, texts_, messages_, files_};
    services.allowNetworkBitmaps = allowNetworkBitmaps_;
    RenderPage(services, page, target);
}

} // namespace velk
