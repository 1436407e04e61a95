#pragma once

// Fakes for the viewer window's presenters: a main window view that keeps the window's state
// as the real controls would, a page renderer that lays out a page of a chosen geometry, and
// the actions.

#include "document/document.h"
#include "base/device_settings.h"
#include "render/page_setup.h"
#include "render/recording_surface.h"
#include "render/surface.h"
#include "support/documents.h"
#include "support/recording_services.h"
#include "document/interface_texts.h"
#include "viewer/edit_dialog_view.h"
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

struct FakeCombo {
    bool shown = true;
    std::vector<std::string> items;
    int selection = -1;
    std::string editText;
};

// DLG_MAIN as the logic left it. Client area 1274 x 957 at (103, 90) on the screen; the
// toolbar is 30 tall, the status bar 20.
class FakeMainWindowView : public MainWindowView {
  public:
    FakeMainWindowView();

    // What the window measures.
    WindowGeometry measured;
    bool menuLoads = true;
    bool surfaceFails = false;
    bool itemTextFails = false;
    std::function<void(JumpDialog&)> jumpScript;

    // The window's state.
    bool maximized = false;
    bool closeRequested = false;
    bool ended = false;
    WindowSetup setup; // as created
    std::string zoomLabel;
    // Before the window fills it: the five items, 100 % chosen.
    FakeCombo zoomBox{true, {"Fit Width", "Fit Window", "75%", "100%", "125%"}, 3, "100%"};
    FakeCombo indexBox;
    NavigationStates navigation;
    std::string statusText;
    std::optional<std::int32_t> progress; // shown at this position
    ClientRect statusBarPlace;            // as last fitted
    ClientRect pageArea;
    ScrollBarPlacement verticalBar;
    ScrollBarPlacement horizontalBar;
    std::map<int, std::string> menuItems;  // command id -> caption, as the menu holds them
    std::map<int, std::string> menuPopups; // position -> caption
    std::vector<int> removedMenuItems;
    int menuChanges = 0;
    SurfaceSize surfaceSize;
    bool surfaceReleased = false;

    // What left the window, in order.
    std::vector<std::string> cursorChanges; // "Wait", "Arrow", "Window Magnifier", ...
    std::vector<std::string> copies;        // the copies into the page area
    std::vector<std::string> producerMessages;
    int jumpDialogsRun = 0;

    // The user types into the zoom box's edit field.
    void typeZoom(const std::string& text) { zoomBox = {zoomBox.shown, zoomBox.items, -1, text}; }

    // The page surface the logic draws on.
    RecordingSurface recorder;
    std::unique_ptr<Surface> surface;

    // MainWindowView
    std::uintptr_t windowHandle() override { return 4660; }
    bool createControls(const WindowSetup& setup) override;
    void maximize() override { maximized = true; }
    void requestClose() override { closeRequested = true; }
    void endDialog() override { ended = true; }
    void setCursor(Cursor cursor, CursorScope scope) override;
    WindowGeometry geometry() override { return measured; }
    void setZoomLabel(const std::string& text) override { zoomLabel = text; }
    void setZoomBoxText(const std::string& text, bool clearSelection) override;
    ZoomBoxReading readZoomBox() override;
    void showIndexBox(const std::optional<std::vector<std::string>>& items) override;
    int indexSelection() override { return indexBox.selection; }
    void selectIndexItem(int item) override { indexBox.selection = item; }
    void setNavigation(const NavigationStates& states) override { navigation = states; }
    void setStatusText(const std::string& text) override { statusText = text; }
    void showProgress(std::optional<std::int32_t> position) override { progress = position; }
    void fitBars(const ClientRect& statusBar) override;
    WindowRect placePageArea(const ClientRect& area) override;
    void placeScrollBars(const ScrollBarPlacement& vertical,
                         const ScrollBarPlacement& horizontal) override {
        verticalBar = vertical;
        horizontalBar = horizontal;
    }
    void setScrollPosition(ScrollBar bar, std::int32_t position) override {
        (bar == ScrollBar::Horizontal ? measured.scroll.horizontal : measured.scroll.vertical) =
            position;
    }
    Surface* createPageSurface(std::int32_t width, std::int32_t height) override;
    void releasePageSurface() override {
        surfaceReleased = true;
        surface.reset();
    }
    void copyPage(const PageCopy& copy, CopyTime time) override;
    void changeMenu(const MenuChange& change) override;
    void runJumpDialog(JumpDialog& dialog) override;
    void sendToProducer(std::uint32_t window, std::uint32_t code, const std::string& text) override;

    // Forgets what left the window (cursor changes, copies, producer messages).
    void clearTraffic();

  private:
    // Where the client area starts on the screen.
    std::int32_t clientLeft() const;
    std::int32_t clientTop() const;
};

// Gives every page the geometry `geometry`, for the page view to lay out, and draws one marker
// text.
class FakeRenderer : public PageRenderer {
  public:
    ScreenPageGeometry geometry;
    std::vector<std::int32_t> pages;
    std::vector<std::string> calls;
    // The status text each page found when it was drawn, when `view` is set.
    const FakeMainWindowView* view = nullptr;
    std::vector<std::string> statusSeen;
    ScreenPageGeometry screenPageGeometry(std::int32_t) override { return geometry; }
    void renderScreenPage(std::int32_t page, const RenderTarget& target) override;
};

class RecordingActions : public ViewerActions {
  public:
    std::vector<std::string> calls;
    void print(PrintWindow&) override { calls.push_back("print"); }
    void email() override { calls.push_back("email"); }
    void fax() override { calls.push_back("fax"); }
    void save() override { calls.push_back("save"); }
};

// A jump or password dialog as its logic left it.
class FakeEditDialog : public EditDialogView {
  public:
    std::string typed = "1";
    std::optional<EditDialogTexts> texts;
    int closeRequests = 0;
    bool ended = false;
    void setTexts(const EditDialogTexts& shown) override { texts = shown; }
    std::string editText() override { return typed; }
    void requestClose() override { ++closeRequests; }
    void endDialog() override { ended = true; }
};

// A main window over a document held in memory, before WM_INITDIALOG.
struct ViewerHarness : OpenedDocument {
    ViewerState state;
    InterfaceTexts texts;
    ScreenSettings settings;
    RecordingMessageBox messages;
    RecordingActions actions;
    FakeRenderer renderer;
    FakeMainWindowView view;
    std::optional<MainWindow> window;

    explicit ViewerHarness(const vlkw::DocumentDescription& description, bool building = false);

    // WM_INITDIALOG, then the WM_SIZE of maximising (to the fake's own client size, 1274 x
    // 957); the logs start empty afterwards.
    void open(std::int32_t clientWidth = 1274, std::int32_t clientHeight = 957);
    void clearLogs();
};

// A document of `count` one-record pages with the given index.
vlkw::DocumentDescription PagesDocument(int count, std::vector<vlkw::IndexEntry> index = {});

} // namespace velk::testing
