#pragma once

#include "viewer/layout.h"
#include "viewer/view_types.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velk {

class InterfaceTexts;

// Zoom box items: 0 interface text 12, 1 interface text 11, then three fixed percentages.
inline constexpr int kZoomBoxItemCount = 5;
std::array<std::string, kZoomBoxItemCount> ZoomBoxItems(const InterfaceTexts& texts);

// The item the document's initial zoom setting selects.
int InitialZoomItem(std::int32_t initialZoom);

// Typed percentages are held within these; 0 (no number) means 100.
inline constexpr std::int32_t kLowestZoom = 25;
inline constexpr std::int32_t kHighestZoom = 125;

// A fit percentage is not limited to the typed range, but it is kept at 1 or more so that a
// window with no room left never gives a zoom of zero or below, and within 16 bits.
inline constexpr std::int32_t kLowestFit = 1;
inline constexpr std::int32_t kHighestFit = 32767;

// The largest whole page at the current window size. The room is measured from the status
// bar's and the toolbar's window rectangles.
std::int32_t FitWindowPercentage(const WindowRect& statusBar, const WindowRect& toolbar,
                                 const PagePixels& page);
// The page's width across the room.
std::int32_t FitWidthPercentage(const WindowRect& statusBar, const PagePixels& page);

// A percentage typed or put into the zoom box: its first four characters, read leniently.
std::int32_t TypedZoomPercentage(std::string_view text);

enum class ZoomMode { FitWindow, FitWidth, Typed };

// What a zoom box text asks for, and the label that goes back into the box.
struct ZoomRequest {
    ZoomMode mode = ZoomMode::Typed;
    std::int32_t percentage = 100; // for ZoomMode::Typed
    std::string label;
};

ZoomRequest InterpretZoomText(std::string_view text, const InterfaceTexts& texts);

// The percentage a magnifier click asks for; the zoom box's limits apply later.
std::int32_t MagnifierPercentage(double zoom, MouseButton button);

} // namespace velk
