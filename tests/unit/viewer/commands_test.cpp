#include "viewer/commands.h"
#include "viewer/main_window_ids.h"
#include "viewer/menus.h"
#include "viewer/toolbar.h"
#include "unit/viewer/viewer_fakes.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::PagesDocument;
using testing::ShownMessage;
using testing::ViewerHarness;

TEST(Commands, MenuAndToolbarIdsNameTheSameCommands) {
    const std::tuple<int, int, Command> cases[] = {
        {701, 757, Command::Print},    {702, 751, Command::Close}, {703, 752, Command::First},
        {704, 753, Command::Previous}, {705, 754, Command::Next},  {706, 755, Command::Last},
        {707, 756, Command::Jump},     {708, 758, Command::EMail}, {709, 759, Command::Fax},
        {710, 760, Command::Save},
    };
    for (const auto& [menu, button, command] : cases) {
        EXPECT_EQ(CommandForId(menu), command) << menu;
        EXPECT_EQ(CommandForId(button), command) << button;
    }
    for (const int other : {0, 1, 2, 107, 113, 700, 711, 750, 761}) {
        EXPECT_FALSE(CommandForId(other)) << other;
    }
}

TEST(NavigationButtons, GreyedAtTheEndsOfTheDocument) {
    using S = NavigationStates;
    const std::tuple<std::int32_t, std::int32_t, NavigationStates> cases[] = {
        {3, 3, S{true, true, false, false}},   // last page
        {2, 2, S{true, true, false, false}},   // last of two: page 2 can go back
        {1, 1, S{false, false, false, false}}, // one page
        {0, 0, S{false, false, false, false}}, // nothing received yet
        {1, 5, S{false, false, true, true}},   // first of several
        {1, 0, S{false, false, false, false}}, // building, page 1 not yet there
        {2, 5, S{true, true, true, true}},     // between
        {0, 3, S{true, true, true, true}},     // building, before page 1
        {32768, 40000, S{true, true, true, true}}, {40000, 40000, S{true, true, false, false}},
    };
    for (const auto& [current, count, expected] : cases) {
        CommandSnapshot snapshot;
        snapshot.currentPage = current;
        snapshot.pageCount = count;
        EXPECT_EQ(NavigationButtonStates(snapshot), expected) << current << "/" << count;
    }
}

// In the bitmap's order, a separator before each group; building does not change them.
TEST(Toolbar, TenToThirteenButtonsDependingOnThePermissions) {
    const std::vector<ToolbarButton> always = {
        {true, 0, 0},    {false, 0, 751}, {true, 0, 0},    {false, 1, 752}, {false, 2, 753},
        {false, 3, 754}, {false, 4, 755}, {false, 5, 756}, {true, 0, 0},    {false, 6, 757},
    };
    const ToolbarButton mail{false, 7, 758}, fax{false, 8, 759}, save{false, 9, 760};
    const std::pair<CommandSnapshot, std::vector<ToolbarButton>> cases[] = {
        {{}, {}},
        {{.mailAllowed = true}, {mail}},
        {{.building = true, .faxAllowed = true}, {fax}},
        {{.saveAllowed = true}, {save}},
        {{.mailAllowed = true, .faxAllowed = true, .saveAllowed = true}, {mail, fax, save}},
    };
    for (const auto& [snapshot, tail] : cases) {
        std::vector<ToolbarButton> expected = always;
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(ToolbarButtons(snapshot), expected) << tail.size();
    }
}

TEST(Menu, ItemsRemovedForWhatTheDocumentDoesNotAllow) {
    const std::tuple<const char*, CommandSnapshot, std::vector<int>> cases[] = {
        {"all allowed", {.mailAllowed = true, .faxAllowed = true, .saveAllowed = true}, {}},
        {"none allowed", {}, {708, 709, 710}},
        {"building", {.building = true}, {}},
        {"inside a viewer",
         {.mailAllowed = true, .faxAllowed = true, .saveAllowed = true, .embedded = true},
         {710}},
        {"no fax", {.mailAllowed = true, .faxAllowed = false, .saveAllowed = true}, {709}},
        {"only save", {.saveAllowed = true}, {708, 709}},
    };
    for (const auto& [name, snapshot, removed] : cases) {
        EXPECT_EQ(MenuItemsToRemove(snapshot), removed) << name;
    }
}

TEST(Menu, CaptionsAreTrimmedAndCut) {
    EXPECT_EQ(MenuCaption("  &Drucken  "), "&Drucken");
    EXPECT_EQ(MenuCaption(std::string(250, 'x')), std::string(199, 'x'));
}

// Start-up would already have taken the permissions of a copy inside a viewer; the menu has a
// rule of its own, which the window must apply from the document's place in its file.
TEST(Menu, TheWindowsMenuLosesSaveInsideAViewer) {
    vlkw::DocumentDescription plain = PagesDocument(2);
    plain.allowMail = vlkw::kMailAllowed;
    ViewerHarness embedded{plain};
    embedded.document.base = 4096;
    embedded.document.header.allowSave = vlkw::kSaveAllowed;
    embedded.window->onInitDialog();
    EXPECT_EQ(embedded.view.removedMenuItems, (std::vector<int>{709, 710}));
    // Without an index there is no index box.
    EXPECT_FALSE(embedded.view.indexBox.shown);
    EXPECT_TRUE(embedded.view.indexBox.items.empty());
}

// Texts come from the current table, cut to 255; disabled buttons, buttons the document leaves
// off the toolbar and other ids get none.
TEST(Tooltips, EnabledButtonsGetTheirTextDisabledOnesNone) {
    vlkw::DocumentDescription description = PagesDocument(3);
    description.allowMail = vlkw::kMailAllowed;
    description.allowFax = vlkw::kFaxAllowed;
    ViewerHarness h{description};
    h.open(); // page 1: first and previous disabled
    h.texts.SetInterfaceText(9, std::string(300, 'p'));
    const std::string print(255, 'p');
    // expected null: no text
    const std::pair<int, const char*> cases[] = {
        {751, "&Close"},  {752, nullptr}, {754, "&Next Page"}, {757, print.c_str()},
        {758, "&E-Mail"}, {759, "Fa&x"},  {760, nullptr}, // save is not allowed
        {800, nullptr},   {705, nullptr},                 // a menu item
    };
    for (const auto& [id, expected] : cases) {
        const char* text = h.window->onToolTipText(id);
        if (expected == nullptr) {
            EXPECT_EQ(text, nullptr) << id;
        } else {
            ASSERT_NE(text, nullptr) << id;
            EXPECT_STREQ(text, expected);
        }
    }
    // On the last page the other two are greyed.
    h.window->onCommand(kMenuLast, 0);
    EXPECT_STREQ(h.window->onToolTipText(752), "&First Page");
    EXPECT_EQ(h.window->onToolTipText(754), nullptr);
}

// While building, print, mail, fax and save only show their message; once complete they run.
TEST(DocumentCommands, RefusedWhileBuildingRunOnceComplete) {
    vlkw::DocumentDescription building = PagesDocument(0);
    building.title = "Growing Report   ";
    vlkw::DocumentDescription complete = PagesDocument(2);
    complete.allowMail = vlkw::kMailAllowed;
    complete.allowFax = vlkw::kFaxAllowed;
    complete.allowSave = vlkw::kSaveAllowed;
    ViewerHarness growing{building, true};
    ViewerHarness done{complete};
    growing.open();
    done.open();
    const std::tuple<int, int, const char*, const char*> cases[] = {
        {701, 757, "You can't print until the document has finished building.", "print"},
        {708, 758, "You can't e-mail until the document has finished building.", "email"},
        {709, 759, "You can't fax until the document has finished building.", "fax"},
        {710, 760, "You can't save this document until it has finished building.", "save"},
    };
    for (const auto& [menu, button, refusal, action] : cases) {
        for (const int id : {menu, button}) {
            growing.clearLogs();
            done.clearLogs();
            growing.window->onCommand(id, 0);
            done.window->onCommand(id, 0);
            EXPECT_EQ(growing.messages.shown,
                      (std::vector<ShownMessage>{{refusal, "Growing Report", 0x40}}))
                << id;
            EXPECT_TRUE(growing.actions.calls.empty()) << id;
            EXPECT_EQ(done.actions.calls, std::vector<std::string>{action}) << id;
            EXPECT_TRUE(done.messages.shown.empty()) << id;
        }
    }
}

} // namespace
} // namespace velk
