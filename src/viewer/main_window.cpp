#include "viewer/main_window.h"

#include "document/document.h"
#include "base/ansi_text.h"
#include "viewer/main_window_view.h"
#include "viewer/scrolling.h"
#include "viewer/toolbar.h"
#include "viewer/viewer_state.h"
#include "viewer/zoom.h"

namespace velk {

namespace {

constexpr const char* kInitialStatusText = " Status Bar";
constexpr std::int32_t kProgressRangeMaximum = 100;

std::string WindowText(const std::string& text) {
    return CutTo(TrimBlanks(text), kWindowTextLimit);
}

} // namespace

MainWindow::MainWindow(const MainWindowServices& services, MainWindowView& view)
    : document_(services.document), state_(services.state), texts_(services.texts),
      messages_(services.messages), actions_(services.actions), view_(view),
      page_(services.state, services.document, services.texts, services.settings, view,
            services.renderer),
      navigator_(services.state, services.document, services.texts, view, page_),
      magnifier_(services.state, view, page_), menu_(view, services.texts),
      protocol_(services.state, services.document, view, navigator_, page_, menu_) {
    texts_.setListener(this);
}

MainWindow::~MainWindow() {
    texts_.setListener(nullptr);
}

void MainWindow::onInitDialog() {
    if (state_.building) {
        protocol_.announceAttached();
    }
    view_.setCursor(Cursor::Wait, CursorScope::Now);

    WindowSetup setup;
    setup.caption = WindowText(document_.header.title);
    toolbarButtons_ = ToolbarButtons(TakeSnapshot(state_, document_));
    setup.toolbarButtons = toolbarButtons_;
    setup.statusText = kInitialStatusText;
    setup.progressPlace = {kProgressX, kProgressY, kProgressX + kProgressWidth,
                           kProgressY + kProgressHeight};
    setup.progressMaximum = kProgressRangeMaximum;
    setup.zoomLabel = WindowText(texts_.text(TextSlot::Zoom));
    const auto zoomItems = ZoomBoxItems(texts_);
    setup.zoomItems.assign(zoomItems.begin(), zoomItems.end());
    setup.zoomSelection = InitialZoomItem(document_.header.initialZoom);
    setup.scrollMaximum = kScrollMaximum;
    const bool menuAttached = view_.createControls(setup);

    navigator_.FillIndexBox();
    menu_.attached(menuAttached, TakeSnapshot(state_, document_));
    page_.createSurface();
    navigator_.UpdateStatusText();
    navigator_.UpdateNavigationButtons();
    // The WM_SIZE this causes draws the first page.
    view_.maximize();
    view_.setCursor(Cursor::Arrow, CursorScope::Now);
    magnifier_.arrowInstalled();
}

void MainWindow::onCopyData(std::uint32_t code, std::string_view text) {
    protocol_.onCopyData(code, text);
}

void MainWindow::onSize(int sizeType, std::int32_t clientWidth, std::int32_t clientHeight) {
    // A minimised window shows nothing; the page is drawn again when it is restored.
    if (sizeType == kSizeMinimized) {
        return;
    }
    const WindowRect statusBar = view_.geometry().statusBar;
    // The status bar then fits itself to the bottom edge at its own height.
    view_.fitBars({0, clientHeight - statusBar.height(), clientWidth, clientHeight});
    page_.ShowPageView();
}

void MainWindow::onClose() {
    page_.releaseSurface();
    std::vector<std::uint8_t>().swap(document_.loadedPage);
    document_.loadedPageNumber = 0;
    if (state_.building) {
        protocol_.announceClosing();
    }
    view_.endDialog();
}

void MainWindow::onScroll(ScrollBar bar, int request, std::int32_t thumbPosition) {
    page_.scroll(bar, request, thumbPosition);
}

const char* MainWindow::onToolTipText(int commandId) {
    const auto slot = TooltipSlot(commandId);
    if (!slot || !ToolbarButtonEnabled(toolbarButtons_, navigator_.buttons(), commandId)) {
        return nullptr;
    }
    tooltip_ = CutTo(texts_.text(*slot), kTooltipLimit);
    return tooltip_.c_str();
}

void MainWindow::interfaceTextChanged(TextSlot slot, const std::string& text) {
    if (slot == TextSlot::Zoom) {
        view_.setZoomLabel(WindowText(text));
        return;
    }
    menu_.slotChanged(slot, text);
}

} // namespace velk
