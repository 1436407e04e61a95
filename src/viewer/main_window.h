#pragma once

#include "viewer/building_protocol.h"
#include "viewer/commands.h"
#include "document/interface_texts.h"
#include "viewer/magnifier.h"
#include "viewer/main_window_ids.h"
#include "viewer/menus.h"
#include "viewer/navigation.h"
#include "viewer/page_view.h"
#include "viewer/view_types.h"
#include "print/print_job.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velk {

class MainWindowView;
class MessageBoxPort;
class PageRenderer;
class ViewerActions;
struct Document;
struct ScreenSettings;
struct ViewerState;

// What the main window works on, all owned elsewhere for the whole run.
struct MainWindowServices {
    Document& document;
    ViewerState& state;
    InterfaceTexts& texts;
    const ScreenSettings& settings;
    MessageBoxPort& messages;
    ViewerActions& actions;
    PageRenderer& renderer;
};

// The logic of DLG_MAIN. MAINDLGPROC turns each message into one call:
//
//   WM_INITDIALOG               onInitDialog()
//   WM_COMMAND                  onCommand(LOWORD(wParam), HIWORD(wParam))
//   WM_COPYDATA                 onCopyData(dwData, the cbData bytes at lpData; none if null)
//   WM_SIZE                     onSize(wParam, LOWORD(lParam), HIWORD(lParam))
//   WM_CLOSE                    onClose()
//   WM_HSCROLL / WM_VSCROLL     onScroll(Horizontal / Vertical, LOWORD(wParam), HIWORD(wParam))
//   WM_PAINT                    onPaint()
//   WM_MOUSEMOVE                onMouseMove(LOWORD(lParam), HIWORD(lParam))
//   WM_LBUTTONDOWN / RBUTTONDOWN onButtonDown(Left / Right, LOWORD(lParam), HIWORD(lParam))
//   WM_NOTIFY, TTN_NEEDTEXTA    lpszText = onToolTipText(idFrom) when that is not null
//
// and returns 0 for every message. While it exists it listens to the interface text table,
// so texts a page changes reach the menu and the zoom label at once.
class MainWindow : public InterfaceTextListener, public PrintWindow {
  public:
    MainWindow(const MainWindowServices& services, MainWindowView& view);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void onInitDialog();
    void onCommand(int id, int notification);
    void onCopyData(std::uint32_t code, std::string_view text);
    void onSize(int sizeType, std::int32_t clientWidth, std::int32_t clientHeight);
    void onClose();
    void onScroll(ScrollBar bar, int request, std::int32_t thumbPosition);
    void onPaint() { page_.paint(); }
    void onMouseMove(std::int32_t x, std::int32_t y) { magnifier_.onMouseMove(x, y); }
    void onButtonDown(MouseButton button, std::int32_t x, std::int32_t y) {
        magnifier_.onButtonDown(button, x, y);
    }
    // The tooltip of an enabled button, in storage that stays valid until the next call;
    // null for a disabled button or an unknown id.
    const char* onToolTipText(int commandId);

    void interfaceTextChanged(TextSlot slot, const std::string& text) override;

    // A print job started here shows its progress in this window.
    double zoom() override;
    void setZoom(double zoom) override;
    void showBusy(bool busy) override;
    void showPagePrinting(std::int32_t page, std::int32_t lastPage) override;
    void showNormalStatus() override;

  private:
    void runCommand(Command command);
    void runDocumentAction(Command command);

    Document& document_;
    ViewerState& state_;
    InterfaceTexts& texts_;
    MessageBoxPort& messages_;
    ViewerActions& actions_;
    MainWindowView& view_;
    PageView page_;
    Navigator navigator_;
    Magnifier magnifier_;
    MainMenu menu_;
    BuildingProtocol protocol_;
    std::vector<ToolbarButton> toolbarButtons_;
    std::string tooltip_;
};

} // namespace velk
