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
    std::string text;
    const int selection = view_.comboSelection(Control::ZoomBox);
    if (selection < 0) {
        text = view_.controlText(Control::ZoomBox);
    } else {
        auto item = view_.comboItemText(Control::ZoomBox, selection);
        text = item ? std::move(*item) : view_.controlText(Control::ZoomBox);
    }
    const ZoomRequest request = InterpretZoomText(text, texts_);
    std::int32_t percentage = request.percentage;
    if (request.mode == ZoomMode::FitWindow) {
        percentage = FitWindowPercentage(view_.controlRect(Control::StatusBar),
                                         view_.controlRect(Control::Toolbar), pagePixels());
    } else if (request.mode == ZoomMode::FitWidth) {
        percentage = FitWidthPercentage(view_.controlRect(Control::StatusBar), pagePixels());
    }
    state_.zoom = percentage / 100.0;
    view_.setControlText(Control::ZoomBox, CutTo(request.label, kWindowTextLimit));
    return percentage;
}

void PageView::LayoutPageArea() {
    state_.hScrollNeeded = false;
    state_.vScrollNeeded = false;
    ReadZoomSetting();

    LayoutInput input;
    input.statusBar = view_.controlRect(Control::StatusBar);
    input.toolbar = view_.controlRect(Control::Toolbar);
    input.page = pagePixels();
    input.zoom = state_.zoom;
    input.verticalScrollWidth = view_.systemMetric(SystemMetric::VerticalScrollWidth);
    input.horizontalScrollHeight = view_.systemMetric(SystemMetric::HorizontalScrollHeight);
    const PageAreaLayout layout = ComputePageAreaLayout(input);
    state_.hScrollNeeded = layout.hScrollNeeded;
    state_.vScrollNeeded = layout.vScrollNeeded;

    view_.moveControl(Control::PageArea, layout.x, layout.y, layout.width, layout.height);
    const WindowRect pageArea = view_.controlRect(Control::PageArea);

    const auto place = [this](Control bar, const ScrollBarPlacement& placement) {
        if (placement.shown) {
            view_.moveControl(bar, placement.x, placement.y, placement.width, placement.height);
        }
        view_.showControl(bar, placement.shown);
    };
    place(Control::VerticalScrollBar,
          VerticalBarPlacement(layout, pageArea, input.verticalScrollWidth));
    place(Control::HorizontalScrollBar,
          HorizontalBarPlacement(layout, pageArea, input.horizontalScrollHeight));
}

void PageView::ShowPageView() {
    view_.setCursor(Cursor::Wait);
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

        screenPageChanged(renderer_.screenPageGeometry(state_.currentPage));
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
    view_.setCursor(Cursor::Arrow);
}

PageCopy PageView::pageCopy() {
    CopyInput input;
    input.pageArea = view_.controlRect(Control::PageArea);
    input.page = pagePixels();
    input.zoom = state_.zoom;
    input.hScrollNeeded = state_.hScrollNeeded;
    input.vScrollNeeded = state_.vScrollNeeded;
    input.horizontalPosition = view_.scrollPosition(ScrollBar::Horizontal);
    input.verticalPosition = view_.scrollPosition(ScrollBar::Vertical);
    input.fullSizeRendering = ShrunkOnCopy(document_.header.renderOptions, state_.zoom);
    return ComputePageCopy(input);
}

void PageView::CopyPageToScreen() {
    if (surface_ != nullptr) {
        view_.copyToPageArea(pageCopy());
    }
}

void PageView::paint() {
    if (surface_ != nullptr) {
        view_.paintPageArea(pageCopy());
    }
}

void PageView::scroll(ScrollBar bar, int request, std::int32_t thumbPosition) {
    const std::int32_t position =
        ScrolledPosition(view_.scrollPosition(bar), request, thumbPosition);
    view_.setScrollPosition(bar, position, true);
    CopyPageToScreen();
}

} // namespace velk
