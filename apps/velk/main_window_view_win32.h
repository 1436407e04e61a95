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

// DLG_MAIN's controls. It knows the dialog from WM_INITDIALOG on; the controls it finds then
// stay its handles after they move onto the toolbar.
class Win32MainWindowView : public MainWindowView {
  public:
    Win32MainWindowView(HINSTANCE instance, MainWindowResources& resources,
                        Win32MessageBox& messages)
        : instance_(instance), resources_(resources), messages_(messages) {}

    void attach(HWND dialog);
    // A WM_SIZE that only undid the maximise of the window's start (see FirstShowGuard).
    bool undoneByFirstShow(WPARAM sizeType);

    std::uintptr_t windowHandle() override;
    bool createControls(const WindowSetup& setup) override;
    void maximize() override;
    void requestClose() override;
    void endDialog() override;
    void setCursor(Cursor cursor, CursorScope scope) override;
    WindowGeometry geometry() override;

    void setZoomLabel(const std::string& text) override;
    void setZoomBoxText(const std::string& text, bool clearSelection) override;
    ZoomBoxReading readZoomBox() override;
    void showIndexBox(const std::optional<std::vector<std::string>>& items) override;
    int indexSelection() override;
    void selectIndexItem(int item) override;
    void setNavigation(const NavigationStates& states) override;

    void setStatusText(const std::string& text) override;
    void showProgress(std::optional<std::int32_t> position) override;
    void fitBars(const ClientRect& statusBar) override;

    WindowRect placePageArea(const ClientRect& area) override;
    void placeScrollBars(const ScrollBarPlacement& vertical,
                         const ScrollBarPlacement& horizontal) override;
    void setScrollPosition(ScrollBar bar, std::int32_t position) override;
    Surface* createPageSurface(std::int32_t width, std::int32_t height) override;
    void releasePageSurface() override;
    void copyPage(const PageCopy& copy, CopyTime time) override;

    void changeMenu(const MenuChange& change) override;

    void runJumpDialog(JumpDialog& dialog) override;
    void sendToProducer(std::uint32_t window, std::uint32_t code, const std::string& text) override;

  private:
    HCURSOR cursorHandle(Cursor cursor) const;
    void createToolbar(const std::vector<ToolbarButton>& buttons);
    void createStatusBar(const WindowSetup& setup);
    void placeOnToolbar(HWND control);
    bool attachMenu();

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
