#pragma once

#include "viewer/main_window_ids.h"
#include "viewer/view_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk {

class JumpDialog;
class Surface;

// What the main window's logic asks of DLG_MAIN. Each call is one operation on one control (or
// on the window itself) and decides nothing: texts arrive already trimmed and cut, numbers
// already limited. Queries report what the control holds right now.
//
// The Win32 implementation keeps the dialog's handle, the toolbar, the status bar, the
// progress bar, the menu loaded from MAINMENU, the MAGNIFY cursor, the dialog font and the
// off-screen page surface.
class MainWindowView {
  public:
    virtual ~MainWindowView() = default;

    // --- The window itself ---

    // This window's handle as a number, for the producer.
    virtual std::uintptr_t windowHandle() = 0;
    // From now on ShowMessage's boxes are owned by this window.
    virtual void becomeMessageOwner() = 0;
    // SetWindowTextA on the dialog.
    virtual void setCaption(const std::string& text) = 0;
    // SetClassLongA(GCL_HICON) with the VELK_ICON resource.
    virtual void setClassIcon() = 0;
    // LoadCursorA + SetCursor.
    virtual void setCursor(Cursor cursor) = 0;
    // SetClassLongA(GCL_HCURSOR).
    virtual void setClassCursor(Cursor cursor) = 0;
    // ShowWindow(SW_MAXIMIZE); the WM_SIZE it causes comes back as onSize.
    virtual void maximize() = 0;
    // SendMessageA(WM_CLOSE) to this window; it comes back as onClose.
    virtual void requestClose() = 0;
    // EndDialog with result 0.
    virtual void endDialog() = 0;
    // GetWindowRect of the dialog.
    virtual WindowRect mainWindowRect() = 0;
    virtual int systemMetric(SystemMetric metric) = 0;

    // --- Controls (any Control; the status bar and toolbar once they exist) ---

    virtual void showControl(Control control, bool shown) = 0;
    // SetWindowTextA: the zoom label's text, or the zoom box's edit field.
    virtual void setControlText(Control control, const std::string& text) = 0;
    // GetWindowTextA with a buffer of 200 bytes.
    virtual std::string controlText(Control control) = 0;
    // MoveWindow with repaint.
    virtual void moveControl(Control control, std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height) = 0;
    // GetWindowRect, in screen coordinates.
    virtual WindowRect controlRect(Control control) = 0;
    // WM_SETFONT with the dialog font ("MS Sans Serif" 9 points), no redraw.
    virtual void setDialogFont(Control control) = 0;
    // SetWindowPos(HWND_TOP, SWP_NOMOVE | SWP_NOSIZE).
    virtual void bringToTop(Control control) = 0;
    // SetParent(control, toolbar).
    virtual void moveOntoToolbar(Control control) = 0;

    // --- Combo boxes (ZoomBox, IndexBox) ---

    // CB_RESETCONTENT.
    virtual void clearComboItems(Control box) = 0;
    // CB_ADDSTRING.
    virtual void addComboItem(Control box, const std::string& text) = 0;
    // CB_SETCURSEL; -1 clears the selection.
    virtual void setComboSelection(Control box, int index) = 0;
    // CB_GETCURSEL; -1 when nothing is selected.
    virtual int comboSelection(Control box) = 0;
    // CB_GETLBTEXT; nothing when the item cannot be fetched (CB_ERR).
    virtual std::optional<std::string> comboItemText(Control box, int index) = 0;

    // --- Scroll bars of the page area ---

    virtual void setScrollRange(ScrollBar bar, int minimum, int maximum, bool redraw) = 0;
    virtual void setScrollPosition(ScrollBar bar, int position, bool redraw) = 0;
    virtual int scrollPosition(ScrollBar bar) = 0;

    // --- Toolbar, status bar, progress bar ---

    // InitCommonControls, then the toolbar (id 112) with these buttons: CreateMappedBitmap of
    // bitmap 501, CreateToolbarEx (WS_CHILD | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 7 images of
    // 20 x 20), TB_AUTOSIZE, shown.
    virtual void createToolbar(const std::vector<ToolbarButton>& buttons) = 0;
    // TB_AUTOSIZE.
    virtual void autoSizeToolbar() = 0;
    // TB_ENABLEBUTTON.
    virtual void enableToolbarButton(int commandId, bool enabled) = 0;
    // TB_GETSTATE includes TBSTATE_ENABLED.
    virtual bool toolbarButtonEnabled(int commandId) = 0;
    // CreateStatusWindowA (id 111, visible, size grip, clipping siblings) with this text.
    virtual void createStatusBar(const std::string& text) = 0;
    // SetWindowTextA on the status bar.
    virtual void setStatusText(const std::string& text) = 0;
    // A smooth progress control inside the status bar at this place (status bar client
    // coordinates).
    virtual void createProgressBar(const WindowRect& place) = 0;
    virtual void setProgressRange(int minimum, int maximum) = 0;
    virtual void setProgressPosition(int position) = 0;
    virtual void showProgressBar(bool shown) = 0;

    // --- Menu ---

    // SetMenu with MAINMENU; false when the menu did not load.
    virtual bool attachMenu() = 0;
    // SetMenuItemInfoA(MIIM_TYPE, MFT_STRING) by position on the menu bar.
    virtual void setMenuPopupCaption(int position, const std::string& text) = 0;
    // SetMenuItemInfoA(MIIM_TYPE, MFT_STRING) by command id; an item no longer there is passed
    // over without error.
    virtual void setMenuItemCaption(int commandId, const std::string& text) = 0;
    // DeleteMenu by command id.
    virtual void removeMenuItem(int commandId) = 0;

    // --- The off-screen page surface and the page area ---

    // A memory device context compatible with the screen holding a width x height bitmap,
    // as a drawing surface; the bitmap it held before is kept for releasePageSurface. Null when
    // it cannot be made. The view owns it.
    virtual Surface* createPageSurface(std::int32_t width, std::int32_t height) = 0;
    // Puts back the memory context's first bitmap and deletes the page bitmap and the context
    // (whatever of them was made: it is called at close even when createPageSurface failed).
    virtual void releasePageSurface() = 0;
    // The copy into the page area's window device context (GetWindowDC / ReleaseDC).
    virtual void copyToPageArea(const PageCopy& copy) = 0;
    // The copy into the page area between BeginPaint and EndPaint (WM_PAINT).
    virtual void paintPageArea(const PageCopy& copy) = 0;

    // --- Other windows ---

    // DialogBoxParamA("DLG_JUMP", owner this window) with `dialog` as its logic; returns when
    // the dialog has ended.
    virtual void runJumpDialog(JumpDialog& dialog) = 0;
    // WM_COPYDATA through SendMessageA to `window` (a handle value from the document header),
    // wParam 0: dwData = code, lpData = the text with its terminating zero, cbData = its length
    // + 1.
    virtual void sendCopyData(std::uint32_t window, std::uint32_t code,
                              const std::string& text) = 0;
};

} // namespace velk
