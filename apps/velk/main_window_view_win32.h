#pragma once

#include "gdi_handles.h"
#include "page_surface.h"
#include "platform/win32/win32_message_box.h"
#include "wine_first_show.h"
#include "viewer/main_window_view.h"

#include <windows.h>

#include <memory>

namespace velk::win32 {

// What the viewer makes before DLG_MAIN runs and frees after it has ended. The menu goes to
// the window when it is attached, and the window destroys it; members are released in the
// reverse order of this list: the toolbar bitmap, the magnifier cursor, then the font.
struct MainWindowResources {
    UniqueFont dialogFont;
    UniqueCursor magnifier;
    UniqueBitmap toolbarBitmap; // made with the toolbar
    UniqueMenu menu;
};

// DLG_MAIN's controls, one Win32 call per operation. It knows the dialog from WM_INITDIALOG
// on; the controls it finds then stay its handles after they move onto the toolbar.
class Win32MainWindowView : public MainWindowView {
  public:
    Win32MainWindowView(HINSTANCE instance, MainWindowResources& resources,
                        Win32MessageBox& messages)
        : instance_(instance), resources_(resources), messages_(messages) {}

    void attach(HWND dialog);
    // A WM_SIZE that only undid the maximise of the window's start (see FirstShowGuard).
    bool undoneByFirstShow(WPARAM sizeType);

    std::uintptr_t windowHandle() override;
    void becomeMessageOwner() override;
    void setCaption(const std::string& text) override;
    void setClassIcon() override;
    void setCursor(Cursor cursor) override;
    void setClassCursor(Cursor cursor) override;
    void maximize() override;
    void requestClose() override;
    void endDialog() override;
    WindowRect mainWindowRect() override;
    int systemMetric(SystemMetric metric) override;

    void showControl(Control control, bool shown) override;
    void setControlText(Control control, const std::string& text) override;
    std::string controlText(Control control) override;
    void moveControl(Control control, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height) override;
    WindowRect controlRect(Control control) override;
    void setDialogFont(Control control) override;
    void bringToTop(Control control) override;
    void moveOntoToolbar(Control control) override;

    void clearComboItems(Control box) override;
    void addComboItem(Control box, const std::string& text) override;
    void setComboSelection(Control box, int index) override;
    int comboSelection(Control box) override;
    std::optional<std::string> comboItemText(Control box, int index) override;

    void setScrollRange(ScrollBar bar, int minimum, int maximum, bool redraw) override;
    void setScrollPosition(ScrollBar bar, int position, bool redraw) override;
    int scrollPosition(ScrollBar bar) override;

    void createToolbar(const std::vector<ToolbarButton>& buttons) override;
    void autoSizeToolbar() override;
    void enableToolbarButton(int commandId, bool enabled) override;
    bool toolbarButtonEnabled(int commandId) override;
    void createStatusBar(const std::string& text) override;
    void setStatusText(const std::string& text) override;
    void createProgressBar(const WindowRect& place) override;
    void setProgressRange(int minimum, int maximum) override;
    void setProgressPosition(int position) override;
    void showProgressBar(bool shown) override;

    bool attachMenu() override;
    void setMenuPopupCaption(int position, const std::string& text) override;
    void setMenuItemCaption(int commandId, const std::string& text) override;
    void removeMenuItem(int commandId) override;

    Surface* createPageSurface(std::int32_t width, std::int32_t height) override;
    void releasePageSurface() override;
    void copyToPageArea(const PageCopy& copy) override;
    void paintPageArea(const PageCopy& copy) override;

    void runJumpDialog(JumpDialog& dialog) override;
    void sendCopyData(std::uint32_t window, std::uint32_t code, const std::string& text) override;

  private:
    HWND control(Control id) const;
    HWND scrollBar(ScrollBar bar) const;
    HCURSOR cursorHandle(Cursor cursor) const;
    void setMenuCaption(UINT item, bool byPosition, const std::string& text);

    HINSTANCE instance_;
    MainWindowResources& resources_;
    Win32MessageBox& messages_;
    HWND dialog_ = nullptr;
    HWND zoomLabel_ = nullptr;
    HWND zoomBox_ = nullptr;
    HWND indexBox_ = nullptr;
    HWND pageArea_ = nullptr;
    HWND verticalBar_ = nullptr;
    HWND horizontalBar_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND statusBar_ = nullptr;
    HWND progressBar_ = nullptr;
    HMENU menu_ = nullptr; // the window's, once attached
    std::unique_ptr<PageSurface> page_;
    FirstShowGuard firstShow_;
};

} // namespace velk::win32
