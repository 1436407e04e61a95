#include "viewer/main_window_ids.h"
#include "viewer_fakes.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::PagesDocument;
using testing::ViewerHarness;
using Lines = std::vector<std::string>;

vlkw::DocumentDescription Report() {
    vlkw::DocumentDescription description = PagesDocument(3, {{1, "Summary"}});
    description.initialZoom = vlkw::kZoom100;
    description.producerWindow = 777;
    return description;
}

Lines Slice(const Lines& lines, std::size_t from, std::size_t count) {
    return Lines(lines.begin() + static_cast<long>(from),
                 lines.begin() + static_cast<long>(std::min(lines.size(), from + count)));
}

TEST(MainWindowStart, StepsRunInTheirOrder) {
    ViewerHarness h{Report()};
    h.window->onInitDialog();
    const Lines expected = {
        "setCursor Wait",
        "becomeMessageOwner",
        "setCaption \"Viewer Test\"",
        "setClassIcon",
        "createToolbar 10",
        "createStatusBar \" Status Bar\"",
        "createProgressBar 300 5 150 12",
        "setProgressRange 0 100",
        "setProgressPosition 0",
        "showProgressBar 0",
        "setControlText ZoomLabel \"Zoom\"",
        "setDialogFont ZoomLabel",
        "bringToTop ZoomLabel",
        "moveOntoToolbar ZoomLabel",
        "setDialogFont ZoomBox",
        "bringToTop ZoomBox",
        "moveOntoToolbar ZoomBox",
        "setDialogFont IndexBox",
        "bringToTop IndexBox",
        "moveOntoToolbar IndexBox",
        "addComboItem ZoomBox \"Fit Width\"",
        "addComboItem ZoomBox \"Fit Window\"",
        "addComboItem ZoomBox \"75%\"",
        "addComboItem ZoomBox \"100%\"",
        "addComboItem ZoomBox \"125%\"",
        "showControl IndexBox 1",
        "clearComboItems IndexBox",
        "addComboItem IndexBox \"< Document Index >\"",
        "addComboItem IndexBox \"Summary" + std::string(93, ' ') + "\"",
        "setComboSelection IndexBox 0",
        "setComboSelection ZoomBox 3",
        "setScrollRange Vertical 0 100 0",
        "setScrollPosition Vertical 0 0",
        "setScrollRange Horizontal 0 100 0",
        "setScrollPosition Horizontal 0 0",
        "attachMenu",
        "setMenuPopupCaption 0 \"&File\"",
        "setMenuPopupCaption 1 \"&Document\"",
        "setMenuItemCaption 701 \"&Print\"",
        "setMenuItemCaption 708 \"&E-Mail\"",
        "setMenuItemCaption 709 \"Fa&x\"",
        "setMenuItemCaption 710 \"&Save\"",
        "setMenuItemCaption 702 \"&Close\"",
        "setMenuItemCaption 703 \"&First Page\"",
        "setMenuItemCaption 704 \"P&revious Page\"",
        "setMenuItemCaption 705 \"&Next Page\"",
        "setMenuItemCaption 706 \"&Last Page\"",
        "setMenuItemCaption 707 \"&Jump to Page\"",
        "removeMenuItem 708",
        "removeMenuItem 709",
        "removeMenuItem 710",
        "createPageSurface 1680 1680",
        "setStatusText \"Page 1 of 3       Summary\"",
        "enableToolbarButton 752 0",
        "enableToolbarButton 753 0",
        "enableToolbarButton 754 1",
        "enableToolbarButton 755 1",
        "maximize",
        "setCursor Arrow",
    };
    EXPECT_EQ(h.view.calls, expected);
    // Nothing is drawn until the window has its size.
    EXPECT_TRUE(h.renderer.pages.empty());
}

TEST(MainWindowStart, BuildingAnnouncesTheViewerFirstAndHidesTheIndex) {
    ViewerHarness h{Report(), true};
    h.window->onInitDialog();
    const Lines& calls = h.view.calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls[0], "sendCopyData 777 103 \"4660\"");
    EXPECT_EQ(calls[1], "setCursor Wait");
    // The index box is hidden before the zoom label is set, and never filled.
    EXPECT_EQ(h.view.indexOf("showControl IndexBox 0") + 1,
              h.view.indexOf("setControlText ZoomLabel \"Zoom\""));
    EXPECT_TRUE(h.view.callsStartingWith("addComboItem IndexBox").empty());
    // Nothing leaves the menu while building.
    EXPECT_TRUE(h.view.removedMenuItems.empty());
    EXPECT_EQ(h.view.statusText, "1 of ?  Building 1");
    EXPECT_EQ(h.view.callsStartingWith("enableToolbarButton"),
              (Lines{"enableToolbarButton 752 0", "enableToolbarButton 753 0",
                     "enableToolbarButton 754 0", "enableToolbarButton 755 0"}));
}

TEST(MainWindowStart, TheInitialZoomSettingSelectsTheZoomItem) {
    const struct {
        std::int32_t setting;
        const char* label;
    } cases[] = {{0, "Fit Width"}, {128, "Fit Window"}, {256, "75%"},
                 {512, "100%"},    {1024, "125%"},      {777, "Fit Width"}};
    for (const auto& c : cases) {
        vlkw::DocumentDescription description = Report();
        description.initialZoom = c.setting;
        ViewerHarness h{description};
        h.window->onInitDialog();
        EXPECT_EQ(h.view.combos[Control::ZoomBox].editText, c.label) << c.setting;
    }
}

TEST(MainWindowStart, WithoutAMenuNothingIsDoneToIt) {
    ViewerHarness h{Report()};
    h.view.menuLoads = false;
    h.window->onInitDialog();
    EXPECT_EQ(h.view.callsStartingWith("attachMenu").size(), 1u);
    EXPECT_TRUE(h.view.callsStartingWith("setMenu").empty());
    EXPECT_TRUE(h.view.callsStartingWith("removeMenuItem").empty());
    h.texts.SetInterfaceText(6, "&Weiter");
    EXPECT_TRUE(h.view.callsStartingWith("setMenu").empty());
}

TEST(MainWindowSize, MinimisingDoesNotDrawRestoringDoes) {
    ViewerHarness h{Report()};
    h.open();
    h.window->onSize(kSizeMinimized, 0, 0);
    EXPECT_TRUE(h.view.calls.empty());
    EXPECT_TRUE(h.renderer.pages.empty());

    for (const int sizeType : {0 /* restored */, 2 /* maximised */}) {
        h.clearLogs();
        h.window->onSize(sizeType, 1000, 700);
        // The status bar is 20 tall: its top goes to 700 - 20.
        EXPECT_EQ(Slice(h.view.calls, 0, 3), (Lines{"moveControl StatusBar 0 680 1000 700",
                                                    "autoSizeToolbar", "setCursor Wait"}))
            << sizeType;
        EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{1}) << sizeType;
    }
}

TEST(MainWindowClose, ReleasesTheSurfaceAndThePageAndEndsTheDialog) {
    ViewerHarness h{Report()};
    h.open();
    h.document.loadPage(2);
    ASSERT_FALSE(h.document.loadedPage.empty());
    h.window->onClose();
    EXPECT_EQ(h.view.calls, (Lines{"releasePageSurface", "endDialog"}));
    EXPECT_TRUE(h.document.loadedPage.empty());
    EXPECT_EQ(h.document.loadedPageNumber, 0);
}

TEST(MainWindowClose, WhileBuildingTheProducerIsToldBeforeTheDialogEnds) {
    ViewerHarness h{Report(), true};
    h.open();
    h.window->onClose();
    EXPECT_EQ(h.view.calls,
              (Lines{"releasePageSurface", "sendCopyData 777 104 \"Dummy Info\"", "endDialog"}));
}

TEST(MainWindowCommands, CloseAsksTheWindowToClose) {
    ViewerHarness h{Report()};
    h.open();
    for (const int id : {kMenuClose, kButtonClose}) {
        h.clearLogs();
        h.window->onCommand(id, 0);
        EXPECT_EQ(h.view.calls, Lines{"requestClose"}) << id;
    }
}

TEST(MainWindowCommands, EscapeAndUnknownIdsAreIgnored) {
    ViewerHarness h{Report()};
    h.open();
    for (const int id : {1, 2, 700, 711, 750, 761, 106, 108}) {
        h.window->onCommand(id, 0);
    }
    EXPECT_TRUE(h.view.calls.empty());
    EXPECT_TRUE(h.actions.calls.empty());
}

TEST(MainWindowCommands, TheZoomBoxRedrawsOnSelectionOrLeaving) {
    ViewerHarness h{Report()};
    h.open();
    const struct {
        int notification;
        bool draws;
    } cases[] = {{kComboSelectionChanged, true}, {kComboLostFocus, true}, {5, false}, {3, false}};
    for (const auto& c : cases) {
        h.clearLogs();
        h.view.typeZoom("60");
        h.window->onCommand(static_cast<int>(Control::ZoomBox), c.notification);
        EXPECT_EQ(!h.renderer.pages.empty(), c.draws) << c.notification;
        if (c.draws) {
            EXPECT_DOUBLE_EQ(h.state.zoom, 0.6);
            EXPECT_EQ(h.view.combos[Control::ZoomBox].editText, "60%");
        }
    }
}

TEST(MainWindowTexts, ChangedSlotsReachTheMenuAndTheZoomLabelAtOnce) {
    const struct {
        int slot;
        Lines calls;
    } cases[] = {
        {1, {"setMenuPopupCaption 0 \"Neu\""}},
        {2, {"setMenuPopupCaption 1 \"Neu\""}},
        {3, {"setMenuItemCaption 702 \"Neu\""}},
        {4, {"setMenuItemCaption 703 \"Neu\""}},
        {7, {"setMenuItemCaption 706 \"Neu\""}},
        {8, {"setMenuItemCaption 707 \"Neu\""}},
        {9, {"setMenuItemCaption 701 \"Neu\""}},
        {10, {"setControlText ZoomLabel \"Neu\""}},
        {24, {"setMenuItemCaption 708 \"Neu\""}},
        {26, {"setMenuItemCaption 710 \"Neu\""}},
        {11, {}},
        {14, {}},
        {23, {}},
        {0, {}},
        {27, {}},
    };
    for (const auto& c : cases) {
        ViewerHarness h{Report()};
        h.open();
        h.texts.SetInterfaceText(c.slot, "  Neu  ");
        EXPECT_EQ(h.view.calls, c.calls) << c.slot;
    }
}

TEST(MainWindowTexts, ARemovedItemStaysRemovedAndTheOthersFollow) {
    ViewerHarness h{Report()};
    h.open();
    h.texts.SetInterfaceText(26, "&Sichern");
    h.texts.SetInterfaceText(6, "&Weiter");
    EXPECT_EQ(h.view.menuItems.count(710), 0u);
    EXPECT_EQ(h.view.menuItems.at(705), "&Weiter");
}

TEST(MainWindowTexts, AClosedWindowNoLongerListens) {
    ViewerHarness h{Report()};
    h.open();
    h.window.reset();
    h.texts.SetInterfaceText(6, "&Weiter");
    EXPECT_TRUE(h.view.calls.empty());
}

TEST(MainWindowTexts, ATextChangedWhileDrawingIsInTheNextStatusText) {
    ViewerHarness h{Report()};
    h.open();
    h.texts.SetInterfaceText(14, "Seite");
    h.window->onCommand(kMenuNext, 0);
    EXPECT_EQ(h.view.statusText, "Seite 2 of 3       ");
}

// The page area of Letter at 100 % in the fake's window lies at (230, 44) to (1029, 927) in
// client coordinates, with a vertical bar.
struct MagnifierFixture : ::testing::Test {
    ViewerHarness h{Report()};
    MagnifierFixture() { h.open(); }
    void move(std::int32_t x, std::int32_t y) { h.window->onMouseMove(x, y); }
};

TEST_F(MagnifierFixture, TheCursorChangesOnlyWhenCrossingThePageEdge) {
    const struct {
        std::int32_t x;
        std::int32_t y;
        Lines calls;
    } steps[] = {
        {230, 44, {"setClassCursor Magnifier", "setCursor Magnifier"}}, // the corner is inside
        {600, 500, {}},
        {1029, 927, {}},
        {1030, 927, {"setClassCursor Arrow", "setCursor Arrow"}},
        {1100, 927, {}},
        {1029, 927, {"setClassCursor Magnifier", "setCursor Magnifier"}},
        {500, 928, {"setClassCursor Arrow", "setCursor Arrow"}},
        {229, 44, {}},
        {230, 43, {}},
    };
    for (const auto& step : steps) {
        h.clearLogs();
        move(step.x, step.y);
        EXPECT_EQ(h.view.calls, step.calls) << step.x << "," << step.y;
    }
}

TEST_F(MagnifierFixture, ALeftClickZoomsInAroundThePoint) {
    h.window->onButtonDown(MouseButton::Left, 500, 300);
    // No horizontal bar: 0. Vertical: (0 + 300) x 100 / 1056 = 28.4.
    EXPECT_EQ(Slice(h.view.calls, 0, 5),
              (Lines{"setScrollPosition Horizontal 0 1", "setScrollPosition Vertical 28 1",
                     "setComboSelection ZoomBox -1", "setControlText ZoomBox \" 120\"",
                     "setCursor Wait"}));
    EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{1});
    EXPECT_DOUBLE_EQ(h.state.zoom, 1.2);
    EXPECT_EQ(h.view.combos[Control::ZoomBox].editText, "120%");
}

TEST_F(MagnifierFixture, ClicksOutsideThePageDoNothing) {
    h.window->onButtonDown(MouseButton::Left, 229, 300);
    h.window->onButtonDown(MouseButton::Right, 600, 928);
    EXPECT_TRUE(h.view.calls.empty());
    EXPECT_TRUE(h.renderer.pages.empty());
}

TEST_F(MagnifierFixture, RightClicksFromTheSmallestZoomStayThere) {
    h.view.typeZoom("25");
    h.window->onCommand(static_cast<int>(Control::ZoomBox), kComboLostFocus);
    ASSERT_DOUBLE_EQ(h.state.zoom, 0.25);
    // Letter at 25 %: 204 x 264, centred at x = 12 + round(1046 / 2) = 535.
    h.clearLogs();
    h.window->onButtonDown(MouseButton::Right, 600, 100);
    EXPECT_EQ(h.view.indexOf("setControlText ZoomBox \" 10\""), 3);
    EXPECT_DOUBLE_EQ(h.state.zoom, 0.25);
    EXPECT_EQ(h.view.combos[Control::ZoomBox].editText, "25%");
}

TEST_F(MagnifierFixture, ARightClickOnAFitZoomOfTwentyPercentGivesHundred) {
    // A window 297 pixels high leaves the status bar's top at 367: fit-window height room
    // 367 - 120 - 36 = 211, and 21100 / 1056 = 19.98 gives 20 %.
    h.view.setComboSelection(Control::ZoomBox, 1);
    h.window->onSize(0, 1274, 297);
    ASSERT_DOUBLE_EQ(h.state.zoom, 0.2);
    // 163 x 211 centred: x = 12 + round(1087 / 2) = 556.
    h.clearLogs();
    h.window->onButtonDown(MouseButton::Right, 600, 100);
    EXPECT_EQ(h.view.indexOf("setControlText ZoomBox \" 0\""), 3);
    EXPECT_DOUBLE_EQ(h.state.zoom, 1.0);
    EXPECT_EQ(h.view.combos[Control::ZoomBox].editText, "100%");
}

} // namespace
} // namespace velk
