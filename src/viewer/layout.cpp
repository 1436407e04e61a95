#include "viewer/layout.h"

#include "base/ansi_text.h"

namespace velk {

namespace {

std::int32_t Rounded(double value) {
    return static_cast<std::int32_t>(RoundHalfEven(value));
}

constexpr double kSurfaceInches = 17.5;

} // namespace

PagePixels PixelsOf(const ScreenPageGeometry& geometry) {
    return {static_cast<double>(geometry.pageWidth) * geometry.dpiX,
            static_cast<double>(geometry.pageHeight) * geometry.dpiY};
}

PageAreaLayout ComputePageAreaLayout(const LayoutInput& input) {
    const std::int32_t zoomedWidth = Rounded(input.page.width * input.zoom);
    const std::int32_t zoomedHeight = Rounded(input.page.height * input.zoom);
    const std::int32_t roomWidth = input.statusBar.width() - kSideMargins;

    PageAreaLayout layout;
    layout.width = roomWidth;
    if (layout.width + kScrollSlack < zoomedWidth) {
        layout.hScrollNeeded = true;
    } else {
        layout.width = zoomedWidth;
    }
    layout.height = input.statusBar.top - input.toolbar.bottom - kLayoutVerticalMargins;
    if (layout.height + kScrollSlack < zoomedHeight) {
        layout.vScrollNeeded = true;
    } else {
        layout.height = zoomedHeight;
    }
    // Each bar takes its room from the other direction; the width decision is not revisited
    // once the vertical bar has narrowed the area.
    if (layout.vScrollNeeded) {
        layout.width -= input.verticalScrollWidth;
    }
    if (layout.hScrollNeeded) {
        layout.height -= input.horizontalScrollHeight;
    }
    std::int32_t x = Rounded((roomWidth - layout.width) / 2.0);
    if (layout.vScrollNeeded) {
        // Centre the area and its bar together.
        x = Rounded(x - input.verticalScrollWidth / 2.0);
    }
    layout.x = x + kPageAreaLeftMargin;
    return layout;
}

ScrollBarPlacement VerticalBarPlacement(const PageAreaLayout& layout, const WindowRect& pageArea,
                                        std::int32_t verticalScrollWidth) {
    if (!layout.vScrollNeeded) {
        return {};
    }
    return {true, layout.x + pageArea.width(), kPageAreaTop, verticalScrollWidth,
            pageArea.height()};
}

ScrollBarPlacement HorizontalBarPlacement(const PageAreaLayout& layout, const WindowRect& pageArea,
                                          std::int32_t horizontalScrollHeight) {
    if (!layout.hScrollNeeded) {
        return {};
    }
    return {true, layout.x, kPageAreaTop + pageArea.height(), pageArea.width(),
            horizontalScrollHeight};
}

SurfaceSize OffscreenSurfaceSize(std::int32_t screenDpiX, std::int32_t screenDpiY) {
    return {Rounded(kSurfaceInches * screenDpiX), Rounded(kSurfaceInches * screenDpiY)};
}

} // namespace velk
