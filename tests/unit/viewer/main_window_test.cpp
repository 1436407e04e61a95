#include "viewer/main_window_ids.h"
#include "unit/viewer/viewer_fakes.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::PagesDocument;
using testing::ViewerHarness;
using Lines = std::vector<std::string>;
using Pages = std::vector<std::int32_t>;

vlkw::DocumentDescription Report() {
    vlkw::DocumentDescription description = PagesDocument(3, {{1, "Summary"}});
    description.initialZoom = vlkw::kZoom100;
    description.producerWindow = 777;
    return description;
}

// The zoom, menu, toolbar and status rules have tables of their own; this is the window
// putting them together.
TEST(MainWindowStart, TheWindowShowsTheDocumentOnceItHasItsSize) {
    ViewerHarness h{Report()};
    h.window->onInitDialog();
    const auto& v = h.view;
    EXPECT_EQ(v.setup.caption, "Viewer Test");
    EXPECT_EQ(v.setup.toolbarButtons.size(), 10u);
    EXPECT_EQ(v.setup.progressPlace, (WindowRect{300, 5, 450, 17}));
    EXPECT_EQ(v.progress, std::nullopt);
    EXPECT_EQ(v.zoomBox.selection, 3);
    EXPECT_EQ(v.indexBox.items, (Lines{"< Document Index >", "Summary" + std::string(93, ' ')}));
    EXPECT_EQ(v.indexBox.selection, 0);
    EXPECT_EQ(v.menuItems.at(701), "&Print");
    EXPECT_EQ(v.removedMenuItems, (std::vector<int>{708, 709, 710}));
    EXPECT_EQ(v.statusText, "Page 1 of 3       Summary");
    EXPECT_EQ(v.navigation, (NavigationStates{false, false, true, true}));
    EXPECT_TRUE(v.maximized);
    EXPECT_EQ(v.cursorChanges, (Lines{"Wait", "Arrow"}));
    // Nothing is drawn until the window has its size.
    EXPECT_TRUE(h.renderer.pages.empty());
}

TEST(MainWindowStart, BuildingHidesTheIndex) {
    ViewerHarness h{Report(), true};
    h.window->onInitDialog();
    EXPECT_FALSE(h.view.indexBox.shown);
    // Nothing leaves the menu while building.
    EXPECT_TRUE(h.view.removedMenuItems.empty());
    EXPECT_EQ(h.view.statusText, "1 of ?  Building 1");
    EXPECT_EQ(h.view.navigation, (NavigationStates{false, false, false, false}));
}

TEST(MainWindowSize, MinimisingDoesNotDrawRestoringDoes) {
    ViewerHarness h{Report()};
    h.open();
    const ClientRect placed = h.view.statusBarPlace;
    h.window->onSize(kSizeMinimized, 0, 0);
    EXPECT_EQ(h.view.statusBarPlace, placed);
    EXPECT_TRUE(h.renderer.pages.empty());

    for (const int sizeType : {0 /* restored */, 2 /* maximised */}) {
        h.clearLogs();
        h.window->onSize(sizeType, 1000, 700 + sizeType);
        EXPECT_EQ(h.view.statusBarPlace, (ClientRect{0, 680 + sizeType, 1000, 700 + sizeType}));
        EXPECT_EQ(h.renderer.pages, Pages{1}) << sizeType;
    }
}

// While building, the producer hears of the window at the start and of its end, unless its
// handle is the broadcast handle; a complete document tells it nothing.
TEST(MainWindowClose, ReleasesTheSurfaceAndThePageAndEndsTheDialog) {
    const std::tuple<bool, std::int32_t, bool> cases[] = {
        {false, 777, false},  {true, 777, true},     {true, 0xFFFF, false},
        {true, 0xFFFE, true}, {true, 0x1FFFF, true}, {true, 0, true}};
    for (const auto& [building, producer, told] : cases) {
        vlkw::DocumentDescription description = Report();
        description.producerWindow = producer;
        ViewerHarness h{description, building};
        h.window->onInitDialog();
        h.document.loadPage(2);
        h.window->onClose();
        EXPECT_TRUE(h.view.surfaceReleased);
        EXPECT_TRUE(h.view.ended);
        EXPECT_TRUE(h.document.loadedPage.empty());
        EXPECT_EQ(h.document.loadedPageNumber, 0);
        const std::string to = std::to_string(static_cast<std::uint32_t>(producer));
        EXPECT_EQ(h.view.producerMessages,
                  (told ? Lines{to + " 103 \"4660\"", to + " 104 \"Dummy Info\""} : Lines{}))
            << producer;
    }
}

TEST(MainWindowCommands, CloseAsksTheWindowToCloseOtherIdsDoNothing) {
    for (const int id : {kMenuClose, kButtonClose, 700, 711, 761}) {
        ViewerHarness h{Report()};
        h.open();
        h.window->onCommand(id, 0);
        const bool closes = id == kMenuClose || id == kButtonClose;
        EXPECT_EQ(h.view.closeRequested, closes) << id;
        EXPECT_FALSE(h.view.ended) << id;
        EXPECT_TRUE(h.actions.calls.empty()) << id;
        EXPECT_TRUE(h.renderer.pages.empty()) << id;
    }
}

TEST(MainWindowCommands, TheZoomBoxRedrawsOnSelectionOrLeaving) {
    for (const int notification : {kComboSelectionChanged, kComboLostFocus, 5, 3}) {
        ViewerHarness h{Report()};
        h.open();
        h.view.typeZoom("60");
        h.window->onCommand(static_cast<int>(Control::ZoomBox), notification);
        const bool draws =
            notification == kComboSelectionChanged || notification == kComboLostFocus;
        EXPECT_EQ(h.renderer.pages, draws ? Pages{1} : Pages{}) << notification;
        EXPECT_DOUBLE_EQ(h.state.zoom, draws ? 0.6 : 1.0);
        EXPECT_EQ(h.view.zoomBox.editText, draws ? "60%" : "60");
    }
}

TEST(MainWindowTexts, ChangedSlotsReachTheMenuAndTheZoomLabelAtOnce) {
    enum Target { Popup, Item, Label, Nothing };
    // item: popup position or command id
    const std::tuple<int, Target, int> cases[] = {
        {1, Popup, 0},    {2, Popup, 1},   {3, Item, 702},   {4, Item, 703},   {5, Item, 704},
        {6, Item, 705},   {7, Item, 706},  {8, Item, 707},   {9, Item, 701},   {24, Item, 708},
        {25, Item, 709},  {26, Item, 710}, {10, Label, 0},   {11, Nothing, 0}, {14, Nothing, 0},
        {23, Nothing, 0}, {0, Nothing, 0}, {27, Nothing, 0},
    };
    vlkw::DocumentDescription everything = Report();
    everything.allowMail = vlkw::kMailAllowed;
    everything.allowFax = vlkw::kFaxAllowed;
    everything.allowSave = vlkw::kSaveAllowed;
    for (const auto& [slot, target, item] : cases) {
        ViewerHarness h{everything};
        h.open();
        auto popups = h.view.menuPopups;
        auto items = h.view.menuItems;
        std::string label = h.view.zoomLabel;
        (target == Popup  ? popups[item]
         : target == Item ? items[item]
                          : label) = target == Nothing ? label : "Neu";
        h.texts.SetInterfaceText(slot, "  Neu  ");
        EXPECT_EQ(h.view.menuPopups, popups) << slot;
        EXPECT_EQ(h.view.menuItems, items) << slot;
        EXPECT_EQ(h.view.zoomLabel, label) << slot;
    }
}

// A text changed while the window is open is in the next status text too.
TEST(MainWindowTexts, ARemovedItemStaysRemovedAndAClosedWindowNoLongerListens) {
    ViewerHarness h{Report()};
    h.open();
    h.texts.SetInterfaceText(26, "&Sichern");
    h.texts.SetInterfaceText(6, "&Weiter");
    EXPECT_EQ(h.view.menuItems.count(710), 0u);
    EXPECT_EQ(h.view.menuItems.at(705), "&Weiter");
    h.texts.SetInterfaceText(14, "Seite");
    h.window->onCommand(kMenuNext, 0);
    EXPECT_EQ(h.view.statusText, "Seite 2 of 3       ");
    h.window.reset();
    h.texts.SetInterfaceText(6, "&Vor");
    h.texts.SetInterfaceText(10, "Lupe");
    EXPECT_EQ(h.view.menuItems.at(705), "&Weiter");
    EXPECT_EQ(h.view.zoomLabel, "Zoom");
}

// The page area of Letter at 100 % in the fake's window lies at (230, 44) to (1029, 927) in
// client coordinates, with a vertical bar.
TEST(Magnifier, TheCursorChangesOnlyWhenCrossingThePageEdge) {
    ViewerHarness h{Report()};
    h.open();
    const std::tuple<std::int32_t, std::int32_t, Lines> steps[] = {
        {230, 44, {"Window Magnifier"}}, // the corner is inside
        {1029, 927, {}},
        {1030, 927, {"Window Arrow"}},
        {1029, 927, {"Window Magnifier"}},
        {500, 928, {"Window Arrow"}},
        {229, 44, {}},
        {230, 43, {}},
    };
    for (const auto& [x, y, changes] : steps) {
        h.clearLogs();
        h.window->onMouseMove(x, y);
        EXPECT_EQ(h.view.cursorChanges, changes) << x << "," << y;
    }
}

// The steps and the recentring have tables of their own.
TEST(Magnifier, ClicksZoomAroundThePointOrOutsideThePageDoNothing) {
    for (const std::int32_t x : {500, 229}) {
        ViewerHarness h{Report()};
        h.open();
        h.window->onButtonDown(MouseButton::Left, x, 300);
        const bool inside = x == 500;
        EXPECT_DOUBLE_EQ(h.state.zoom, inside ? 1.2 : 1.0) << x;
        // No horizontal bar: 0. Vertical: (0 + 300) x 100 / 1056 = 28.4.
        EXPECT_EQ(h.view.measured.scroll, (ScrollPositions{0, inside ? 28 : 0})) << x;
        EXPECT_EQ(h.renderer.pages, inside ? Pages{1} : Pages{}) << x;
        // A click types its percentage: no item stays selected.
        EXPECT_EQ(h.view.zoomBox.selection, inside ? -1 : 3) << x;
        EXPECT_EQ(h.view.zoomBox.editText, inside ? "120%" : "100%") << x;
    }
}

TEST(MainWindowPrinting, AJobShowsItsPagesThenTheWindowAsItWas) {
    ViewerHarness h{Report()};
    h.open();
    const std::string status = h.view.statusText;
    h.view.clearTraffic();
    PrintWindow& job = *h.window;
    job.setZoom(0.5);
    EXPECT_DOUBLE_EQ(h.state.zoom, 0.5);
    EXPECT_DOUBLE_EQ(job.zoom(), 0.5);
    job.showBusy(true);
    job.showPagePrinting(3, 12);
    EXPECT_EQ(h.view.statusText, "3 of 12");
    job.showPagePrinting(32768, 40000);
    EXPECT_EQ(h.view.statusText, "32768 of 40000");
    job.showNormalStatus();
    job.showBusy(false);
    EXPECT_EQ(h.view.statusText, status);
    EXPECT_EQ(h.view.cursorChanges, (std::vector<std::string>{"Wait", "Arrow"}));
}

} // namespace
} // namespace velk
