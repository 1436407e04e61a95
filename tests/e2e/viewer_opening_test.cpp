// The main window as a document opens in it. The sample report: maximised on page 1, the
// status text, the zoom from the document, the index box, the menu and tooltips; the page
// area's size at that zoom and the page's pixels are viewer_zoom_test.cpp's.
// A document of its own: the words it gives the window. Which commands a document without
// permissions leaves out is the unit tables', and the saved and mailed viewers' runs.

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
using ::testing::IsEmpty;

using SampleOpened = SampleViewerTest;

TEST_F(SampleOpened, ShowsPageOneMaximisedWithStatusZoomAndIndex) {
    EXPECT_TRUE(IsZoomed(viewer->window()));
    EXPECT_EQ(viewer->statusText(),
              std::string("Page 1 of 7") + kStatusGap + "Summary ... Key figures");

    // The document asks for 100 %; the box's items are the document-word test's.
    EXPECT_EQ(uidriver::WindowText(viewer->control(IDC_ZOOM_BOX)), "100%");
    EXPECT_EQ(uidriver::WindowText(viewer->control(IDC_ZOOM_LABEL)), "Zoom");
    EXPECT_FALSE(viewer->shows(viewer->progressBar()));

    // The index box lists the index under its heading, each caption with all its 100
    // characters.
    const HWND index = viewer->control(IDC_INDEX_BOX);
    EXPECT_TRUE(viewer->shows(index));
    const auto items = uidriver::ComboItems(index);
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0], "< Document Index >");
    EXPECT_EQ(items[10], "Contacts" + std::string(92, ' '));
    EXPECT_EQ(uidriver::ComboSelection(index), 0);

    // Escape reaches the dialog as IDCANCEL, which is no command of the main window; the close
    // button is.
    ASSERT_TRUE(viewer->command(IDCANCEL));
    EXPECT_TRUE(IsWindowVisible(viewer->window()));
    ASSERT_TRUE(uidriver::PostCommand(viewer->window(), IDT_CLOSE));
    const RunEnd end = viewer->run().finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_THAT(end.closedWindows, IsEmpty());
    EXPECT_EQ(end.exitCode, 0u);
}

// The menu's captions come from the text table, not the resource ("&Print ...", "&Fax"), with
// the ids the window's commands answer to; the toolbar's tooltips too, only for enabled
// buttons. Which text goes to which item is a row of the unit tables.
TEST_F(SampleOpened, MenuAndToolTipsCarryTheInterfaceTexts) {
    const auto bar = viewer->menu();
    ASSERT_TRUE(bar && bar->size() == 2);
    EXPECT_THAT(MenuCaptions(*bar)[0],
                ElementsAre("&Print", "&E-Mail", "Fa&x", "&Save", "-", "&Close"));
    std::vector<UINT> ids;
    for (const auto& popup : *bar) {
        for (const auto& entry : popup.entries) {
            ids.push_back(entry.id);
        }
    }
    EXPECT_THAT(ids, ElementsAre(IDM_PRINT, IDM_EMAIL, IDM_FAX, IDM_SAVE, 0u, IDM_CLOSE, IDM_FIRST,
                                 IDM_PREVIOUS, IDM_NEXT, IDM_LAST, 0u, IDM_JUMP));

    EXPECT_EQ(viewer->toolTip(IDT_CLOSE), (uidriver::ToolTipAnswer{true, "&Close"}));
    EXPECT_EQ(viewer->toolTip(IDT_FIRST), (uidriver::ToolTipAnswer{false, ""}));
    EXPECT_EQ(viewer->toolTip(IDT_SAVE), (uidriver::ToolTipAnswer{true, "&Save"}));
}

constexpr const char* kTitle = "Command Test";

vlkw::DocumentDescription Pages(int count) {
    vlkw::DocumentDescription description;
    description.title = kTitle;
    for (int page = 1; page <= count; ++page) {
        description.pages.push_back(
            vlkw::PageBuilder()
                .font(vlkw::kBold, 20.0f, vlkw::Rgb(0, 0, 0), "Arial")
                .text(1.0f, 1.0f, vlkw::kAlignLeft, "Page " + std::to_string(page))
                .bytes());
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

// The document speaks its own language: the menu and the zoom label change while page 1 is
// drawn, the status text takes the new words at the next move, and the header's replacements
// name the zoom box's fit modes. Which word goes where, also in the dialogs, is a row of the
// unit tables; these prove each kind of control of the main window takes them.
TEST_F(CommandsOf, DocumentWordsReplaceTheWindowsTexts) {
    vlkw::DocumentDescription description = Pages(2);
    vlkw::PageBuilder first;
    first.changeWords(1, "&Datei")
        .changeWords(3, "  &Beenden  ")
        .changeWords(9, "&Drucken")
        .changeWords(10, "Groesse")
        .changeWords(14, "Seite")
        .changeWords(15, "von")
        .font(0, 12.0f, vlkw::Rgb(0, 0, 0), "Arial")
        .text(1.0f, 1.0f, vlkw::kAlignLeft, "Seite eins");
    description.pages[0] = first.bytes();
    description.replacementTexts[6] = "Ganzes Blatt";
    open(description);

    const auto bar = viewer->menu();
    ASSERT_TRUE(bar && bar->size() == 2);
    EXPECT_EQ((*bar)[0].caption, "&Datei");
    EXPECT_THAT(MenuCaptions(*bar)[0], ElementsAre("&Drucken", "-", "&Beenden"));
    EXPECT_EQ(uidriver::WindowText(viewer->control(IDC_ZOOM_LABEL)), "Groesse");
    EXPECT_THAT(uidriver::ComboItems(viewer->control(IDC_ZOOM_BOX)),
                ElementsAre("Fit Width", "Ganzes Blatt", "75%", "100%", "125%"));

    // Written before page 1 was drawn; the words change with the next move.
    EXPECT_EQ(viewer->statusText(), std::string("Page 1 of 2") + kStatusGap);
    ASSERT_TRUE(viewer->command(IDT_NEXT));
    EXPECT_EQ(viewer->statusText(), std::string("Seite 2 von 2") + kStatusGap);
}

} // namespace
} // namespace velk_e2e
