// The main window as the sample report opens in it: maximised on page 1, the document's
// title as caption, the status text, the zoom from the document, the index box, the toolbar,
// the menu, and a picture of the page. The page area's size at that zoom is a row of
// viewer_zoom_test.cpp.

#include "resource.h"
#include "temp_folder.h"
#include "uidriver/common_controls.h"
#include "uidriver/controls.h"
#include "viewer_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

// The index captions as the box lists them: all 100 characters, blanks included.
std::string Padded(const std::string& caption) {
    return caption + std::string(100 - caption.size(), ' ');
}

using SampleOpened = SampleViewerTest;

TEST_F(SampleOpened, ShowsPageOneMaximisedWithTitleStatusAndZoom) {
    EXPECT_EQ(viewer->caption(), kSampleTitle);
    EXPECT_TRUE(viewer->maximized());
    EXPECT_EQ(viewer->statusText(),
              std::string("Page 1 of 7") + kStatusGap + "Summary ... Key figures");

    // The document asks for 100 %.
    const HWND zoom = viewer->control(IDC_ZOOM_BOX);
    EXPECT_THAT(uidriver::ComboItems(zoom),
                ElementsAre("Fit Width", "Fit Window", "75%", "100%", "125%"));
    EXPECT_EQ(uidriver::WindowText(zoom), "100%");
    EXPECT_EQ(uidriver::WindowText(viewer->control(IDC_ZOOM_LABEL)), "Zoom");

    EXPECT_FALSE(viewer->shows(viewer->progressBar()));

    // The index box lists the index under its heading.
    const HWND index = viewer->control(IDC_INDEX_BOX);
    EXPECT_TRUE(viewer->shows(index));
    EXPECT_THAT(uidriver::ComboItems(index),
                ElementsAre("< Document Index >", Padded("Summary"), Padded("Key figures"),
                            Padded("Sales by region"), Padded("Regional notes"),
                            Padded("Monthly sales chart"), Padded("Product lines"),
                            Padded("European operations"), Padded("Outlook for the fourth quarter"),
                            Padded("Targets"), Padded("Contacts")));
    EXPECT_EQ(uidriver::ComboSelection(index), 0);
    EXPECT_TRUE(viewer->close().messages.empty());
}

// The menu's captions come from the text table, not the resource ("&Print ...", "&Fax"), and
// the toolbar's tooltips too, only for enabled buttons (every one a row of the unit table).
TEST_F(SampleOpened, MenuAndToolTipsCarryTheInterfaceTexts) {
    const auto bar = viewer->menu();
    ASSERT_TRUE(bar.has_value());
    EXPECT_THAT(PopupCaptions(*bar), ElementsAre("&File", "&Document"));
    ASSERT_THAT(*bar, SizeIs(2));
    EXPECT_THAT(MenuCaptions(*bar)[0],
                ElementsAre("&Print", "&E-Mail", "Fa&x", "&Save", "-", "&Close"));
    EXPECT_THAT(MenuCaptions(*bar)[1], ElementsAre("&First Page", "P&revious Page", "&Next Page",
                                                   "&Last Page", "-", "&Jump to Page"));
    std::vector<UINT> ids;
    for (const auto& popup : *bar) {
        for (const auto& entry : popup.entries) {
            ids.push_back(entry.id);
        }
    }
    EXPECT_THAT(ids, ElementsAre(IDM_PRINT, IDM_EMAIL, IDM_FAX, IDM_SAVE, 0u, IDM_CLOSE, IDM_FIRST,
                                 IDM_PREVIOUS, IDM_NEXT, IDM_LAST, 0u, IDM_JUMP));

    const struct {
        int command;
        std::optional<std::string> text; // nothing: the window gives no text
    } tips[] = {
        {IDT_CLOSE, "&Close"}, {IDT_FIRST, std::nullopt}, {IDT_SAVE, "&Save"}, {0, std::nullopt}};
    for (const auto& tip : tips) {
        const auto answer = viewer->toolTip(tip.command);
        ASSERT_TRUE(answer.has_value()) << tip.command;
        EXPECT_EQ(*answer, (uidriver::ToolTipAnswer{tip.text.has_value(), tip.text.value_or("")}))
            << tip.command;
    }
}

// A picture to look at, and the colours a drawn page must have: the white paper and the navy
// banner of the report's first page, inside the page area and nowhere above it.
TEST_F(SampleOpened, PageAreaShowsTheFirstPage) {
    const auto picture = viewer->capture("viewer-sample-page-1");
    ASSERT_TRUE(picture.has_value());

    RECT window{};
    RECT area{};
    GetWindowRect(viewer->window(), &window);
    GetWindowRect(viewer->control(IDC_PAGE_AREA), &area);
    OffsetRect(&area, -window.left, -window.top);
    const COLORREF navy = RGB(20, 40, 90);
    const COLORREF white = RGB(255, 255, 255);
    const int areaPixels = (area.right - area.left) * (area.bottom - area.top);
    EXPECT_GT(CountColour(*picture, area, white), areaPixels / 2);
    // The banner runs across the page, half an inch tall.
    EXPECT_GT(CountColour(*picture, area, navy), 500 * 40);
    const RECT aboveArea{0, 0, picture->width, area.top};
    EXPECT_EQ(CountColour(*picture, aboveArea, navy), 0);
    // The page's border row is not copied: the first row shows paper.
    EXPECT_EQ(picture->pixel(area.left + 10, area.top), white);
}

// Escape reaches the dialog as IDCANCEL, which is no command of the main window.
TEST_F(SampleOpened, EscapeLeavesTheWindowOpenAndTheCloseButtonEndsTheRun) {
    ASSERT_TRUE(viewer->command(IDCANCEL));
    EXPECT_TRUE(IsWindowVisible(viewer->window()));
    ASSERT_TRUE(uidriver::PostCommand(viewer->window(), IDT_CLOSE));
    const RunEnd end = viewer->run().finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_THAT(end.closedWindows, IsEmpty());
    EXPECT_EQ(end.exitCode, 0u);
}

// Printing, e-mail and fax from the command line run without the main window. They do
// nothing yet in this version, so the run ends at once, without a window or a message; the
// other switches are rows of the unit tables.
TEST(BatchSwitch, EndsWithoutShowingTheMainWindow) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    ASSERT_FALSE(WriteSampleReport(folder).empty());
    VelkRun run(VelkProgram(), "-pa sample.vlk", folder.path());
    ASSERT_TRUE(run.started());
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_THAT(end.closedWindows, IsEmpty());
    EXPECT_EQ(end.exitCode, 0u);
}

} // namespace
} // namespace velk_e2e
