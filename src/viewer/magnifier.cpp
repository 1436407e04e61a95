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

bool Magnifier::overPage(std::int32_t x, std::int32_t y) {
    const WindowFrame frame{view_.systemMetric(SystemMetric::DialogFrameWidth),
                            view_.systemMetric(SystemMetric::DialogFrameHeight),
                            view_.systemMetric(SystemMetric::CaptionHeight),
                            view_.systemMetric(SystemMetric::MenuHeight)};
    const WindowRect area =
        PageAreaClientRect(view_.controlRect(Control::PageArea), view_.mainWindowRect(), frame);
    return Contains(area, x, y);
}

void Magnifier::installCursor(Cursor cursor) {
    view_.setClassCursor(cursor);
    view_.setCursor(cursor);
}

void Magnifier::onMouseMove(std::int32_t x, std::int32_t y) {
    const bool inside = overPage(x, y);
    if (inside && arrowCursorCurrent_) {
        arrowCursorCurrent_ = false;
        installCursor(Cursor::Magnifier);
    } else if (!inside && !arrowCursorCurrent_) {
        arrowCursorCurrent_ = true;
        installCursor(Cursor::Arrow);
    }
}

void Magnifier::onButtonDown(MouseButton button, std::int32_t x, std::int32_t y) {
    if (!overPage(x, y)) {
        return;
    }
    RecentreInput input;
    input.current = {view_.scrollPosition(ScrollBar::Horizontal),
                     view_.scrollPosition(ScrollBar::Vertical)};
    input.page = page_.pagePixels();
    input.zoom = state_.zoom;
    input.hScrollNeeded = state_.hScrollNeeded;
    input.vScrollNeeded = state_.vScrollNeeded;
    input.pageArea = view_.controlRect(Control::PageArea);
    input.x = x;
    input.y = y;
    const ScrollPositions next = RecentredScrollPositions(input);
    view_.setScrollPosition(ScrollBar::Horizontal, next.horizontal, true);
    view_.setScrollPosition(ScrollBar::Vertical, next.vertical, true);

    // The new percentage goes in as typed text; reading the zoom box limits it to 25..125
    // (and turns 0 into 100) during layout.
    view_.setComboSelection(Control::ZoomBox, -1);
    view_.setControlText(Control::ZoomBox, MessageNumber(MagnifierPercentage(state_.zoom, button)));
    page_.ShowPageView();
}

} // namespace velk
