#include "viewer/page_view.h"

#include "document/document.h"
#include "base/ansi_text.h"
#include "base/device_settings.h"
#include "render/fonts.h"
#include "render/screen_target.h"
#include "viewer/main_window_view.h"
#include "viewer/page_renderer.h"
#include "viewer/scrolling.h"
#include "viewer/viewer_state.h"
#include "viewer/zoom.h"

namespace velk {

namespace {

constexpr Colour kWhite = 0x00FFFFFF;
constexpr double kPageFontPoints = 9.0;

} // namespace

void PageView::createSurface() {
    surfaceSize_ = OffscreenSurfaceSize(settings_.screenDpiX, settings_.screenDpiY);
    surface_ = view_.createPageSurface(surfaceSize_.width, surfaceSize_.height);
}

void PageView::releaseSurface() {
    surface_ = nullptr;
    view_.releasePageSurface();
}

std::int32_t PageView::ReadZoomSetting() {
    ZoomBoxReading box = view_.readZoomBox();
    // An item that cannot be read leaves the edit field's text, as nothing selected does.
    const std::string text = box.selection >= 0 && box.selectedItem ? std::move(*box.selectedItem)
                                                                    : std::move(box.editText);
    const ZoomRequest request = InterpretZoomText(text, texts_);
    std::int32_t percentage = request.percentage;
    if (request.mode != ZoomMode::Typed) {
        const WindowGeometry window = view_.geometry();
        percentage = request.mode == ZoomMode::FitWindow
                         ? FitWindowPercentage(window.statusBar, window.toolbar, pagePixels())
                         : FitWidthPercentage(window.statusBar, pagePixels());
    }
    state_.zoom = percentage / 100.0;
    view_.setZoomBoxText(CutTo(request.label, kWindowTextLimit), false);
    return percentage;
}

void PageView::LayoutPageArea() {
    state_.hScrollNeeded = false;
    state_.vScrollNeeded = false;
    ReadZoomSetting();

    const WindowGeometry window = view_.geometry();
    LayoutInput input;
    input.statusBar = window.statusBar;
    input.toolbar = window.toolbar;
    input.page = pagePixels();
    input.zoom = state_.zoom;
    input.verticalScrollWidth = window.verticalScrollWidth;
    input.horizontalScrollHeight = window.horizontalScrollHeight;
    const PageAreaLayout layout = ComputePageAreaLayout(input);
    state_.hScrollNeeded = layout.hScrollNeeded;
    state_.vScrollNeeded = layout.vScrollNeeded;

    const WindowRect pageArea =
        view_.placePageArea({layout.x, layout.y, layout.width, layout.height});
    view_.placeScrollBars(VerticalBarPlacement(layout, pageArea, input.verticalScrollWidth),
                          HorizontalBarPlacement(layout, pageArea, input.horizontalScrollHeight));
}

void PageView::ShowPageView() {
    view_.setCursor(Cursor::Wait, CursorScope::Now);
    // Without a surface (it could not be made) there is nothing to draw on: the page area
    // stays as it is and the rest of the window keeps working.
    if (surface_ != nullptr) {
        Surface& surface = *surface_;
        // A white page with a one-pixel border in the surface's own pen.
        const BrushId white = surface.createSolidBrush(kWhite);
        const BrushId previousBrush = surface.selectObject(white);
        surface.rectangle(0, 0, surfaceSize_.width, surfaceSize_.height);
        const FontId pageFont = MakeFont(surface, "Arial", 0, kPageFontPoints, 0);
        const FontId previousFont = surface.selectObject(pageFont);

        setPageGeometry(renderer_.screenPageGeometry(state_.currentPage));
        LayoutPageArea();
        renderer_.renderScreenPage(
            state_.currentPage,
            ScreenTarget(surface, geometry_, document_.header.renderOptions, state_.zoom));

        if (previousFont) {
            surface.selectObject(previousFont);
        }
        if (previousBrush) {
            surface.selectObject(previousBrush);
        }
        surface.deleteObject(pageFont);
        surface.deleteObject(white);
        CopyPageToScreen();
    }
    view_.setCursor(Cursor::Arrow, CursorScope::Now);
}

PageCopy PageView::pageCopy() {
    const WindowGeometry window = view_.geometry();
    CopyInput input;
    input.pageArea = window.pageArea;
    input.page = pagePixels();
    input.zoom = state_.zoom;
    input.hScrollNeeded = state_.hScrollNeeded;
    input.vScrollNeeded = state_.vScrollNeeded;
    input.horizontalPosition = window.scroll.horizontal;
    input.verticalPosition = window.scroll.vertical;
    input.fullSizeRendering = ShrunkOnCopy(document_.header.renderOptions, state_.zoom);
    return ComputePageCopy(input);
}

void PageView::CopyPageToScreen() {
    if (surface_ != nullptr) {
        view_.copyPage(pageCopy(), CopyTime::Now);
    }
}

void PageView::paint() {
    if (surface_ != nullptr) {
        view_.copyPage(pageCopy(), CopyTime::InPaint);
    }
}

void PageView::scroll(ScrollBar bar, int request, std::int32_t thumbPosition) {
    const ScrollPositions current = view_.geometry().scroll;
    const std::int32_t position =
        ScrolledPosition(bar == ScrollBar::Horizontal ? current.horizontal : current.vertical,
                         request, thumbPosition);
    view_.setScrollPosition(bar, position);
    CopyPageToScreen();
}

} // namespace velk
