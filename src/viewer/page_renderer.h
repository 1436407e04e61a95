#pragma once

#include "render/interpreter.h"
#include "render/page_setup.h"

#include <cstdint>

namespace velk {

// How the main window has a page drawn for the screen: it asks for the page's geometry, lays
// out the page area for it and chooses the zoom, then has the page drawn onto its target.
class PageRenderer {
  public:
    virtual ~PageRenderer() = default;
    virtual ScreenPageGeometry screenPageGeometry(std::int32_t page) = 0;
    virtual void renderScreenPage(std::int32_t page, const RenderTarget& target) = 0;
};

// The page renderer of the open document: the page's set-up as the screen shows it, and
// RenderPage with the run's services.
class DocumentPageRenderer : public PageRenderer {
  public:
    explicit DocumentPageRenderer(const RenderServices& services) : services_(services) {}

    ScreenPageGeometry screenPageGeometry(std::int32_t page) override;
    void renderScreenPage(std::int32_t page, const RenderTarget& target) override;

  private:
    RenderServices services_;
};

} // namespace velk
