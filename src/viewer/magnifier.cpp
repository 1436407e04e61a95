#include "viewer/magnifier.h"

#include "base/ansi_text.h"
#include "viewer/main_window_view.h"
#include "viewer/page_view.h"
#include "viewer/scrolling.h"
#include "viewer/viewer_state.h"
#include "viewer/zoom.h"

namespace velk {

WindowRect PageAreaClientRect(const WindowRect& pageArea, const WindowRect& mainWindow,
                              const WindowFrame& frame) {
    const std::int32_t dx = mainWindow.left + frame.frameWidth;
    const std::int32_t dy =
        mainWindow.top + frame.frameHeight + frame.captionHeight + frame.menuHeight;
    return {pageArea.left - dx, pageArea.top - dy, pageArea.right - dx, pageArea.bottom - dy};
}

bool Contains(const WindowRect& rect, std::int32_t x, std::int32_t y) {
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

namespace {

bool OverPage(const WindowGeometry& window, std::int32_t x, std::int32_t y) {
    return Contains(PageAreaClientRect(window.pageArea, window.window, window.frame), x, y);
}

} // namespace

void Magnifier::onMouseMove(std::int32_t x, std::int32_t y) {
    const bool inside = OverPage(view_.geometry(), x, y);
    if (inside && arrowCursorCurrent_) {
        arrowCursorCurrent_ = false;
        view_.setCursor(Cursor::Magnifier, CursorScope::Window);
    } else if (!inside && !arrowCursorCurrent_) {
        arrowCursorCurrent_ = true;
        view_.setCursor(Cursor::Arrow, CursorScope::Window);
    }
}

void Magnifier::onButtonDown(MouseButton button, std::int32_t x, std::int32_t y) {
    const WindowGeometry window = view_.geometry();
    if (!OverPage(window, x, y)) {
        return;
    }
    RecentreInput input;
    input.current = window.scroll;
    input.page = page_.pagePixels();
    input.zoom = state_.zoom;
    input.hScrollNeeded = state_.hScrollNeeded;
    input.vScrollNeeded = state_.vScrollNeeded;
    input.pageArea = window.pageArea;
    input.x = x;
    input.y = y;
    const ScrollPositions next = RecentredScrollPositions(input);
    view_.setScrollPosition(ScrollBar::Horizontal, next.horizontal);
    view_.setScrollPosition(ScrollBar::Vertical, next.vertical);

    // The new percentage goes in as typed text; reading the zoom box limits it to 25..125
    // (and turns 0 into 100) during layout.
    view_.setZoomBoxText(MessageNumber(MagnifierPercentage(state_.zoom, button)), true);
    page_.ShowPageView();
}

} // namespace velk
