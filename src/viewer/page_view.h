#pragma once

#include "render/page_setup.h"
#include "viewer/layout.h"
#include "viewer/view_types.h"

#include <cstdint>

namespace velk {

class InterfaceTexts;
class MainWindowView;
class PageRenderer;
class Surface;
struct Document;
struct ScreenSettings;
struct ViewerState;

// The page in the page area: the zoom box read into a zoom, the page area and its scroll bars
// laid out for each page, the page drawn into the off-screen surface and the visible part of
// it copied to the screen. For every page it asks the renderer for the page's geometry, lays
// out the page area and reads the zoom before the page is drawn.
class PageView {
  public:
    PageView(ViewerState& state, const Document& document, const InterfaceTexts& texts,
             const ScreenSettings& settings, MainWindowView& view, PageRenderer& renderer)
        : state_(state), document_(document), texts_(texts), settings_(settings), view_(view),
          renderer_(renderer) {}

    // The off-screen surface: made once at window start, released at close.
    void createSurface();
    void releaseSurface();
    SurfaceSize surfaceSize() const { return surfaceSize_; }

    // Sets the zoom from the zoom box, writes the corrected label back and returns the
    // percentage.
    std::int32_t ReadZoomSetting();

    // The page that the next layout is for.
    void setPageGeometry(const ScreenPageGeometry& geometry) { geometry_ = geometry; }
    void LayoutPageArea();

    // Draws the current page into the surface and copies it to the screen.
    void ShowPageView();
    // Copies the visible part of the surface into the page area, without drawing again.
    void CopyPageToScreen();
    // The same copy inside WM_PAINT.
    void paint();

    // WM_HSCROLL / WM_VSCROLL.
    void scroll(ScrollBar bar, int request, std::int32_t thumbPosition);

    // The page last laid out, in screen pixels at 100 %.
    PagePixels pagePixels() const { return PixelsOf(geometry_); }

  private:
    PageCopy pageCopy();

    ViewerState& state_;
    const Document& document_;
    const InterfaceTexts& texts_;
    const ScreenSettings& settings_;
    MainWindowView& view_;
    PageRenderer& renderer_;
    ScreenPageGeometry geometry_;
    Surface* surface_ = nullptr;
    SurfaceSize surfaceSize_;
};

} // namespace velk
