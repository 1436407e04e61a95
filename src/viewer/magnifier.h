#pragma once

#include "viewer/view_types.h"

#include <cstdint>

namespace velk {

class MainWindowView;
class PageView;
struct ViewerState;

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
    ViewerState& state_;
    MainWindowView& view_;
    PageView& page_;
    bool arrowCursorCurrent_ = false;
};

} // namespace velk
