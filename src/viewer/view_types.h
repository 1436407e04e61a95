#pragma once

#include <cstdint>

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

enum class Cursor { Arrow, Wait, Magnifier }; // IDC_ARROW, IDC_WAIT, the MAGNIFY resource

enum class ScrollBar { Horizontal, Vertical };

enum class MouseButton { Left, Right };

// The GetSystemMetrics values the layout and the hit test use.
enum class SystemMetric {
    VerticalScrollWidth,    // SM_CXVSCROLL
    HorizontalScrollHeight, // SM_CYHSCROLL
    DialogFrameWidth,       // SM_CXDLGFRAME
    DialogFrameHeight,      // SM_CYDLGFRAME
    CaptionHeight,          // SM_CYCAPTION
    MenuHeight,             // SM_CYMENU
};

// One entry of the toolbar's button list: a separator, or a button showing image `image` of
// bitmap 501 that sends command `commandId`. Every button starts enabled.
struct ToolbarButton {
    bool separator = false;
    int image = 0;
    int commandId = 0;
    bool operator==(const ToolbarButton&) const = default;
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

} // namespace velk
