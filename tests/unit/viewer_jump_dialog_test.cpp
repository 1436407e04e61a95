#include "viewer/jump_dialog.h"
#include "viewer/main_window_ids.h"
#include "viewer_fakes.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::FakeJumpView;
using testing::PagesDocument;
using testing::ViewerHarness;
using Lines = std::vector<std::string>;

TEST(JumpDialog, TextsAreSetFromTheTableInOrder) {
    ViewerState state{.currentPage = 4, .pageCount = 12};
    InterfaceTexts texts;
    JumpDialog dialog(state, texts);
    FakeJumpView view;
    dialog.onInitDialog(view);
    EXPECT_EQ(view.calls, (Lines{"104 To which page would you like to jump? ( 1 - 12 )",
                                 "caption Jump to a page", "103 &Cancel", "102 &Ok"}));
}

TEST(JumpDialog, ReplacedTextsAreTrimmedAndCut) {
    ViewerState state{.pageCount = 40000};
    InterfaceTexts texts;
    texts.SetInterfaceText(16, "  Springen  ");
    texts.SetInterfaceText(17, "  Welche Seite?");
    texts.SetInterfaceText(18, std::string(250, 'c'));
    JumpDialog dialog(state, texts);
    FakeJumpView view;
    dialog.onInitDialog(view);
    EXPECT_EQ(view.calls, (Lines{"104 Welche Seite? ( 1 - 40000 )", "caption Springen",
                                 "103 " + std::string(199, 'c'), "102 &Ok"}));
}

TEST(JumpDialog, OnlyAPageOfTheDocumentIsAccepted) {
    const struct {
        const char* typed;
        std::int32_t page; // 0: refused, the dialog stays open
    } cases[] = {
        {"5", 5},   {"12", 12}, {"13", 0},  {"0", 0},   {"-1", 0},
        {"abc", 0}, {"", 0},    {"3.9", 3}, {"7th", 7}, {" 4 ", 4},
        {"  4", 4}, {"1", 1},   {"+2", 2},  {"4 5", 4}, {"99999999999", 0},
    };
    for (const auto& c : cases) {
        ViewerState state{.currentPage = 6, .pageCount = 12};
        InterfaceTexts texts;
        JumpDialog dialog(state, texts);
        FakeJumpView view;
        view.typed = c.typed;
        dialog.onCommand(kJumpOk, view);
        if (c.page == 0) {
            EXPECT_EQ(state.currentPage, 6) << c.typed;
            EXPECT_TRUE(view.calls.empty()) << c.typed;
        } else {
            EXPECT_EQ(state.currentPage, c.page) << c.typed;
            EXPECT_EQ(view.calls, Lines{"requestClose"}) << c.typed;
        }
    }
}

TEST(JumpDialog, PagesBeyond32767CanBeReached) {
    ViewerState state{.currentPage = 1, .pageCount = 40000};
    InterfaceTexts texts;
    JumpDialog dialog(state, texts);
    FakeJumpView view;
    view.typed = "32768";
    dialog.onCommand(kJumpOk, view);
    EXPECT_EQ(state.currentPage, 32768);
    view.typed = "40001";
    dialog.onCommand(kJumpOk, view);
    EXPECT_EQ(state.currentPage, 32768);
}

TEST(JumpDialog, CancelEscapeAndCloseLeaveThePage) {
    ViewerState state{.currentPage = 6, .pageCount = 12};
    InterfaceTexts texts;
    JumpDialog dialog(state, texts);
    FakeJumpView view;
    view.typed = "5";
    dialog.onCommand(kJumpCancel, view);
    dialog.onCommand(kDialogCancel, view);
    dialog.onCommand(kJumpEdit, view); // edit notifications are not a choice
    dialog.onClose(view);
    EXPECT_EQ(view.calls, (Lines{"requestClose", "requestClose", "endDialog"}));
    EXPECT_EQ(state.currentPage, 6);
}

// GoJump runs the dialog modally and draws only when the page changed.
struct JumpFixture : ::testing::Test {
    ViewerHarness h{PagesDocument(12)};
    FakeJumpView dialogView;
    JumpFixture() {
        h.open();
        h.view.jumpScript = [this](JumpDialog& dialog) {
            dialog.onInitDialog(dialogView);
            dialog.onCommand(kJumpOk, dialogView);
        };
    }
};

TEST_F(JumpFixture, AnAcceptedPageIsShown) {
    for (const int id : {kMenuJump, kButtonJump}) {
        h.state.currentPage = 1;
        h.clearLogs();
        dialogView.typed = "5";
        h.window->onCommand(id, 0);
        EXPECT_EQ(h.state.currentPage, 5);
        EXPECT_EQ(h.view.calls.front(), "runJumpDialog");
        EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{5});
        EXPECT_EQ(h.view.statusText, "Page 5 of 12       ");
    }
}

TEST_F(JumpFixture, TheSamePageOrARefusedOneDrawsNothing) {
    h.state.currentPage = 4;
    for (const char* typed : {"4", "13", "abc"}) {
        h.clearLogs();
        dialogView.typed = typed;
        h.window->onCommand(kMenuJump, 0);
        EXPECT_EQ(h.state.currentPage, 4) << typed;
        EXPECT_EQ(h.view.calls, Lines{"runJumpDialog"}) << typed;
        EXPECT_TRUE(h.renderer.pages.empty()) << typed;
    }
}

} // namespace
} // namespace velk
