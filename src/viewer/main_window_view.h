#pragma once

#include "viewer/view_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

class JumpDialog;
class Surface;

// What the main window's logic asks of DLG_MAIN, in the window's own terms: its caption and
// controls at start, the navigation buttons, the page area and its scroll bars, the status
// text, the zoom and index boxes, the menu, the cursor, the page surface. Every decision is
// the caller's: texts arrive trimmed and cut, places computed, items chosen. Queries report
// what the window holds right now.
//
// The Win32 implementation keeps the dialog's handle, the toolbar, the status bar, the
// progress bar, the menu loaded from MAINMENU, the MAGNIFY cursor, the dialog font and the
// off-screen page surface.
class MainWindowView {
  public:
    virtual ~MainWindowView() = default;

    // --- The window ---

    // This window's handle as a number, for the producer.
    virtual std::uintptr_t windowHandle() = 0;
    // Everything DLG_MAIN gets at start, in this order: ShowMessage's boxes owned by this
    // window, the caption, the VELK_ICON class icon, the toolbar with its buttons, the status
    // bar with its first text, the hidden progress bar inside it, the zoom label's text, the
    // zoom label and both boxes moved onto the toolbar in the dialog font, the zoom box's items
    // and selection, both scroll bars' ranges and positions, then MAINMENU attached. Returns
    // whether the menu could be attached.
    virtual bool createControls(const WindowSetup& setup) = 0;
    // ShowWindow(SW_MAXIMIZE); the WM_SIZE it causes comes back as onSize.
    virtual void maximize() = 0;
    // WM_CLOSE sent to this window; it comes back as onClose.
    virtual void requestClose() = 0;
    // EndDialog with result 0.
    virtual void endDialog() = 0;
    // The cursor now; with CursorScope::Window also the class cursor, first.
    virtual void setCursor(Cursor cursor, CursorScope scope) = 0;
    // The rectangles, metrics and scroll positions the layout and the hit test measure.
    virtual WindowGeometry geometry() = 0;

    // --- Toolbar ---

    virtual void setZoomLabel(const std::string& text) = 0;
    // The zoom box's edit field; `clearSelection` first drops the selected item.
    virtual void setZoomBoxText(const std::string& text, bool clearSelection) = 0;
    virtual ZoomBoxReading readZoomBox() = 0;
    // Hidden when there are no items; otherwise shown and filled anew with `items`.
    virtual void showIndexBox(const std::optional<std::vector<std::string>>& items) = 0;
    // -1 when nothing is selected.
    virtual int indexSelection() = 0;
    virtual void selectIndexItem(int item) = 0;
    // The four navigation buttons, enabled or greyed.
    virtual void setNavigation(const NavigationStates& states) = 0;

    // --- Status bar ---

    virtual void setStatusText(const std::string& text) = 0;
    // The progress bar at this position, or hidden.
    virtual void showProgress(std::optional<std::int32_t> position) = 0;
    // Moves the status bar (which then fits its own height to the bottom edge) and lets the
    // toolbar fit the new width.
    virtual void fitBars(const ClientRect& statusBar) = 0;

    // --- Page area ---

    // Moves the page area; returns its window rectangle as the system left it.
    virtual WindowRect placePageArea(const ClientRect& area) = 0;
    // Each bar moved where it is shown, then shown or hidden: vertical, then horizontal.
    virtual void placeScrollBars(const ScrollBarPlacement& vertical,
                                 const ScrollBarPlacement& horizontal) = 0;
    virtual void setScrollPosition(ScrollBar bar, std::int32_t position) = 0;
    // A memory device context compatible with the screen holding a width x height bitmap,
    // as a drawing surface; null when it cannot be made. The view owns it.
    virtual Surface* createPageSurface(std::int32_t width, std::int32_t height) = 0;
    // Frees whatever of the surface was made (also after createPageSurface failed).
    virtual void releasePageSurface() = 0;
    // The page surface copied into the page area: at once, or inside WM_PAINT.
    virtual void copyPage(const PageCopy& copy, CopyTime time) = 0;

    // --- Menu ---

    // Captions set (a changed popup caption redraws the menu bar), then items removed.
    virtual void changeMenu(const MenuChange& change) = 0;

    // --- Other windows ---

    // DLG_JUMP, owned by this window, with `dialog` as its logic; returns when it has ended.
    virtual void runJumpDialog(JumpDialog& dialog) = 0;
    // WM_COPYDATA sent to `window` (a handle value from the document header), wParam 0:
    // dwData = code, lpData = the text with its terminating zero, cbData = its length + 1.
    virtual void sendToProducer(std::uint32_t window, std::uint32_t code,
                                const std::string& text) = 0;
};

} // namespace velk
