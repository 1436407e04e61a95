#pragma once

#include <cstdint>

namespace velk {

class FileSystem;
class InterfaceTexts;
class MessageBoxPort;
class ScreenInfo;
class ScreenLayout;
class Surface;
struct Document;
struct ScreenSettings;

// How the main window has a page drawn for the screen. The renderer hands the page's
// geometry to `layout` and has it lay out the page area before anything is drawn.
class PageRenderer {
  public:
    virtual ~PageRenderer() = default;
    virtual void renderScreenPage(std::int32_t page, Surface& surface, std::int32_t dpiX,
                                  std::int32_t dpiY, ScreenLayout& layout) = 0;
};

// The page renderer of the open document (RenderPage in Screen mode).
class DocumentPageRenderer : public PageRenderer {
  public:
    DocumentPageRenderer(Document& document, double& zoom, const ScreenSettings& settings,
                         ScreenInfo& screen, InterfaceTexts& texts, MessageBoxPort& messages,
                         FileSystem& files)
        : document_(document), zoom_(zoom), settings_(settings), screen_(screen), texts_(texts),
          messages_(messages), files_(files) {}

    void renderScreenPage(std::int32_t page, Surface& surface, std::int32_t dpiX, std::int32_t dpiY,
                          ScreenLayout& layout) override;

  private:
    Document& document_;
    double& zoom_;
    const ScreenSettings& settings_;
    ScreenInfo& screen_;
    InterfaceTexts& texts_;
    MessageBoxPort& messages_;
    FileSystem& files_;
};

} // namespace velk
