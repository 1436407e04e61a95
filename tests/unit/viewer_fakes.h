#pragma once

// Fakes for the viewer window's presenters: a main window view that behaves like the real
// controls where the logic reads them back (combo boxes, scroll bars, toolbar states, the
// page area's rectangle) and logs every operation as one line, a page renderer that lays out
// a page of a chosen geometry, and the actions.

#include "document/document.h"
#include "base/device_settings.h"
#include "render/page_setup.h"
#include "render/recording_surface.h"
#include "render/surface.h"
#include "support/memory_file_system.h"
#include "support/recording_services.h"
#include "document/interface_texts.h"
#include "viewer/jump_dialog.h"
#include "viewer/main_window.h"
#include "viewer/main_window_view.h"
#include "viewer/page_renderer.h"
#include "viewer/viewer_actions.h"
#include "viewer/viewer_state.h"
#include "writer/document_description.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velk::testing {

std::string ControlName(Control control);

class FakeMainWindowView : public MainWindowView {
  public:
    FakeMainWindowView();

    // Every operation, in order; queries are not logged.
    std::vector<std::string> calls;
    // The lines of `calls` that start with `prefix`.
    std::vector<std::string> callsStartingWith(const std::string& prefix) const;
    // Index of the first call equal to `call`, or -1.
    int indexOf(const std::string& call) const;

    // What the queries answer.
    std::uintptr_t handle = 4660;
    WindowRect mainWindow{100, 50, 1380, 1050};
    WindowRect statusBar{103, 1001, 1377, 1021}; // 1274 wide, 20 tall
    WindowRect toolbar{103, 91, 1377, 121};
    std::map<SystemMetric, int> metrics;
    bool menuLoads = true;
    bool surfaceFails = false;
    bool itemTextFails = false;
    std::function<void(JumpDialog&)> jumpScript;

    // Controls as the logic left them.
    struct ComboState {
        std::vector<std::string> items;
        int selection = -1;
        std::string editText;
    };
    std::map<Control, ComboState> combos;
    std::map<ScrollBar, int> scrollPositions;
    std::map<int, bool> buttonEnabled;
    std::map<Control, std::string> texts;
    std::string statusText;
    std::string caption;

    // The user types into the zoom box's edit field.
    void typeZoom(const std::string& text);

    // The page surface the logic draws on.
    RecordingSurface recorder;
    std::unique_ptr<Surface> surface;

    // MainWindowView
    std::uintptr_t windowHandle() override { return handle; }
    void becomeMessageOwner() override { log("becomeMessageOwner"); }
    void setCaption(const std::string& text) override;
    void setClassIcon() override { log("setClassIcon"); }
    void setCursor(Cursor cursor) override;
    void setClassCursor(Cursor cursor) override;
    void maximize() override { log("maximize"); }
    void requestClose() override { log("requestClose"); }
    void endDialog() override { log("endDialog"); }
    WindowRect mainWindowRect() override { return mainWindow; }
    int systemMetric(SystemMetric metric) override { return metrics[metric]; }
    void showControl(Control control, bool shown) override;
    void setControlText(Control control, const std::string& text) override;
    std::string controlText(Control control) override;
    void moveControl(Control control, std::int32_t x, std::int32_t y, std::int32_t width,
                     std::int32_t height) override;
    WindowRect controlRect(Control control) override;
    void setDialogFont(Control control) override { log("setDialogFont " + ControlName(control)); }
    void bringToTop(Control control) override { log("bringToTop " + ControlName(control)); }
    void moveOntoToolbar(Control control) override;
    void clearComboItems(Control box) override;
    void addComboItem(Control box, const std::string& text) override;
    void setComboSelection(Control box, int index) override;
    int comboSelection(Control box) override { return combos[box].selection; }
    std::optional<std::string> comboItemText(Control box, int index) override;
    void setScrollRange(ScrollBar bar, int minimum, int maximum, bool redraw) override;
    void setScrollPosition(ScrollBar bar, int position, bool redraw) override;
    int scrollPosition(ScrollBar bar) override { return scrollPositions[bar]; }
    void createToolbar(const std::vector<ToolbarButton>& buttons) override;
    void autoSizeToolbar() override { log("autoSizeToolbar"); }
    void enableToolbarButton(int commandId, bool enabled) override;
    bool toolbarButtonEnabled(int commandId) override { return buttonEnabled[commandId]; }
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

    std::vector<ToolbarButton> toolbarButtons;
    std::vector<int> removedMenuItems;
    std::map<int, std::string> menuItems;  // command id -> caption, as the menu holds them
    std::map<int, std::string> menuPopups; // position -> caption
    bool progressShown = false;
    int progressPosition = -1;

  private:
    void log(std::string line) { calls.push_back(std::move(line)); }
    std::map<Control, WindowRect> placed_; // client coordinates
};

// Where the page area's client coordinates start on the screen in the fake's main window.
std::int32_t ClientLeft(FakeMainWindowView& view);
std::int32_t ClientTop(FakeMainWindowView& view);

// Gives every page the geometry `geometry`, for the page view to lay out, and draws one marker
// text.
class FakeRenderer : public PageRenderer {
  public:
    ScreenPageGeometry geometry;
    std::vector<std::int32_t> pages;
    std::vector<std::string> calls;
    ScreenPageGeometry screenPageGeometry(std::int32_t) override { return geometry; }
    void renderScreenPage(std::int32_t page, const RenderTarget& target) override;
};

class RecordingActions : public ViewerActions {
  public:
    std::vector<std::string> calls;
    void print() override { calls.push_back("print"); }
    void email() override { calls.push_back("email"); }
    void fax() override { calls.push_back("fax"); }
    void save() override { calls.push_back("save"); }
};

// Records the jump dialog's side of the conversation.
class FakeJumpView : public JumpDialogView {
  public:
    std::string typed = "1";
    std::vector<std::string> calls;
    void setCaption(const std::string& text) override { calls.push_back("caption " + text); }
    void setControlText(int id, const std::string& text) override {
        calls.push_back(std::to_string(id) + " " + text);
    }
    std::string editText() override { return typed; }
    void requestClose() override { calls.push_back("requestClose"); }
    void endDialog() override { calls.push_back("endDialog"); }
};

// A main window over a document held in memory, before WM_INITDIALOG.
struct ViewerHarness {
    static constexpr const char* kDocumentName = "C:\\docs\\viewer.vlk";

    MemoryFileSystem files;
    Document document;
    ViewerState state;
    InterfaceTexts texts;
    ScreenSettings settings;
    RecordingMessageBox messages;
    RecordingActions actions;
    FakeRenderer renderer;
    FakeMainWindowView view;
    std::optional<MainWindow> window;

    explicit ViewerHarness(const vlkw::DocumentDescription& description, bool building = false);

    MainWindowServices services();
    // WM_INITDIALOG, then the WM_SIZE of maximising (to the fake's own client size, 1274 x
    // 957); the logs start empty afterwards.
    void open(std::int32_t clientWidth = 1274, std::int32_t clientHeight = 957);
    void clearLogs();
};

// A document of `count` one-record pages with the given index.
vlkw::DocumentDescription PagesDocument(int count, std::vector<vlkw::IndexEntry> index = {});

} // namespace velk::testing
