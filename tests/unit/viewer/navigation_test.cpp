#include "viewer/main_window_ids.h"
#include "viewer/navigation.h"
#include "viewer/status_text.h"
#include "unit/viewer/viewer_fakes.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::PagesDocument;
using testing::ViewerHarness;
using Lines = std::vector<std::string>;

std::vector<IndexEntry> Index(std::initializer_list<std::pair<std::int16_t, const char*>> items) {
    std::vector<IndexEntry> index;
    for (const auto& [page, caption] : items) {
        std::string padded = caption;
        padded.resize(kIndexCaptionSize, ' ');
        index.push_back({page, padded});
    }
    return index;
}

// An entry for page -32768 is not page 32768.
TEST(IndexCaptions, FirstAndLastCaptionOfThePageJoined) {
    const auto index = Index({{1, "Summary"},
                              {2, "Sales"},
                              {2, "Sales by region"},
                              {2, "  Sales by product  "},
                              {4, "  Outlook"},
                              {5, "Costs"},
                              {5, "Staff"},
                              {-32768, "Wrapped"},
                              {32767, "Last short"}});
    const std::pair<std::int32_t, const char*> cases[] = {{1, "Summary"},
                                                          {2, "Sales ... Sales by product"},
                                                          {3, ""},
                                                          {4, "Outlook"},
                                                          {5, "Costs ... Staff"},
                                                          {0, ""},
                                                          {6, ""},
                                                          {32767, "Last short"},
                                                          {32768, ""}};
    for (const auto& [page, expected] : cases) {
        EXPECT_EQ(IndexCaptionsForPage(index, page), expected) << page;
    }
    EXPECT_EQ(IndexCaptionsForPage({}, 1), "");
}

TEST(StatusText, BothForms) {
    InterfaceTexts texts;
    const auto index = Index({{2, "Sales"}, {2, "Outlook"}});
    const std::pair<ViewerState, const char*> cases[] = {
        {{.currentPage = 2, .pageCount = 12}, "Page 2 of 12       Sales ... Outlook"},
        {{.currentPage = 3, .pageCount = 12}, "Page 3 of 12       "},
        {{.currentPage = 32768, .pageCount = 40000}, "Page 32768 of 40000       "},
        {{.currentPage = 3, .pageCount = 7, .building = true}, "3 of ?  Building 8"},
        {{.currentPage = 1, .pageCount = 0, .building = true}, "1 of ?  Building 1"},
        {{.currentPage = 0, .pageCount = 0, .building = true}, "0 of ?  Building 1"},
    };
    for (const auto& [state, expected] : cases) {
        EXPECT_EQ(StatusText(state, texts, index), expected) << expected;
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

using Pages = std::vector<std::int32_t>;
constexpr NavigationStates kAllEnabled{true, true, true, true};
constexpr NavigationStates kFirstPage{false, false, true, true};
constexpr NavigationStates kLastPage{true, true, false, false};

struct NavigationFixture : ::testing::Test {
    ViewerHarness h{PagesDocument(3, {{1, "Summary"},
                                      {2, "Sales"},
                                      {2, "Sales by region"},
                                      {2, "Sales by product"},
                                      {0, "Zero"},
                                      {9, "Beyond"}})};
    NavigationFixture() { h.open(); }
    void command(int id) {
        h.clearLogs();
        h.window->onCommand(id, 0);
    }
};

TEST_F(NavigationFixture, CommandsMoveAndShowFromMenuAndToolbar) {
    const std::tuple<int, std::int32_t, std::int32_t, bool, NavigationStates> cases[] = {
        // Menu and toolbar ids name the same commands (their own table); half of each here.
        {kMenuNext, 1, 2, true, kAllEnabled},
        {kButtonPrevious, 2, 1, true, kFirstPage},
        {kMenuFirst, 3, 1, true, kFirstPage},
        {kButtonLast, 1, 3, true, kLastPage},
        // Past either end only the buttons are updated.
        {kButtonNext, 3, 3, false, kLastPage},
        {kMenuPrevious, 1, 1, false, kFirstPage},
    };
    const char* status[] = {"", "Page 1 of 3       Summary",
                            "Page 2 of 3       Sales ... Sales by product", "Page 3 of 3       "};
    for (const auto& [id, from, page, drawn, buttons] : cases) {
        h.state.currentPage = from;
        h.view.statusText = "unchanged";
        h.view.setNavigation({});
        command(id);
        EXPECT_EQ(h.state.currentPage, page) << id << " from " << from;
        EXPECT_EQ(h.view.navigation, buttons) << id << " from " << from;
        EXPECT_EQ(h.renderer.pages, drawn ? Pages{page} : Pages{}) << id;
        // The status text is up to date before the page is drawn.
        EXPECT_EQ(h.renderer.statusSeen, drawn ? Lines{status[page]} : Lines{}) << id;
        EXPECT_EQ(h.view.statusText, drawn ? status[page] : "unchanged") << id;
    }
}

TEST_F(NavigationFixture, IndexEntriesShowTheirPageLimitedToTheDocument) {
    // Item n is entry n: 2 "Sales" on page 2, 5 "Zero" on page 0, 6 "Beyond" on page 9; the
    // heading, no selection and other notifications do nothing.
    // page 0: nothing happens
    const std::tuple<int, int, std::int32_t> cases[] = {
        {2, kComboSelectionChanged, 2}, {5, kComboSelectionChanged, 1},
        {6, kComboSelectionChanged, 3}, {1, kComboSelectionChanged, 1},
        {0, kComboSelectionChanged, 0}, {-1, kComboSelectionChanged, 0},
        {2, kComboLostFocus, 0}};
    for (const auto& [item, notification, page] : cases) {
        h.state.currentPage = 2;
        h.view.selectIndexItem(item);
        h.clearLogs();
        h.window->onCommand(static_cast<int>(Control::IndexBox), notification);
        EXPECT_EQ(h.state.currentPage, page == 0 ? 2 : page) << item;
        EXPECT_EQ(h.renderer.pages, page == 0 ? Pages{} : Pages{page}) << item;
        // The heading is selected again afterwards.
        EXPECT_EQ(h.view.indexBox.selection, page == 0 ? item : 0) << item;
    }
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
    EXPECT_EQ(h.renderer.pages, Pages{0});
}

TEST(PageLimits, RaisedToOneThenLoweredToTheCount) {
    const std::tuple<std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {0, 5, 1}, {-3, 5, 1}, {6, 5, 5}, {3, 5, 3}, {1, 0, 0}, {0, 0, 0}, {40000, 40000, 40000}};
    for (const auto& [page, count, expected] : cases) {
        EXPECT_EQ(LimitPage(page, count), expected) << page << " " << count;
    }
}

} // namespace
} // namespace velk
