// Moving through the sample report: first, previous, next and last from the toolbar and the
// menu, the jump dialog, and the document index box, read back from the status bar and the
// navigation buttons.

#include "resource.h"
#include "uidriver/common_controls.h"
#include "uidriver/controls.h"
#include "viewer_window.h"

#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

// The status text of each page of the sample: the page's index captions after the gap.
std::string SampleStatus(int page) {
    static const char* const captions[] = {"Summary ... Key figures",
                                           "Sales by region ... Regional notes",
                                           "Monthly sales chart",
                                           "Product lines",
                                           "European operations",
                                           "Outlook for the fourth quarter ... Targets",
                                           "Contacts"};
    return "Page " + std::to_string(page) + " of 7" + kStatusGap + captions[page - 1];
}

class SampleNavigation : public SampleViewerTest {
  protected:
    void SetUp() override {
        SampleViewerTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_EQ(viewer->statusText(), SampleStatus(1));
    }
    // Goes to a page with the jump dialog.
    void jumpTo(int page) {
        JumpDialogWindow jump(*viewer, IDT_JUMP);
        ASSERT_TRUE(jump.opened());
        jump.enter(std::to_string(page));
        ASSERT_FALSE(jump.open());
        ASSERT_EQ(viewer->statusText(), SampleStatus(page));
    }
};

// Each command of the toolbar and the menu once, from page 1; where a move past either end
// stays is a row of the unit tables.
TEST_F(SampleNavigation, ButtonsAndMenuItemsMove) {
    // page: where the viewer then stands
    const std::tuple<int, int, const char*> moves[] = {
        {IDT_NEXT, 2, kInside},     {IDM_NEXT, 3, kInside},     {IDT_LAST, 7, kAtLast},
        {IDT_PREVIOUS, 6, kInside}, {IDM_PREVIOUS, 5, kInside}, {IDT_FIRST, 1, kAtFirst},
        {IDM_LAST, 7, kAtLast},     {IDM_FIRST, 1, kAtFirst},
    };
    int step = 0;
    for (const auto& [command, page, buttons] : moves) {
        ++step;
        ASSERT_TRUE(viewer->command(command));
        EXPECT_EQ(viewer->statusText(), SampleStatus(page)) << "step " << step;
        EXPECT_EQ(viewer->navigation(), buttons) << "step " << step;
    }
}

// The dialog, found by its caption, shows the document's range with "1" in the field whatever
// page is current; a number that is no page of the document keeps it open with the text as
// typed, and Cancel or Esc leave the page. Which texts are pages is a row of the unit table;
// the password dialog's run shows the same four texts set on its controls.
TEST_F(SampleNavigation, JumpDialogTakesOnlyPagesOfTheDocument) {
    jumpTo(5);
    JumpDialogWindow jump(*viewer, IDM_JUMP);
    ASSERT_TRUE(jump.opened());
    EXPECT_EQ(jump.text(IDC_JUMP_PROMPT), "To which page would you like to jump? ( 1 - 7 )");
    EXPECT_EQ(jump.text(IDC_JUMP_EDIT), "1");
    jump.enter("8");
    EXPECT_TRUE(jump.open());
    EXPECT_EQ(jump.text(IDC_JUMP_EDIT), "8");
    jump.cancel();
    EXPECT_FALSE(jump.open());
    EXPECT_EQ(viewer->statusText(), SampleStatus(5));

    JumpDialogWindow escaped(*viewer, IDT_JUMP);
    ASSERT_TRUE(escaped.opened());
    uidriver::SetControlText(escaped.dialog(), IDC_JUMP_EDIT, "6");
    escaped.escape();
    EXPECT_FALSE(escaped.open());
    EXPECT_EQ(viewer->statusText(), SampleStatus(5));
    EXPECT_EQ(viewer->navigation(), kInside);
}

// Item n of the box is index entry n; after the move the box shows its heading again.
TEST_F(SampleNavigation, IndexBoxGoesToTheEntrysPageAndShowsItsHeadingAgain) {
    const HWND index = viewer->control(IDC_INDEX_BOX);
    const std::pair<int, int> choices[] = {{5, 3}, {0, 3}, {10, 7}};
    for (const auto& [item, page] : choices) {
        ASSERT_TRUE(uidriver::ChooseComboItem(viewer->window(), index, item));
        EXPECT_EQ(viewer->statusText(), SampleStatus(page)) << "item " << item;
        EXPECT_EQ(uidriver::ComboSelection(index), 0) << "item " << item;
        EXPECT_EQ(uidriver::WindowText(index), "< Document Index >") << "item " << item;
    }
}

} // namespace
} // namespace velk_e2e
