#pragma once

#include "viewer/view_types.h"

#include <cstdint>

namespace velk {

class MainWindowView;
class PageView;
struct ViewerState;

// Frame sizes between the main window's outer rectangle and its client area.
struct WindowFrame {
    std::int32_t frameWidth = 0;    // SM_CXDLGFRAME
    std::int32_t frameHeight = 0;   // SM_CYDLGFRAME
    std::int32_t captionHeight = 0; // SM_CYCAPTION
    std::int32_t menuHeight = 0;    // SM_CYMENU
};

// The page area in the main window's client coordinates, from the two window rectangles.
WindowRect PageAreaClientRect(const WindowRect& pageArea, const WindowRect& mainWindow,
                              const WindowFrame& frame);

// Edges count as inside.
bool Contains(const WindowRect& rect, std::int32_t x, std::int32_t y);

// Over the page the cursor is a magnifier: a left click zooms in around the point, a right
// click zooms out.
class Magnifier {
  public:
    Magnifier(ViewerState& state, MainWindowView& view, PageView& page)
        : state_(state), view_(view), page_(page) {}

    // The arrow is the class cursor (end of window start).
    void arrowInstalled() { arrowCursorCurrent_ = true; }

    // x and y: the mouse message's position, the two unsigned 16-bit halves of lParam.
    void onMouseMove(std::int32_t x, std::int32_t y);
    void onButtonDown(MouseButton button, std::int32_t x, std::int32_t y);

  private:
    bool overPage(std::int32_t x, std::int32_t y);
    void installCursor(Cursor cursor);

    ViewerState& state_;
    MainWindowView& view_;
    PageView& page_;
    bool arrowCursorCurrent_ = false;
};

} // namespace velk
