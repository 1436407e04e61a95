// What the document decides about the main window's commands: the toolbar buttons and menu
// items it allows, the navigation buttons of a one-page document, and its own words for the
// menu, the zoom box, the status text and the jump dialog.

#include "resource.h"
#include "temp_folder.h"
#include "uidriver/common_controls.h"
#include "uidriver/controls.h"
#include "viewer_window.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::ElementsAre;

constexpr const char* kTitle = "Command Test";

std::vector<std::uint8_t> TextPage(const std::string& text) {
    return vlkw::PageBuilder()
        .font(vlkw::kBold, 20.0f, vlkw::Rgb(0, 0, 0), "Arial")
        .text(1.0f, 1.0f, vlkw::kAlignLeft, text)
        .bytes();
}

vlkw::DocumentDescription Pages(int count) {
    vlkw::DocumentDescription description;
    description.title = kTitle;
    for (int page = 1; page <= count; ++page) {
        description.pages.push_back(TextPage("Page " + std::to_string(page)));
    }
    return description;
}

class CommandsOf : public ViewerTest {
  protected:
    void open(const vlkw::DocumentDescription& description) {
        ASSERT_TRUE(folder.created());
        ASSERT_FALSE(folder.write("doc.vlk", vlkw::WriteDocument(description)).empty());
        viewer.emplace("doc.vlk", folder.path(), kTitle);
        ASSERT_TRUE(viewer->opened());
    }
};

// A one-page document that allows nothing: the four navigation buttons greyed and doing
// nothing, no index box, and neither buttons nor menu items for e-mail, fax and save. Every
// other combination of permissions is a row of the unit tables; the sample allows them all.
TEST_F(CommandsOf, OnePageDocumentWithoutPermissionsGreysNavigationAndLeavesOutItsCommands) {
    open(Pages(1));
    EXPECT_EQ(viewer->navigation(), kNone);
    for (const int command : {IDT_NEXT, IDM_LAST}) {
        ASSERT_TRUE(viewer->command(command));
        EXPECT_EQ(viewer->statusText(), std::string("Page 1 of 1") + kStatusGap) << command;
        EXPECT_EQ(viewer->navigation(), kNone) << command;
    }
    EXPECT_FALSE(viewer->shows(viewer->control(IDC_INDEX_BOX)));

    // Close, the navigation group and print, each group after a separator.
    const int buttons[] = {IDT_CLOSE, IDT_FIRST, IDT_PREVIOUS, IDT_NEXT,
                           IDT_LAST,  IDT_JUMP,  IDT_PRINT};
    const int positions[] = {1, 3, 4, 5, 6, 7, 9};
    for (std::size_t i = 0; i < std::size(buttons); ++i) {
        EXPECT_EQ(uidriver::ToolbarButtonIndex(viewer->control(IDC_TOOLBAR), buttons[i]),
                  positions[i])
            << buttons[i];
    }
    for (const int id : {IDT_EMAIL, IDT_FAX, IDT_SAVE}) {
        EXPECT_FALSE(viewer->hasButton(id)) << id;
    }
    const auto bar = viewer->menu();
    ASSERT_TRUE(bar.has_value());
    ASSERT_EQ(bar->size(), 2u);
    EXPECT_THAT(MenuCaptions(*bar)[0], ElementsAre("&Print", "-", "&Close"));
}

// The document speaks its own language: the menu and the zoom label change while page 1 is
// drawn, the status text takes the new words at the next move, and the header's replacements
// name the zoom box's fit modes and the jump dialog's buttons. Which word goes where is a row
// of the unit tables; these prove each kind of control takes them.
TEST_F(CommandsOf, DocumentWordsReplaceTheWindowsTexts) {
    vlkw::DocumentDescription description = Pages(2);
    vlkw::PageBuilder first;
    first.changeWords(1, "&Datei")
        .changeWords(3, "  &Beenden  ")
        .changeWords(9, "&Drucken")
        .changeWords(10, "Groesse")
        .changeWords(14, "Seite")
        .changeWords(15, "von")
        .changeWords(16, "Springen")
        .font(0, 12.0f, vlkw::Rgb(0, 0, 0), "Arial")
        .text(1.0f, 1.0f, vlkw::kAlignLeft, "Seite eins");
    description.pages[0] = first.bytes();
    description.replacementTexts[4] = "&Gut"; // slot 19
    description.replacementTexts[6] = "Ganzes Blatt";
    open(description);

    const auto bar = viewer->menu();
    ASSERT_TRUE(bar.has_value());
    EXPECT_THAT(PopupCaptions(*bar), ElementsAre("&Datei", "&Document"));
    ASSERT_EQ(bar->size(), 2u);
    EXPECT_THAT(MenuCaptions(*bar)[0], ElementsAre("&Drucken", "-", "&Beenden"));
    EXPECT_EQ(uidriver::WindowText(viewer->control(IDC_ZOOM_LABEL)), "Groesse");
    EXPECT_THAT(uidriver::ComboItems(viewer->control(IDC_ZOOM_BOX)),
                ElementsAre("Fit Width", "Ganzes Blatt", "75%", "100%", "125%"));

    // Written before page 1 was drawn; the words change with the next move.
    EXPECT_EQ(viewer->statusText(), std::string("Page 1 of 2") + kStatusGap);
    ASSERT_TRUE(viewer->command(IDT_NEXT));
    EXPECT_EQ(viewer->statusText(), std::string("Seite 2 von 2") + kStatusGap);

    JumpDialogWindow jump(*viewer, IDT_JUMP, "Springen");
    ASSERT_TRUE(jump.opened());
    EXPECT_EQ(jump.text(IDC_JUMP_OK), "&Gut");
    jump.enter("1");
    EXPECT_EQ(viewer->statusText(), std::string("Seite 1 von 2") + kStatusGap);
}

} // namespace
} // namespace velk_e2e
