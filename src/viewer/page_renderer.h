#pragma once

#include "render/page_setup.h"

#include <cstdint>

namespace velk {

class FileSystem;
class InterfaceTexts;
class MessageBoxPort;
class ScreenInfo;
struct Document;
struct RenderTarget;
struct ScreenSettings;

// How the main window has a page drawn for the screen: it asks for the page's geometry, lays
// out the page area for it and chooses the zoom, then has the page drawn onto its target.
class PageRenderer {
  public:
    virtual ~PageRenderer() = default;
    virtual ScreenPageGeometry screenPageGeometry(std::int32_t page) = 0;
    virtual void renderScreenPage(std::int32_t page, const RenderTarget& target) = 0;
};

// The page renderer of the open document: the page's set-up as the screen shows it, and
// RenderPage.
class DocumentPageRenderer : public PageRenderer {
  public:
    DocumentPageRenderer(Document& document, const ScreenSettings& settings, ScreenInfo& screen,
                         InterfaceTexts& texts, MessageBoxPort& messages, FileSystem& files,
                         bool allowNetworkBitmaps = false)
        : document_(document), settings_(settings), screen_(screen), texts_(texts),
          messages_(messages), files_(files), allowNetworkBitmaps_(allowNetworkBitmaps) {}

    ScreenPageGeometry screenPageGeometry(std::int32_t page) override;
    void renderScreenPage(std::int32_t page, const RenderTarget& target) override;

  private:
    Document& document_;
    const ScreenSettings& settings_;
    ScreenInfo& screen_;
    InterfaceTexts& texts_;
    MessageBoxPort& messages_;
    FileSystem& files_;
    bool allowNetworkBitmaps_;
};

} // namespace velk
