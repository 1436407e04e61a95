#include "viewer/main_window_ids.h"
#include "viewer/navigation.h"
#include "viewer/status_text.h"
#include "viewer_fakes.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::PagesDocument;
using testing::ViewerHarness;
using Lines = std::vector<std::string>;

const Lines kAllEnabled = {"enableToolbarButton 752 1", "enableToolbarButton 753 1",
                           "enableToolbarButton 754 1", "enableToolbarButton 755 1"};
const Lines kLastPage = {"enableToolbarButton 752 1", "enableToolbarButton 753 1",
                         "enableToolbarButton 754 0", "enableToolbarButton 755 0"};
const Lines kFirstPage = {"enableToolbarButton 752 0", "enableToolbarButton 753 0",
                          "enableToolbarButton 754 1", "enableToolbarButton 755 1"};

std::vector<IndexEntry> Index(std::initializer_list<std::pair<std::int16_t, const char*>> items) {
    std::vector<IndexEntry> index;
    for (const auto& [page, caption] : items) {
        std::string padded = caption;
        padded.resize(kIndexCaptionSize, ' ');
        index.push_back({page, padded});
    }
    return index;
}

TEST(IndexCaptions, FirstAndLastCaptionOfThePageJoined) {
    const auto index = Index({{1, "Summary"},
                              {2, "Sales"},
                              {2, "Sales by region"},
                              {2, "  Sales by product  "},
                              {4, "  Outlook"},
                              {5, "Costs"},
                              {5, "Staff"}});
    const struct {
        std::int32_t page;
        const char* expected;
    } cases[] = {{1, "Summary"},
                 {2, "Sales ... Sales by product"},
                 {3, ""},
                 {4, "Outlook"},
                 {5, "Costs ... Staff"},
                 {0, ""},
                 {6, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(IndexCaptionsForPage(index, c.page), c.expected) << c.page;
    }
    EXPECT_EQ(IndexCaptionsForPage({}, 1), "");
}

TEST(IndexCaptions, PageNumbersAbove32767AreNotMatchedByWrappedEntries) {
    // An entry for page -32768 is not page 32768.
    const auto index = Index({{-32768, "Wrapped"}, {32767, "Last short"}});
    EXPECT_EQ(IndexCaptionsForPage(index, 32768), "");
    EXPECT_EQ(IndexCaptionsForPage(index, 32767), "Last short");
}

TEST(StatusText, BothForms) {
    InterfaceTexts texts;
    const auto index = Index({{2, "Sales"}, {2, "Outlook"}});
    const struct {
        ViewerState state;
        const char* expected;
    } cases[] = {
        {{.currentPage = 2, .pageCount = 12}, "Page 2 of 12       Sales ... Outlook"},
        {{.currentPage = 3, .pageCount = 12}, "Page 3 of 12       "},
        {{.currentPage = 32768, .pageCount = 40000}, "Page 32768 of 40000       "},
        {{.currentPage = 3, .pageCount = 7, .building = true}, "3 of ?  Building 8"},
        {{.currentPage = 1, .pageCount = 0, .building = true}, "1 of ?  Building 1"},
        {{.currentPage = 0, .pageCount = 0, .building = true}, "0 of ?  Building 1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StatusText(c.state, texts, index), c.expected) << c.expected;
    }
}

TEST(StatusText, UsesTheCurrentTextsAndIsCutForTheWindow) {
    InterfaceTexts texts;
    texts.SetInterfaceText(14, "Seite");
    texts.SetInterfaceText(15, "von");
    const ViewerState state{.currentPage = 1, .pageCount = 2};
    EXPECT_EQ(StatusText(state, texts, {}), "Seite 1 von 2       ");

    const auto index =
        Index({{1, std::string(100, 'a').c_str()}, {1, std::string(100, 'b').c_str()}});
    const std::string text = StatusText(state, texts, index);
    EXPECT_EQ(text.size(), 199u);
    EXPECT_EQ(text.substr(0, 20), "Seite 1 von 2       ");
}

struct NavigationFixture : ::testing::Test {
    ViewerHarness h{PagesDocument(3, {{1, "Summary"},
                                      {2, "Sales"},
                                      {2, "Sales by region"},
                                      {2, "Sales by product"},
                                      {0, "Zero"},
                                      {9, "Beyond"}})};
    NavigationFixture() { h.open(); }
    void command(int id) { h.window->onCommand(id, 0); }
    Lines statusTexts() const { return h.view.callsStartingWith("setStatusText"); }
    Lines buttons() const { return h.view.callsStartingWith("enableToolbarButton"); }
};

TEST_F(NavigationFixture, NextAndPreviousMoveAndShowFromMenuAndToolbar) {
    for (const auto& [next, previous] :
         {std::pair{kMenuNext, kMenuPrevious}, std::pair{kButtonNext, kButtonPrevious}}) {
        h.state.currentPage = 1;
        h.clearLogs();
        command(next);
        EXPECT_EQ(h.state.currentPage, 2);
        EXPECT_EQ(statusTexts(),
                  Lines{"setStatusText \"Page 2 of 3       Sales ... Sales by product\""});
        EXPECT_EQ(buttons(), kAllEnabled);
        EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{2});
        // Status text and buttons come before the page is drawn.
        EXPECT_LT(h.view.indexOf("enableToolbarButton 755 1"), h.view.indexOf("setCursor Wait"));

        h.clearLogs();
        command(previous);
        EXPECT_EQ(h.state.currentPage, 1);
        EXPECT_EQ(statusTexts(), Lines{"setStatusText \"Page 1 of 3       Summary\""});
        EXPECT_EQ(buttons(), kFirstPage);
        EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{1});
    }
}

TEST_F(NavigationFixture, PastEitherEndOnlyTheButtonsAreUpdated) {
    h.state.currentPage = 3;
    for (const int next : {kMenuNext, kButtonNext}) {
        h.clearLogs();
        command(next);
        EXPECT_EQ(h.state.currentPage, 3);
        EXPECT_EQ(h.view.calls, kLastPage);
        EXPECT_TRUE(h.renderer.pages.empty());
    }
    h.state.currentPage = 1;
    for (const int previous : {kMenuPrevious, kButtonPrevious}) {
        h.clearLogs();
        command(previous);
        EXPECT_EQ(h.state.currentPage, 1);
        EXPECT_EQ(h.view.calls, kFirstPage);
        EXPECT_TRUE(h.renderer.pages.empty());
    }
}

TEST_F(NavigationFixture, FirstAndLastShowTheirPageEvenWhenAlreadyThere) {
    for (const int first : {kMenuFirst, kButtonFirst}) {
        h.clearLogs();
        command(first);
        EXPECT_EQ(h.state.currentPage, 1);
        EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{1});
        EXPECT_EQ(buttons(), kFirstPage);
    }
    for (const int last : {kMenuLast, kButtonLast}) {
        h.clearLogs();
        command(last);
        EXPECT_EQ(h.state.currentPage, 3);
        EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{3});
        EXPECT_EQ(statusTexts(), Lines{"setStatusText \"Page 3 of 3       \""});
        EXPECT_EQ(buttons(), kLastPage);
    }
}

TEST_F(NavigationFixture, IndexEntriesShowTheirPageLimitedToTheDocument) {
    // Item n is entry n: 2 "Sales" on page 2, 5 "Zero" on page 0, 6 "Beyond" on page 9.
    const struct {
        int item;
        std::int32_t page;
    } cases[] = {{2, 2}, {5, 1}, {6, 3}, {1, 1}};
    for (const auto& c : cases) {
        h.state.currentPage = 2;
        h.view.setComboSelection(Control::IndexBox, c.item);
        h.clearLogs();
        h.window->onCommand(static_cast<int>(Control::IndexBox), kComboSelectionChanged);
        EXPECT_EQ(h.state.currentPage, c.page) << c.item;
        EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{c.page}) << c.item;
        // The heading is selected again afterwards.
        EXPECT_EQ(h.view.calls.back(), "setComboSelection IndexBox 0") << c.item;
        EXPECT_EQ(h.view.combos[Control::IndexBox].selection, 0);
    }
}

TEST_F(NavigationFixture, TheHeadingOrNoSelectionDoesNothing) {
    for (const int item : {0, -1}) {
        h.view.combos[Control::IndexBox].selection = item;
        h.clearLogs();
        h.window->onCommand(static_cast<int>(Control::IndexBox), kComboSelectionChanged);
        EXPECT_TRUE(h.view.calls.empty()) << item;
        EXPECT_TRUE(h.renderer.pages.empty()) << item;
    }
    // Other notifications of the index box are not a choice.
    h.view.combos[Control::IndexBox].selection = 2;
    h.window->onCommand(static_cast<int>(Control::IndexBox), kComboLostFocus);
    EXPECT_TRUE(h.renderer.pages.empty());
}

TEST_F(NavigationFixture, TheIndexBoxHoldsTheHeadingAndEveryCaptionInFull) {
    const auto& combo = h.view.combos[Control::IndexBox];
    ASSERT_EQ(combo.items.size(), 7u);
    EXPECT_EQ(combo.items[0], "< Document Index >");
    EXPECT_EQ(combo.items[2], "Sales" + std::string(95, ' '));
    EXPECT_EQ(combo.items[6], "Beyond" + std::string(94, ' '));
    EXPECT_EQ(combo.selection, 0);
}

TEST(Navigation, AnEmptyIndexHidesTheBox) {
    ViewerHarness h{PagesDocument(2)};
    h.window->onInitDialog();
    EXPECT_NE(h.view.indexOf("showControl IndexBox 0"), -1);
    EXPECT_TRUE(h.view.callsStartingWith("addComboItem IndexBox").empty());
}

TEST(Navigation, NextCrossesPage32767InALongDocument) {
    ViewerHarness h{PagesDocument(40000)};
    h.open();
    h.state.currentPage = 32767;
    h.window->onCommand(kButtonNext, 0);
    EXPECT_EQ(h.state.currentPage, 32768);
    EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{32768});
    EXPECT_EQ(h.view.statusText, "Page 32768 of 40000       ");
    EXPECT_EQ(h.view.callsStartingWith("enableToolbarButton"), kAllEnabled);

    h.window->onCommand(kMenuLast, 0);
    EXPECT_EQ(h.state.currentPage, 40000);
    h.clearLogs();
    h.window->onCommand(kMenuNext, 0);
    EXPECT_EQ(h.state.currentPage, 40000);
    EXPECT_TRUE(h.renderer.pages.empty());

    h.window->onCommand(kMenuFirst, 0);
    h.state.currentPage = 32769;
    h.window->onCommand(kMenuPrevious, 0);
    EXPECT_EQ(h.state.currentPage, 32768);
}

TEST(Navigation, WithNoPageYetNextAndLastGoToPageZero) {
    ViewerHarness h{PagesDocument(0), true};
    h.open();
    h.window->onCommand(kMenuNext, 0);
    EXPECT_EQ(h.state.currentPage, 0);
    EXPECT_TRUE(h.renderer.pages.empty());

    h.state.currentPage = 1;
    h.window->onCommand(kMenuLast, 0);
    EXPECT_EQ(h.state.currentPage, 0);
    EXPECT_EQ(h.view.statusText, "0 of ?  Building 1");
    EXPECT_EQ(h.renderer.pages, std::vector<std::int32_t>{0});
}

TEST(PageLimits, RaisedToOneThenLoweredToTheCount) {
    const struct {
        std::int32_t page;
        std::int32_t count;
        std::int32_t expected;
    } cases[] = {{0, 5, 1}, {-3, 5, 1},           {6, 5, 5}, {3, 5, 3}, {1, 0, 0},
                 {0, 0, 0}, {40000, 40000, 40000}};
    for (const auto& c : cases) {
        EXPECT_EQ(LimitPage(c.page, c.count), c.expected) << c.page << " " << c.count;
    }
}

} // namespace
} // namespace velk
