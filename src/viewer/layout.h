#pragma once

#include "render/page_setup.h"
#include "viewer/view_types.h"

#include <cstdint>

namespace velk {

// Fixed layout of the main window, in pixels.
inline constexpr std::int32_t kSideMargins = 24; // 12 on each side of the page area
inline constexpr std::int32_t kPageAreaLeftMargin = 12;
inline constexpr std::int32_t kPageAreaTop = 44;
inline constexpr std::int32_t kLayoutVerticalMargins =
    24; // 12 below the toolbar, 12 above the status bar
inline constexpr std::int32_t kFitWindowVerticalMargins = 36;
inline constexpr std::int32_t kScrollSlack = 5; // overhang tolerated before a scroll bar appears

// A page's size on the screen at 100 %: inches times the screen's pixels per inch, unrounded.
struct PagePixels {
    double width = 0;
    double height = 0;
};

PagePixels PixelsOf(const ScreenPageGeometry& geometry);

struct LayoutInput {
    WindowRect statusBar; // window rectangles, screen coordinates
    WindowRect toolbar;
    PagePixels page;
    double zoom = 1.0;
    std::int32_t verticalScrollWidth = 0;    // SM_CXVSCROLL
    std::int32_t horizontalScrollHeight = 0; // SM_CYHSCROLL
};

// Where the page area goes (client coordinates) and which scroll bars it needs.
struct PageAreaLayout {
    bool hScrollNeeded = false;
    bool vScrollNeeded = false;
    std::int32_t x = 0;
    std::int32_t y = kPageAreaTop;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PageAreaLayout&) const = default;
};

PageAreaLayout ComputePageAreaLayout(const LayoutInput& input);

// The bars hug the page area as it came out after moving it (`pageArea`, its window
// rectangle), which may differ from what was asked for.
ScrollBarPlacement VerticalBarPlacement(const PageAreaLayout& layout, const WindowRect& pageArea,
                                        std::int32_t verticalScrollWidth);
ScrollBarPlacement HorizontalBarPlacement(const PageAreaLayout& layout, const WindowRect& pageArea,
                                          std::int32_t horizontalScrollHeight);

// The off-screen page surface holds a 17.5-inch square at the screen's resolution: a page of
// up to 17.5 inches at 100 %, or 14 inches at 125 %.
struct SurfaceSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const SurfaceSize&) const = default;
};

SurfaceSize OffscreenSurfaceSize(std::int32_t screenDpiX, std::int32_t screenDpiY);

} // namespace velk
