#pragma once

#include "viewer/layout.h"
#include "viewer/view_types.h"

#include <cstdint>

namespace velk {

// Scroll positions (ScrollPositions) are percentages of the part of the page that does not fit.
inline constexpr std::int32_t kScrollMinimum = 0;
inline constexpr std::int32_t kScrollMaximum = 100;

// WM_HSCROLL / WM_VSCROLL request codes (the low word of wParam).
inline constexpr int kScrollLineUp = 0;   // SB_LINEUP, SB_LINELEFT
inline constexpr int kScrollLineDown = 1; // SB_LINEDOWN, SB_LINERIGHT
inline constexpr int kScrollPageUp = 2;   // SB_PAGEUP, SB_PAGELEFT
inline constexpr int kScrollPageDown = 3; // SB_PAGEDOWN, SB_PAGERIGHT
// Request 5 is the one whose high word carries the thumb: the system sends it (SB_THUMBTRACK)
// while the thumb is dragged, so the page follows the thumb; the release (SB_THUMBPOSITION, 4)
// then changes nothing.
inline constexpr int kScrollThumbPosition = 5;

// The bar's new position for a request; other requests (release, top, bottom, end of scroll)
// keep it. The result lies within 0..100.
std::int32_t ScrolledPosition(std::int32_t position, int request, std::int32_t thumbPosition);

struct CopyInput {
    WindowRect pageArea; // its window rectangle
    PagePixels page;
    double zoom = 1.0;
    bool hScrollNeeded = false;
    bool vScrollNeeded = false;
    std::int32_t horizontalPosition = 0;
    std::int32_t verticalPosition = 0;
    // The surface holds the page drawn at full size, to be shrunk to the zoom (ShrunkOnCopy).
    bool fullSizeRendering = false;
};

// The visible part of the off-screen surface. Source coordinates start at 1, so the
// surface's one-pixel border is never shown.
PageCopy ComputePageCopy(const CopyInput& input);

struct RecentreInput {
    ScrollPositions current;
    PagePixels page;
    double zoom = 1.0;
    bool hScrollNeeded = false;
    bool vScrollNeeded = false;
    WindowRect pageArea; // its window rectangle
    std::int32_t x = 0;  // the click, in the main window's client coordinates
    std::int32_t y = 0;
};

// Scroll positions that bring a magnifier click towards the middle; a direction without a
// scroll bar goes back to 0.
ScrollPositions RecentredScrollPositions(const RecentreInput& input);

} // namespace velk
