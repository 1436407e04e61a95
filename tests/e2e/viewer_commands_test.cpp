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

#include <algorithm>

namespace velk_e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

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

class CommandsOf : public ::testing::Test {
  protected:
    void open(const vlkw::DocumentDescription& description) {
        ASSERT_TRUE(folder.created());
        ASSERT_FALSE(folder.write("doc.vlk", vlkw::WriteDocument(description)).empty());
        viewer.emplace("doc.vlk", folder.path(), kTitle);
        ASSERT_TRUE(viewer->opened());
    }
    void TearDown() override {
        if (viewer && viewer->opened()) {
            const RunEnd end = viewer->close();
            EXPECT_TRUE(end.messages.empty());
            EXPECT_EQ(end.exitCode, 0u);
        }
    }

    TempFolder folder;
    std::optional<ViewerWindow> viewer;
};

TEST_F(CommandsOf, OnePageDocumentGreysAllFourNavigationButtons) {
    open(Pages(1));
    const NavigationButtons none{false, false, false, false};
    EXPECT_EQ(viewer->navigation(), none);
    EXPECT_EQ(viewer->statusText(), std::string("Page 1 of 1") + kStatusGap);
    for (const int command : {IDT_NEXT, IDT_LAST, IDM_PREVIOUS, IDM_FIRST}) {
        ASSERT_TRUE(viewer->command(command));
        EXPECT_EQ(viewer->statusText(), std::string("Page 1 of 1") + kStatusGap) << command;
        EXPECT_EQ(viewer->navigation(), none) << command;
    }
    // A document without an index has no index box.
    EXPECT_FALSE(viewer->shows(viewer->control(IDC_INDEX_BOX)));
}

struct PermissionCase {
    const char* name;
    bool mail;
    bool fax;
    bool save;
    bool forwarded;
    std::vector<int> extraButtons;        // after print
    std::vector<std::string> fileEntries; // the File menu
};

class Permissions : public CommandsOf, public ::testing::WithParamInterface<PermissionCase> {};

TEST_P(Permissions, DecideTheButtonsAndTheFileMenu) {
    const PermissionCase& c = GetParam();
    vlkw::DocumentDescription description = Pages(2);
    description.allowMail = c.mail ? vlkw::kMailAllowed : 0;
    description.allowFax = c.fax ? vlkw::kFaxAllowed : 0;
    description.allowSave = c.save ? vlkw::kSaveAllowed : 0;
    description.forwardedCopy = c.forwarded ? 1 : 0;
    open(description);

    // Close, the navigation group and print always; then what is allowed, in this order.
    std::vector<int> buttons = {IDT_CLOSE, IDT_FIRST, IDT_PREVIOUS, IDT_NEXT,
                                IDT_LAST,  IDT_JUMP,  IDT_PRINT};
    buttons.insert(buttons.end(), c.extraButtons.begin(), c.extraButtons.end());
    int position = 0;
    for (const int id : buttons) {
        position += id == IDT_CLOSE || id == IDT_FIRST || id == IDT_PRINT ? 2 : 1;
        EXPECT_EQ(uidriver::ToolbarButtonIndex(viewer->control(IDC_TOOLBAR), id), position - 1)
            << id;
    }
    for (const int id : {IDT_EMAIL, IDT_FAX, IDT_SAVE}) {
        const bool offered =
            std::find(c.extraButtons.begin(), c.extraButtons.end(), id) != c.extraButtons.end();
        EXPECT_EQ(viewer->hasButton(id), offered) << id;
    }

    const auto bar = viewer->menu();
    ASSERT_TRUE(bar.has_value());
    ASSERT_EQ(bar->size(), 2u);
    EXPECT_THAT(MenuCaptions(*bar)[0], ElementsAreArray(c.fileEntries));
    EXPECT_THAT(MenuCaptions(*bar)[1], ElementsAre("&First Page", "P&revious Page", "&Next Page",
                                                   "&Last Page", "-", "&Jump to Page"));
}

INSTANTIATE_TEST_SUITE_P(
    Document, Permissions,
    ::testing::Values(
        PermissionCase{"NoneAllowed", false, false, false, false, {}, {"&Print", "-", "&Close"}},
        PermissionCase{"AllAllowed",
                       true,
                       true,
                       true,
                       false,
                       {IDT_EMAIL, IDT_FAX, IDT_SAVE},
                       {"&Print", "&E-Mail", "Fa&x", "&Save", "-", "&Close"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The document speaks its own language: the menu and the zoom label change while page 1 is
// drawn, the status text takes the new words at the next move, and the header's replacements
// name the zoom box's fit modes and the jump dialog's buttons.
TEST_F(CommandsOf, DocumentWordsReplaceTheWindowsTexts) {
    vlkw::DocumentDescription description = Pages(2);
    description.allowMail = vlkw::kMailAllowed;
    description.allowFax = vlkw::kFaxAllowed;
    description.allowSave = vlkw::kSaveAllowed;
    vlkw::PageBuilder first;
    first.changeWords(1, "&Datei")
        .changeWords(2, "&Dokument")
        .changeWords(3, "  &Beenden  ")
        .changeWords(4, "&Erste Seite")
        .changeWords(5, "&Vorige Seite")
        .changeWords(6, "&Naechste Seite")
        .changeWords(7, "&Letzte Seite")
        .changeWords(8, "&Gehe zu Seite")
        .changeWords(9, "&Drucken")
        .changeWords(10, "Groesse")
        .changeWords(14, "Seite")
        .changeWords(15, "von")
        .changeWords(16, "Springen")
        .changeWords(24, "&E-Post")
        .changeWords(25, "&Telefax")
        .changeWords(26, "&Sichern")
        .changeWords(27, "never shown")
        .font(0, 12.0f, vlkw::Rgb(0, 0, 0), "Arial")
        .text(1.0f, 1.0f, vlkw::kAlignLeft, "Seite eins");
    description.pages[0] = first.bytes();
    description.replacementTexts[4] = "&Gut";     // slot 19
    description.replacementTexts[5] = "&Zurueck"; // slot 18
    description.replacementTexts[6] = "Ganzes Blatt";
    description.replacementTexts[7] = "Blattbreite";
    open(description);

    const auto bar = viewer->menu();
    ASSERT_TRUE(bar.has_value());
    EXPECT_THAT(PopupCaptions(*bar), ElementsAre("&Datei", "&Dokument"));
    ASSERT_EQ(bar->size(), 2u);
    EXPECT_THAT(MenuCaptions(*bar)[0],
                ElementsAre("&Drucken", "&E-Post", "&Telefax", "&Sichern", "-", "&Beenden"));
    EXPECT_THAT(MenuCaptions(*bar)[1],
                ElementsAre("&Erste Seite", "&Vorige Seite", "&Naechste Seite", "&Letzte Seite",
                            "-", "&Gehe zu Seite"));
    EXPECT_EQ(uidriver::WindowText(viewer->control(IDC_ZOOM_LABEL)), "Groesse");
    EXPECT_THAT(uidriver::ComboItems(viewer->control(IDC_ZOOM_BOX)),
                ElementsAre("Blattbreite", "Ganzes Blatt", "75%", "100%", "125%"));

    // Written before page 1 was drawn; the words change with the next move.
    EXPECT_EQ(viewer->statusText(), std::string("Page 1 of 2") + kStatusGap);
    ASSERT_TRUE(viewer->command(IDT_NEXT));
    EXPECT_EQ(viewer->statusText(), std::string("Seite 2 von 2") + kStatusGap);

    ASSERT_TRUE(
        uidriver::TypeComboText(viewer->window(), viewer->control(IDC_ZOOM_BOX), "ganzes BLATT"));
    EXPECT_EQ(uidriver::WindowText(viewer->control(IDC_ZOOM_BOX)), "Ganzes Blatt");
    EXPECT_FALSE(viewer->shows(viewer->control(IDC_VERTICAL_SCROLL_BAR)));

    JumpDialogWindow jump(*viewer, IDT_JUMP, "Springen");
    ASSERT_TRUE(jump.opened());
    EXPECT_EQ(jump.caption(), "Springen");
    EXPECT_EQ(jump.text(IDC_JUMP_OK), "&Gut");
    EXPECT_EQ(jump.text(IDC_JUMP_CANCEL), "&Zurueck");
    jump.enter("1");
    EXPECT_EQ(viewer->statusText(), std::string("Seite 1 von 2") + kStatusGap);
}

} // namespace
} // namespace velk_e2e
