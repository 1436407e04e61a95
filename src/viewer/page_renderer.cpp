#include "viewer/page_renderer.h"

#include "document/document.h"

namespace velk {

ScreenPageGeometry DocumentPageRenderer::screenPageGeometry(std::int32_t page) {
    // The set-up is read from the page as it will be drawn: the one held, when it is held.
    Document& document = services_.document;
    if (document.loadedPageNumber != page) {
        document.loadPage(page);
    }
    return ApplyToScreen(ParsePageSetup(document.loadedPage), services_.screen);
}

void DocumentPageRenderer::renderScreenPage(std::int32_t page, const RenderTarget& target) {
    RenderPage(services_, page, target);
}

} // namespace velk
