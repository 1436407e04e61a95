#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

// A window rectangle in screen pixels, as GetWindowRect reports it.
struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    bool operator==(const WindowRect&) const = default;
};

// A control's place in the main window's client area, as MoveWindow takes it.
struct ClientRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const ClientRect&) const = default;
};

enum class Cursor { Arrow, Wait, Magnifier }; // IDC_ARROW, IDC_WAIT, the MAGNIFY resource

// Now: SetCursor. Window: the window class's cursor too, so that it stays while the mouse moves.
enum class CursorScope { Now, Window };

enum class ScrollBar { Horizontal, Vertical };

enum class MouseButton { Left, Right };

// Scroll positions are percentages of the part of the page that does not fit.
struct ScrollPositions {
    std::int32_t horizontal = 0;
    std::int32_t vertical = 0;
    bool operator==(const ScrollPositions&) const = default;
};

// Frame sizes between the main window's outer rectangle and its client area.
struct WindowFrame {
    std::int32_t frameWidth = 0;    // SM_CXDLGFRAME
    std::int32_t frameHeight = 0;   // SM_CYDLGFRAME
    std::int32_t captionHeight = 0; // SM_CYCAPTION
    std::int32_t menuHeight = 0;    // SM_CYMENU
    bool operator==(const WindowFrame&) const = default;
};

// What the layout, the copy and the hit test measure of the main window.
struct WindowGeometry {
    WindowRect window; // window rectangles, screen coordinates
    WindowRect statusBar;
    WindowRect toolbar;
    WindowRect pageArea;
    WindowFrame frame;
    std::int32_t verticalScrollWidth = 0;    // SM_CXVSCROLL
    std::int32_t horizontalScrollHeight = 0; // SM_CYHSCROLL
    ScrollPositions scroll;
};

// One entry of the toolbar's button list: a separator, or a button showing image `image` of
// bitmap 501 that sends command `commandId`. Every button starts enabled.
struct ToolbarButton {
    bool separator = false;
    int image = 0;
    int commandId = 0;
    bool operator==(const ToolbarButton&) const = default;
};

// Which of the four navigation buttons are enabled.
struct NavigationStates {
    bool first = false;
    bool previous = false;
    bool next = false;
    bool last = false;
    bool operator==(const NavigationStates&) const = default;
};

// The main window's controls as they start.
struct WindowSetup {
    std::string caption;
    std::vector<ToolbarButton> toolbarButtons;
    std::string statusText;
    WindowRect progressPlace;         // in the status bar's client coordinates
    std::int32_t progressMaximum = 0; // range 0..maximum, at 0, hidden
    std::string zoomLabel;
    std::vector<std::string> zoomItems;
    int zoomSelection = 0;
    std::int32_t scrollMaximum = 0; // both bars: range 0..maximum, at 0, not redrawn
};

// The zoom box as it is: the selected item (-1 for none), that item's text when it can be
// read, and the edit field's text.
struct ZoomBoxReading {
    int selection = -1;
    std::optional<std::string> selectedItem;
    std::string editText;
};

// A scroll bar's place in client coordinates, or hidden.
struct ScrollBarPlacement {
    bool shown = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const ScrollBarPlacement&) const = default;
};

// One copy of the off-screen page surface into the page area, always SRCCOPY: BitBlt of
// destination-sized pixels from (sourceX, sourceY) when `stretch` is false, otherwise
// StretchBlt from the source rectangle (a page drawn at full size, shrunk on the way).
struct PageCopy {
    bool stretch = false;
    std::int32_t destWidth = 0; // the destination starts at (0, 0)
    std::int32_t destHeight = 0;
    std::int32_t sourceX = 0;
    std::int32_t sourceY = 0;
    std::int32_t sourceWidth = 0; // used by StretchBlt only
    std::int32_t sourceHeight = 0;
    bool operator==(const PageCopy&) const = default;
};

// Now: through the page area's window device context. InPaint: between BeginPaint and
// EndPaint, answering WM_PAINT.
enum class CopyTime { Now, InPaint };

// A caption of MAINMENU: a popup of the menu bar by position, or an item by command id.
struct MenuText {
    bool popup = false;
    int item = 0;
    std::string text;
    bool operator==(const MenuText&) const = default;
};

struct MenuChange {
    std::vector<MenuText> captions;
    std::vector<int> removedItems; // command ids
};

} // namespace velk
