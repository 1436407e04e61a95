#include "viewer_fakes.h"

#include "render/interpreter.h"
#include "startup/command_line.h"
#include "document/permissions.h"
#include "viewer/viewer_state.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <algorithm>

namespace velk::testing {

namespace {

std::string CursorName(Cursor cursor) {
    switch (cursor) {
    case Cursor::Arrow:
        return "Arrow";
    case Cursor::Wait:
        return "Wait";
    case Cursor::Magnifier:
        return "Magnifier";
    }
    return "?";
}

std::string BarName(ScrollBar bar) {
    return bar == ScrollBar::Horizontal ? "Horizontal" : "Vertical";
}

std::string Flag(bool value) {
    return value ? "1" : "0";
}

std::string CopyText(const PageCopy& c) {
    std::string text = c.stretch ? "StretchBlt" : "BitBlt";
    text += " 0 0 " + std::to_string(c.destWidth) + " " + std::to_string(c.destHeight) + " from " +
            std::to_string(c.sourceX) + " " + std::to_string(c.sourceY);
    if (c.stretch) {
        text += " " + std::to_string(c.sourceWidth) + " " + std::to_string(c.sourceHeight);
    }
    return text;
}

constexpr int kStatusBarHeight = 20;

} // namespace

std::string ControlName(Control control) {
    switch (control) {
    case Control::ZoomLabel:
        return "ZoomLabel";
    case Control::ZoomBox:
        return "ZoomBox";
    case Control::PageArea:
        return "PageArea";
    case Control::VerticalScrollBar:
        return "VerticalScrollBar";
    case Control::HorizontalScrollBar:
        return "HorizontalScrollBar";
    case Control::StatusBar:
        return "StatusBar";
    case Control::Toolbar:
        return "Toolbar";
    case Control::IndexBox:
        return "IndexBox";
    }
    return "?";
}

FakeMainWindowView::FakeMainWindowView() {
    metrics = {{SystemMetric::VerticalScrollWidth, 17}, {SystemMetric::HorizontalScrollHeight, 17},
               {SystemMetric::DialogFrameWidth, 3},     {SystemMetric::DialogFrameHeight, 3},
               {SystemMetric::CaptionHeight, 18},       {SystemMetric::MenuHeight, 19}};
    // Client area 1274 x 957 starting at (103, 90); toolbar 30 tall, status bar 20.
    statusBar = {103, 1027, 1377, 1047};
    toolbar = {103, 90, 1377, 120};
}

std::int32_t ClientLeft(FakeMainWindowView& view) {
    return view.mainWindow.left + view.metrics[SystemMetric::DialogFrameWidth];
}

std::int32_t ClientTop(FakeMainWindowView& view) {
    return view.mainWindow.top + view.metrics[SystemMetric::DialogFrameHeight] +
           view.metrics[SystemMetric::CaptionHeight] + view.metrics[SystemMetric::MenuHeight];
}

std::vector<std::string> FakeMainWindowView::callsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    return found;
}

int FakeMainWindowView::indexOf(const std::string& call) const {
    const auto it = std::find(calls.begin(), calls.end(), call);
    return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
}

void FakeMainWindowView::typeZoom(const std::string& text) {
    combos[Control::ZoomBox].editText = text;
    combos[Control::ZoomBox].selection = -1;
}

void FakeMainWindowView::setCaption(const std::string& text) {
    caption = text;
    log("setCaption " + TraceText(text));
}

void FakeMainWindowView::setCursor(Cursor cursor) {
    log("setCursor " + CursorName(cursor));
}

void FakeMainWindowView::setClassCursor(Cursor cursor) {
    log("setClassCursor " + CursorName(cursor));
}

void FakeMainWindowView::showControl(Control control, bool shown) {
    log("showControl " + ControlName(control) + " " + Flag(shown));
}

void FakeMainWindowView::setControlText(Control control, const std::string& text) {
    log("setControlText " + ControlName(control) + " " + TraceText(text));
    if (control == Control::ZoomBox || control == Control::IndexBox) {
        combos[control].editText = text;
    } else {
        texts[control] = text;
    }
}

std::string FakeMainWindowView::controlText(Control control) {
    const std::string text = control == Control::ZoomBox || control == Control::IndexBox
                                 ? combos[control].editText
                                 : texts[control];
    return text.substr(0, 199);
}

void FakeMainWindowView::moveControl(Control control, std::int32_t x, std::int32_t y,
                                     std::int32_t width, std::int32_t height) {
    log("moveControl " + ControlName(control) + " " + std::to_string(x) + " " + std::to_string(y) +
        " " + std::to_string(width) + " " + std::to_string(height));
    placed_[control] = {x, y, x + width, y + height};
    if (control == Control::StatusBar) {
        // The status control keeps its own height at the bottom of the client area, which is
        // `height` tall here.
        const std::int32_t left = ClientLeft(*this);
        const std::int32_t top = ClientTop(*this);
        statusBar = {left + x, top + height - kStatusBarHeight, left + x + width, top + height};
    }
}

WindowRect FakeMainWindowView::controlRect(Control control) {
    if (control == Control::StatusBar) {
        return statusBar;
    }
    if (control == Control::Toolbar) {
        return toolbar;
    }
    const WindowRect placed = placed_[control];
    const std::int32_t left = ClientLeft(*this);
    const std::int32_t top = ClientTop(*this);
    return {placed.left + left, placed.top + top, placed.right + left, placed.bottom + top};
}

void FakeMainWindowView::moveOntoToolbar(Control control) {
    log("moveOntoToolbar " + ControlName(control));
}

void FakeMainWindowView::clearComboItems(Control box) {
    log("clearComboItems " + ControlName(box));
    combos[box] = {};
}

void FakeMainWindowView::addComboItem(Control box, const std::string& text) {
    log("addComboItem " + ControlName(box) + " " + TraceText(text));
    combos[box].items.push_back(text);
}

void FakeMainWindowView::setComboSelection(Control box, int index) {
    log("setComboSelection " + ControlName(box) + " " + std::to_string(index));
    ComboState& combo = combos[box];
    if (index >= 0 && static_cast<std::size_t>(index) < combo.items.size()) {
        combo.selection = index;
        combo.editText = combo.items[static_cast<std::size_t>(index)];
    } else {
        combo.selection = -1;
        combo.editText.clear();
    }
}

std::optional<std::string> FakeMainWindowView::comboItemText(Control box, int index) {
    const ComboState& combo = combos[box];
    if (itemTextFails || index < 0 || static_cast<std::size_t>(index) >= combo.items.size()) {
        return std::nullopt;
    }
    return combo.items[static_cast<std::size_t>(index)];
}

void FakeMainWindowView::setScrollRange(ScrollBar bar, int minimum, int maximum, bool redraw) {
    log("setScrollRange " + BarName(bar) + " " + std::to_string(minimum) + " " +
        std::to_string(maximum) + " " + Flag(redraw));
}

void FakeMainWindowView::setScrollPosition(ScrollBar bar, int position, bool redraw) {
    log("setScrollPosition " + BarName(bar) + " " + std::to_string(position) + " " + Flag(redraw));
    scrollPositions[bar] = position;
}

void FakeMainWindowView::createToolbar(const std::vector<ToolbarButton>& buttons) {
    log("createToolbar " + std::to_string(buttons.size()));
    toolbarButtons = buttons;
    for (const auto& button : buttons) {
        if (!button.separator) {
            buttonEnabled[button.commandId] = true;
        }
    }
}

void FakeMainWindowView::enableToolbarButton(int commandId, bool enabled) {
    log("enableToolbarButton " + std::to_string(commandId) + " " + Flag(enabled));
    buttonEnabled[commandId] = enabled;
}

void FakeMainWindowView::createStatusBar(const std::string& text) {
    log("createStatusBar " + TraceText(text));
    statusText = text;
}

void FakeMainWindowView::setStatusText(const std::string& text) {
    log("setStatusText " + TraceText(text));
    statusText = text;
}

void FakeMainWindowView::createProgressBar(const WindowRect& p) {
    log("createProgressBar " + std::to_string(p.left) + " " + std::to_string(p.top) + " " +
        std::to_string(p.width()) + " " + std::to_string(p.height()));
}

void FakeMainWindowView::setProgressRange(int minimum, int maximum) {
    log("setProgressRange " + std::to_string(minimum) + " " + std::to_string(maximum));
}

void FakeMainWindowView::setProgressPosition(int position) {
    log("setProgressPosition " + std::to_string(position));
    progressPosition = position;
}

void FakeMainWindowView::showProgressBar(bool shown) {
    log("showProgressBar " + Flag(shown));
    progressShown = shown;
}

bool FakeMainWindowView::attachMenu() {
    log("attachMenu");
    if (menuLoads) {
        menuPopups = {{0, "&File"}, {1, "&Document"}};
        menuItems = {{701, "&Print ..."},     {708, "&E-Mail"},    {709, "&Fax"},
                     {710, "&Save"},          {702, "&Close"},     {703, "&First Page"},
                     {704, "P&revious Page"}, {705, "&Next Page"}, {706, "&Last Page"},
                     {707, "&Jump to Page"}};
    }
    return menuLoads;
}

void FakeMainWindowView::setMenuPopupCaption(int position, const std::string& text) {
    log("setMenuPopupCaption " + std::to_string(position) + " " + TraceText(text));
    menuPopups[position] = text;
}

void FakeMainWindowView::setMenuItemCaption(int commandId, const std::string& text) {
    log("setMenuItemCaption " + std::to_string(commandId) + " " + TraceText(text));
    if (const auto it = menuItems.find(commandId); it != menuItems.end()) {
        it->second = text;
    }
}

void FakeMainWindowView::removeMenuItem(int commandId) {
    log("removeMenuItem " + std::to_string(commandId));
    menuItems.erase(commandId);
    removedMenuItems.push_back(commandId);
}

Surface* FakeMainWindowView::createPageSurface(std::int32_t width, std::int32_t height) {
    log("createPageSurface " + std::to_string(width) + " " + std::to_string(height));
    if (surfaceFails) {
        return nullptr;
    }
    surface = std::make_unique<Surface>(recorder);
    return surface.get();
}

void FakeMainWindowView::releasePageSurface() {
    log("releasePageSurface");
    surface.reset();
}

void FakeMainWindowView::copyToPageArea(const PageCopy& copy) {
    log("copyToPageArea " + CopyText(copy));
}

void FakeMainWindowView::paintPageArea(const PageCopy& copy) {
    log("paintPageArea " + CopyText(copy));
}

void FakeMainWindowView::runJumpDialog(JumpDialog& dialog) {
    log("runJumpDialog");
    if (jumpScript) {
        jumpScript(dialog);
    }
}

void FakeMainWindowView::sendCopyData(std::uint32_t window, std::uint32_t code,
                                      const std::string& text) {
    log("sendCopyData " + std::to_string(window) + " " + std::to_string(code) + " " +
        TraceText(text));
}

void FakeRenderer::renderScreenPage(std::int32_t page, const RenderTarget& target) {
    calls.push_back("render " + std::to_string(page) + " " + std::to_string(target.dpiX) + " " +
                    std::to_string(target.dpiY));
    pages.push_back(page);
    target.surface.textOut(0, 0, "page " + std::to_string(page));
}

ViewerHarness::ViewerHarness(const vlkw::DocumentDescription& description, bool building) {
    files.add(kDocumentName, vlkw::WriteDocument(description));
    document.open(files, kDocumentName, 0);
    document.readHeader();
    if (!building) {
        document.readOptionRecords();
    }
    ApplyCopyRestrictions(document.header, document.base);
    texts.LoadInterfaceTexts(document);
    StartupRequest request;
    request.fileName = kDocumentName;
    request.building = building;
    state = PrepareViewer(document, request.building);
    window.emplace(services(), view);
}

MainWindowServices ViewerHarness::services() {
    return {document, state, texts, settings, messages, actions, renderer};
}

void ViewerHarness::open(std::int32_t clientWidth, std::int32_t clientHeight) {
    window->onInitDialog();
    window->onSize(0, clientWidth, clientHeight);
    clearLogs();
}

void ViewerHarness::clearLogs() {
    view.calls.clear();
    view.recorder.clear();
    renderer.calls.clear();
    renderer.pages.clear();
    actions.calls.clear();
    messages.shown.clear();
}

vlkw::DocumentDescription PagesDocument(int count, std::vector<vlkw::IndexEntry> index) {
    vlkw::DocumentDescription description;
    description.title = "  Viewer Test  ";
    const auto page = vlkw::PageBuilder{}.bytes();
    description.pages.assign(static_cast<std::size_t>(count), page);
    description.index = std::move(index);
    return description;
}

} // namespace velk::testing
