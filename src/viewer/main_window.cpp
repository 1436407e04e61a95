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

constexpr int kZoomLabelSlot = 10;
constexpr const char* kInitialStatusText = " Status Bar";

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

void MainWindow::placeOnToolbar(Control control) {
    view_.setDialogFont(control);
    view_.bringToTop(control);
    view_.moveOntoToolbar(control);
}

void MainWindow::onInitDialog() {
    if (state_.building) {
        protocol_.announceAttached();
    }
    view_.setCursor(Cursor::Wait);
    view_.becomeMessageOwner();
    view_.setCaption(WindowText(document_.header.title));
    view_.setClassIcon();
    view_.createToolbar(ToolbarButtons(TakeSnapshot(state_, document_)));

    view_.createStatusBar(kInitialStatusText);
    view_.createProgressBar(
        {kProgressX, kProgressY, kProgressX + kProgressWidth, kProgressY + kProgressHeight});
    view_.setProgressRange(0, 100);
    view_.setProgressPosition(0);
    view_.showProgressBar(false);

    if (state_.building) {
        view_.showControl(Control::IndexBox, false);
    }
    view_.setControlText(Control::ZoomLabel, WindowText(texts_.text(kZoomLabelSlot)));
    placeOnToolbar(Control::ZoomLabel);
    placeOnToolbar(Control::ZoomBox);
    placeOnToolbar(Control::IndexBox);

    for (const auto& item : ZoomBoxItems(texts_)) {
        view_.addComboItem(Control::ZoomBox, item);
    }
    navigator_.FillIndexBox();
    view_.setComboSelection(Control::ZoomBox, InitialZoomItem(document_.header.initialZoom));

    for (const ScrollBar bar : {ScrollBar::Vertical, ScrollBar::Horizontal}) {
        view_.setScrollRange(bar, kScrollMinimum, kScrollMaximum, false);
        view_.setScrollPosition(bar, kScrollMinimum, false);
    }

    menu_.ApplyMenuCaptions();
    menu_.RemoveDisallowedMenuItems(TakeSnapshot(state_, document_));

    page_.createSurface();
    navigator_.UpdateStatusText();
    navigator_.UpdateNavigationButtons();
    // The WM_SIZE this causes draws the first page.
    view_.maximize();
    view_.setCursor(Cursor::Arrow);
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
    const WindowRect statusBar = view_.controlRect(Control::StatusBar);
    // The status bar then fits itself to the bottom edge at its own height.
    view_.moveControl(Control::StatusBar, 0, clientHeight - statusBar.height(), clientWidth,
                      clientHeight);
    view_.autoSizeToolbar();
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
    if (!slot || !view_.toolbarButtonEnabled(commandId)) {
        return nullptr;
    }
    tooltip_ = CutTo(texts_.text(*slot), kTooltipLimit);
    return tooltip_.c_str();
}

void MainWindow::interfaceTextChanged(int slot, const std::string& text) {
    if (slot == kZoomLabelSlot) {
        view_.setControlText(Control::ZoomLabel, WindowText(text));
        return;
    }
    menu_.slotChanged(slot, text);
}

} // namespace velk
