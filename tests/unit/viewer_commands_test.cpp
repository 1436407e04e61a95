#include "viewer/commands.h"
#include "viewer/main_window_ids.h"
#include "viewer/menus.h"
#include "viewer/toolbar.h"
#include "viewer_fakes.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::PagesDocument;
using testing::ShownMessage;
using testing::ViewerHarness;

TEST(Commands, MenuAndToolbarIdsNameTheSameCommands) {
    const struct {
        int menu;
        int button;
        Command command;
    } cases[] = {
        {701, 757, Command::Print},    {702, 751, Command::Close}, {703, 752, Command::First},
        {704, 753, Command::Previous}, {705, 754, Command::Next},  {706, 755, Command::Last},
        {707, 756, Command::Jump},     {708, 758, Command::EMail}, {709, 759, Command::Fax},
        {710, 760, Command::Save},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandForId(c.menu), c.command) << c.menu;
        EXPECT_EQ(CommandForId(c.button), c.command) << c.button;
    }
    for (const int other : {0, 1, 2, 107, 113, 700, 711, 750, 761}) {
        EXPECT_FALSE(CommandForId(other)) << other;
    }
}

TEST(NavigationButtons, GreyedAtTheEndsOfTheDocument) {
    using S = NavigationStates;
    const struct {
        std::int32_t current;
        std::int32_t count;
        NavigationStates expected;
    } cases[] = {
        {3, 3, S{true, true, false, false}},   // last page
        {1, 1, S{false, false, false, false}}, // one page
        {0, 0, S{false, false, false, false}}, // nothing received yet
        {1, 5, S{false, false, true, true}},   // first of several
        {1, 0, S{false, false, false, false}}, // building, page 1 not yet there
        {2, 5, S{true, true, true, true}},     // between
        {0, 3, S{true, true, true, true}},     // building, before page 1
        {32768, 40000, S{true, true, true, true}}, {40000, 40000, S{true, true, false, false}},
    };
    for (const auto& c : cases) {
        CommandSnapshot snapshot;
        snapshot.currentPage = c.current;
        snapshot.pageCount = c.count;
        EXPECT_EQ(NavigationButtonStates(snapshot), c.expected) << c.current << "/" << c.count;
    }
}

std::vector<int> ButtonIds(const std::vector<ToolbarButton>& buttons) {
    std::vector<int> ids;
    for (const auto& button : buttons) {
        ids.push_back(button.separator ? 0 : button.commandId);
    }
    return ids;
}

TEST(Toolbar, TenToThirteenButtonsDependingOnThePermissions) {
    const std::vector<int> always = {0, 751, 0, 752, 753, 754, 755, 756, 0, 757};
    const struct {
        bool mail;
        bool fax;
        bool save;
        std::vector<int> tail;
    } cases[] = {
        {false, false, false, {}},       {true, false, false, {758}},
        {false, true, false, {759}},     {false, false, true, {760}},
        {true, true, false, {758, 759}}, {true, true, true, {758, 759, 760}},
    };
    for (const auto& c : cases) {
        CommandSnapshot snapshot;
        snapshot.mailAllowed = c.mail;
        snapshot.faxAllowed = c.fax;
        snapshot.saveAllowed = c.save;
        std::vector<int> expected = always;
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(ButtonIds(ToolbarButtons(snapshot)), expected) << c.mail << c.fax << c.save;
    }
}

TEST(Toolbar, ImagesFollowTheBitmapOrder) {
    CommandSnapshot snapshot;
    snapshot.faxAllowed = true;
    snapshot.saveAllowed = true;
    const std::vector<ToolbarButton> expected = {
        {true, 0, 0},    {false, 0, 751}, {true, 0, 0},    {false, 1, 752},
        {false, 2, 753}, {false, 3, 754}, {false, 4, 755}, {false, 5, 756},
        {true, 0, 0},    {false, 6, 757}, {false, 8, 759}, {false, 9, 760},
    };
    EXPECT_EQ(ToolbarButtons(snapshot), expected);
    // Building does not change the buttons.
    snapshot.building = true;
    EXPECT_EQ(ToolbarButtons(snapshot), expected);
}

TEST(Menu, ItemsRemovedForWhatTheDocumentDoesNotAllow) {
    const struct {
        const char* name;
        CommandSnapshot snapshot;
        std::vector<int> removed;
    } cases[] = {
        {"all allowed", {.mailAllowed = true, .faxAllowed = true, .saveAllowed = true}, {}},
        {"none allowed", {}, {708, 709, 710}},
        {"building", {.building = true}, {}},
        {"inside a viewer",
         {.mailAllowed = true, .faxAllowed = true, .saveAllowed = true, .embedded = true},
         {710}},
        {"no fax", {.mailAllowed = true, .faxAllowed = false, .saveAllowed = true}, {709}},
        {"only save", {.saveAllowed = true}, {708, 709}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuItemsToRemove(c.snapshot), c.removed) << c.name;
    }
}

TEST(Menu, CaptionsAreTrimmedAndCut) {
    EXPECT_EQ(MenuCaption("  &Drucken  "), "&Drucken");
    EXPECT_EQ(MenuCaption(std::string(250, 'x')), std::string(199, 'x'));
}

TEST(Menu, ADocumentWithoutPermissionsKeepsPrintSeparatorAndClose) {
    ViewerHarness h{PagesDocument(2)};
    h.window->onInitDialog();
    EXPECT_EQ(h.view.removedMenuItems, (std::vector<int>{708, 709, 710}));
    std::vector<int> file;
    for (const auto& [id, caption] : h.view.menuItems) {
        if (id <= 702 || (id >= 708 && id <= 710)) {
            file.push_back(id);
        }
    }
    EXPECT_EQ(file, (std::vector<int>{701, 702}));
    EXPECT_EQ(h.view.setup.toolbarButtons.size(), 10u);
}

TEST(Menu, ASelfExtractingViewerLosesSaveFromTheMenu) {
    vlkw::DocumentDescription description = PagesDocument(2);
    description.allowSave = vlkw::kSaveAllowed;
    description.allowMail = vlkw::kMailAllowed;
    ViewerHarness h{description};
    // Start-up would already have taken the permission; the menu has a rule of its own.
    h.document.base = 4096;
    h.document.header.allowSave = vlkw::kSaveAllowed;
    h.window->onInitDialog();
    EXPECT_EQ(h.view.removedMenuItems, (std::vector<int>{709, 710}));
}

TEST(Tooltips, EnabledButtonsGetTheirTextDisabledOnesNone) {
    ViewerHarness h{PagesDocument(3)};
    h.open(); // page 1: first and previous disabled
    const struct {
        int id;
        const char* expected; // null: no text
    } cases[] = {
        {751, "&Close"},     {752, nullptr},         {753, nullptr},  {754, "&Next Page"},
        {755, "&Last Page"}, {756, "&Jump to Page"}, {757, "&Print"}, {800, nullptr},
        {758, nullptr}, // not on the toolbar: the document does not allow e-mail
        {705, nullptr}, // a menu item
    };
    for (const auto& c : cases) {
        const char* text = h.window->onToolTipText(c.id);
        if (c.expected == nullptr) {
            EXPECT_EQ(text, nullptr) << c.id;
        } else {
            ASSERT_NE(text, nullptr) << c.id;
            EXPECT_STREQ(text, c.expected);
        }
    }
    // On the last page the other two are greyed.
    h.window->onCommand(kMenuLast, 0);
    EXPECT_STREQ(h.window->onToolTipText(752), "&First Page");
    EXPECT_STREQ(h.window->onToolTipText(753), "P&revious Page");
    EXPECT_EQ(h.window->onToolTipText(754), nullptr);
    EXPECT_EQ(h.window->onToolTipText(755), nullptr);
}

TEST(Tooltips, TextsAreCutTo255AndTakenFromTheCurrentTable) {
    vlkw::DocumentDescription description = PagesDocument(3);
    description.allowMail = vlkw::kMailAllowed;
    description.allowFax = vlkw::kFaxAllowed;
    description.allowSave = vlkw::kSaveAllowed;
    ViewerHarness h{description};
    h.open();
    h.texts.SetInterfaceText(9, std::string(300, 'p'));
    EXPECT_EQ(std::string(h.window->onToolTipText(757)), std::string(255, 'p'));
    EXPECT_STREQ(h.window->onToolTipText(758), "&E-Mail");
    EXPECT_STREQ(h.window->onToolTipText(759), "Fa&x");
    EXPECT_STREQ(h.window->onToolTipText(760), "&Save");
}

TEST(BuildingCommands, PrintMailFaxAndSaveOnlyShowTheirMessage) {
    vlkw::DocumentDescription description = PagesDocument(0);
    description.title = "Growing Report   ";
    ViewerHarness h{description, true};
    h.open();
    const struct {
        int id;
        const char* message;
    } cases[] = {
        {701, "You can't print until the document has finished building."},
        {757, "You can't print until the document has finished building."},
        {708, "You can't e-mail until the document has finished building."},
        {758, "You can't e-mail until the document has finished building."},
        {709, "You can't fax until the document has finished building."},
        {759, "You can't fax until the document has finished building."},
        {710, "You can't save this document until it has finished building."},
        {760, "You can't save this document until it has finished building."},
    };
    for (const auto& c : cases) {
        h.clearLogs();
        h.window->onCommand(c.id, 0);
        EXPECT_EQ(h.messages.shown,
                  (std::vector<ShownMessage>{{c.message, "Growing Report", 0x40}}))
            << c.id;
        EXPECT_TRUE(h.actions.calls.empty()) << c.id;
        EXPECT_TRUE(h.renderer.pages.empty()) << c.id;
        EXPECT_FALSE(h.view.closeRequested) << c.id;
    }
}

TEST(DocumentCommands, OnceCompleteTheActionsRun) {
    vlkw::DocumentDescription description = PagesDocument(2);
    description.allowMail = vlkw::kMailAllowed;
    description.allowFax = vlkw::kFaxAllowed;
    description.allowSave = vlkw::kSaveAllowed;
    ViewerHarness h{description};
    h.open();
    const struct {
        int id;
        const char* action;
    } cases[] = {{701, "print"}, {757, "print"}, {708, "email"}, {758, "email"},
                 {709, "fax"},   {759, "fax"},   {710, "save"},  {760, "save"}};
    for (const auto& c : cases) {
        h.clearLogs();
        h.window->onCommand(c.id, 0);
        EXPECT_EQ(h.actions.calls, std::vector<std::string>{c.action}) << c.id;
        EXPECT_TRUE(h.messages.shown.empty()) << c.id;
    }
}

} // namespace
} // namespace velk
