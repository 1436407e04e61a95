#include "viewer/jump_dialog.h"
#include "viewer/main_window_ids.h"
#include "unit/viewer/viewer_fakes.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::FakeEditDialog;
using testing::PagesDocument;
using testing::ViewerHarness;

TEST(JumpDialog, TextsComeFromTheTableTrimmedAndCut) {
    ViewerState state{.currentPage = 4, .pageCount = 12};
    InterfaceTexts texts;
    FakeEditDialog view;
    JumpDialog(state, texts).onInitDialog(view);
    EXPECT_EQ(view.texts, (EditDialogTexts{"To which page would you like to jump? ( 1 - 12 )",
                                           "Jump to a page", "&Cancel", "&Ok"}));

    state.pageCount = 40000;
    texts.SetInterfaceText(16, "  Springen  ");
    texts.SetInterfaceText(17, "  Welche Seite?");
    texts.SetInterfaceText(18, std::string(250, 'c'));
    texts.SetInterfaceText(19, " &Los ");
    JumpDialog(state, texts).onInitDialog(view);
    EXPECT_EQ(view.texts, (EditDialogTexts{"Welche Seite? ( 1 - 40000 )", "Springen",
                                           std::string(199, 'c'), "&Los"}));
}

TEST(JumpDialog, OnlyAPageOfTheDocumentIsAccepted) {
    // page 0: refused, the dialog stays open
    const std::tuple<std::string, std::int32_t, std::int32_t> cases[] = {
        {"12", 12, 12},
        {"13", 12, 0},
        {"1", 12, 1},
        {"0", 12, 0},
        {"abc", 12, 0},
        {"", 12, 0},
        {"3.9", 12, 3},
        {"7th", 12, 7},
        {" 4 ", 12, 4},
        {"+2", 12, 2},
        {"99999999999", 12, 0},
        {"32768", 40000, 32768},
        // Only the first 99 characters are read.
        {std::string(98, ' ') + "7", 12, 7},
        {std::string(99, ' ') + "7", 12, 0},
    };
    for (const auto& [typed, count, page] : cases) {
        ViewerState state{.currentPage = 6, .pageCount = count};
        InterfaceTexts texts;
        FakeEditDialog view;
        view.typed = typed;
        JumpDialog(state, texts).onCommand(kEditDialogOk, view);
        EXPECT_EQ(state.currentPage, page == 0 ? 6 : page) << typed;
        EXPECT_EQ(view.closeRequests, page == 0 ? 0 : 1) << typed;
    }
}

TEST(JumpDialog, CancelEscapeAndCloseLeaveThePage) {
    ViewerState state{.currentPage = 6, .pageCount = 12};
    InterfaceTexts texts;
    JumpDialog dialog(state, texts);
    FakeEditDialog view;
    view.typed = "5";
    dialog.onCommand(kEditDialogCancel, view);
    dialog.onCommand(kDialogCancel, view);
    dialog.onCommand(kEditDialogEdit, view); // edit notifications are not a choice
    EXPECT_EQ(view.closeRequests, 2);
    EXPECT_FALSE(view.ended);
    dialog.onClose(view);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(state.currentPage, 6);
}

// GoJump runs the dialog modally and draws only when the page changed.
TEST(JumpCommand, AnAcceptedPageIsShownTheSameOrARefusedOneDrawsNothing) {
    // page 0: nothing drawn
    const std::tuple<int, const char*, std::int32_t> cases[] = {
        {kMenuJump, "5", 5}, {kButtonJump, "5", 5}, {kMenuJump, "4", 0}, {kMenuJump, "13", 0}};
    for (const auto& [id, typed, page] : cases) {
        ViewerHarness h{PagesDocument(12)};
        h.open();
        h.state.currentPage = 4;
        FakeEditDialog dialogView;
        dialogView.typed = typed;
        h.view.jumpScript = [&](JumpDialog& dialog) {
            dialog.onInitDialog(dialogView);
            dialog.onCommand(kEditDialogOk, dialogView);
        };
        h.window->onCommand(id, 0);
        EXPECT_EQ(h.view.jumpDialogsRun, 1);
        EXPECT_EQ(h.state.currentPage, page == 0 ? 4 : page) << typed;
        EXPECT_EQ(h.renderer.pages,
                  page == 0 ? std::vector<std::int32_t>{} : std::vector<std::int32_t>{page})
            << typed;
        EXPECT_EQ(h.view.statusText, page == 0 ? "Page 1 of 12       " : "Page 5 of 12       ");
    }
}

} // namespace
} // namespace velk
