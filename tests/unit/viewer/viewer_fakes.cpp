#include "unit/viewer/viewer_fakes.h"

#include "render/interpreter.h"
#include "document/permissions.h"
#include "viewer/viewer_state.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <algorithm>

namespace velk::testing {

namespace {

std::string CursorName(Cursor cursor) {
    constexpr const char* kNames[] = {"Arrow", "Wait", "Magnifier"};
    return kNames[static_cast<int>(cursor)];
}

std::string CopyText(const PageCopy& c) {
    std::string text = c.stretch ? "StretchBlt" : "BitBlt";
    text += " " + std::to_string(c.destWidth) + "x" + std::to_string(c.destHeight) + " from " +
            std::to_string(c.sourceX) + " " + std::to_string(c.sourceY);
    if (c.stretch) {
        text += " " + std::to_string(c.sourceWidth) + "x" + std::to_string(c.sourceHeight);
    }
    return text;
}

constexpr std::int32_t kStatusBarHeight = 20;

} // namespace

FakeMainWindowView::FakeMainWindowView() {
    measured.window = {100, 50, 1380, 1050};
    measured.frame = {3, 3, 18, 19};
    measured.verticalScrollWidth = 17;
    measured.horizontalScrollHeight = 17;
    // Client area 1274 x 957 starting at (103, 90); toolbar 30 tall, status bar 20.
    measured.statusBar = {103, 1027, 1377, 1047};
    measured.toolbar = {103, 90, 1377, 120};
}

std::int32_t FakeMainWindowView::clientLeft() const {
    return measured.window.left + measured.frame.frameWidth;
}

std::int32_t FakeMainWindowView::clientTop() const {
    return measured.window.top + measured.frame.frameHeight + measured.frame.captionHeight +
           measured.frame.menuHeight;
}

void FakeMainWindowView::clearTraffic() {
    cursorChanges.clear();
    copies.clear();
    producerMessages.clear();
}

bool FakeMainWindowView::createControls(const WindowSetup& given) {
    setup = given;
    navigation = {true, true, true, true};
    statusText = given.statusText;
    zoomLabel = given.zoomLabel;
    zoomBox.items = given.zoomItems;
    zoomBox.selection = given.zoomSelection;
    zoomBox.editText = given.zoomItems.at(static_cast<std::size_t>(given.zoomSelection));
    if (menuLoads) {
        menuPopups = {{0, "&File"}, {1, "&Document"}};
        menuItems = {{701, "&Print ..."},     {708, "&E-Mail"},    {709, "&Fax"},
                     {710, "&Save"},          {702, "&Close"},     {703, "&First Page"},
                     {704, "P&revious Page"}, {705, "&Next Page"}, {706, "&Last Page"},
                     {707, "&Jump to Page"}};
    }
    return menuLoads;
}

void FakeMainWindowView::setCursor(Cursor shown, CursorScope scope) {
    cursorChanges.push_back((scope == CursorScope::Window ? "Window " : "") + CursorName(shown));
}

void FakeMainWindowView::setZoomBoxText(const std::string& text, bool clearSelection) {
    if (clearSelection) {
        zoomBox.selection = -1;
    }
    zoomBox.editText = text;
}

ZoomBoxReading FakeMainWindowView::readZoomBox() {
    ZoomBoxReading reading;
    reading.selection = zoomBox.selection;
    if (!itemTextFails && zoomBox.selection >= 0 &&
        static_cast<std::size_t>(zoomBox.selection) < zoomBox.items.size()) {
        reading.selectedItem = zoomBox.items[static_cast<std::size_t>(zoomBox.selection)];
    }
    reading.editText = zoomBox.editText;
    return reading;
}

void FakeMainWindowView::showIndexBox(const std::optional<std::vector<std::string>>& items) {
    indexBox.shown = items.has_value();
    if (items) {
        indexBox = {true, *items, -1, ""};
    }
}

void FakeMainWindowView::fitBars(const ClientRect& place) {
    // The status control keeps its own height at the bottom of the client area, which is
    // `place.height` tall here.
    statusBarPlace = place;
    measured.statusBar = {clientLeft() + place.x, clientTop() + place.height - kStatusBarHeight,
                          clientLeft() + place.x + place.width, clientTop() + place.height};
    measured.toolbar.right = measured.toolbar.left + place.width;
}

WindowRect FakeMainWindowView::placePageArea(const ClientRect& area) {
    pageArea = area;
    // As MoveWindow leaves it: a negative size becomes 0.
    const std::int32_t left = clientLeft() + area.x;
    const std::int32_t top = clientTop() + area.y;
    measured.pageArea = {left, top, left + std::max(0, area.width), top + std::max(0, area.height)};
    return measured.pageArea;
}

Surface* FakeMainWindowView::createPageSurface(std::int32_t width, std::int32_t height) {
    surfaceSize = {width, height};
    if (surfaceFails) {
        return nullptr;
    }
    surface = std::make_unique<Surface>(recorder);
    return surface.get();
}

void FakeMainWindowView::copyPage(const PageCopy& copy, CopyTime time) {
    copies.push_back((time == CopyTime::InPaint ? "paint " : "copy ") + CopyText(copy));
}

void FakeMainWindowView::changeMenu(const MenuChange& change) {
    ++menuChanges;
    for (const auto& caption : change.captions) {
        if (caption.popup) {
            menuPopups[caption.item] = caption.text;
        } else if (const auto it = menuItems.find(caption.item); it != menuItems.end()) {
            it->second = caption.text;
        }
    }
    for (const int item : change.removedItems) {
        menuItems.erase(item);
        removedMenuItems.push_back(item);
    }
}

void FakeMainWindowView::runJumpDialog(JumpDialog& dialog) {
    ++jumpDialogsRun;
    if (jumpScript) {
        jumpScript(dialog);
    }
}

void FakeMainWindowView::sendToProducer(std::uint32_t window, std::uint32_t code,
                                        const std::string& text) {
    producerMessages.push_back(std::to_string(window) + " " + std::to_string(code) + " " +
                               TraceText(text));
}

void FakeRenderer::renderScreenPage(std::int32_t page, const RenderTarget& target) {
    calls.push_back("render " + std::to_string(page) + " " + std::to_string(target.dpiX) + " " +
                    std::to_string(target.dpiY));
    pages.push_back(page);
    if (view != nullptr) {
        statusSeen.push_back(view->statusText);
    }
    target.surface.textOut(0, 0, "page " + std::to_string(page));
}

ViewerHarness::ViewerHarness(const vlkw::DocumentDescription& description, bool building)
    : OpenedDocument(vlkw::WriteDocument(description), "C:\\docs\\viewer.vlk") {
    if (!building) {
        document.readOptionRecords();
    }
    ApplyCopyRestrictions(document.header, document.base);
    texts.LoadInterfaceTexts(document);
    state = PrepareViewer(document, building);
    renderer.view = &view;
    window.emplace(
        MainWindowServices{document, state, texts, settings, messages, actions, renderer}, view);
}

void ViewerHarness::open(std::int32_t clientWidth, std::int32_t clientHeight) {
    window->onInitDialog();
    window->onSize(0, clientWidth, clientHeight);
    clearLogs();
}

void ViewerHarness::clearLogs() {
    view.clearTraffic();
    view.recorder.clear();
    renderer.calls.clear();
    renderer.pages.clear();
    renderer.statusSeen.clear();
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
