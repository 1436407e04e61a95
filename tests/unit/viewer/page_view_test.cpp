#include "viewer/page_renderer.h"
#include "viewer/page_view.h"
#include "viewer/scrolling.h"
#include "support/render_harness.h"
#include "unit/viewer/viewer_fakes.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::CallsOf;
using testing::FakeMainWindowView;
using testing::FakeRenderer;
using Lines = std::vector<std::string>;

// The layout, copy and scrolling rules have tables of their own; these tests are the page view
// handing them the window's measurements and carrying out what they decide.
struct PageViewFixture : ::testing::Test {
    ViewerState state;
    Document document;
    InterfaceTexts texts;
    ScreenSettings settings;
    FakeMainWindowView view;
    FakeRenderer renderer; // Letter at 96 dpi: 816 x 1056
    PageView page{state, document, texts, settings, view, renderer};

    PageViewFixture() {
        settings.screenDpiX = 120;
        settings.screenDpiY = 97;
        page.createSurface();
    }
};

// The fake's window: room 1250 x 883 for the page area, bars 17 pixels. Letter at 100 % is
// 1056 tall: a vertical bar, the area 816 - 17 = 799 wide.
TEST_F(PageViewFixture, ShowPageViewLaysOutDrawsOnAWhitePageAndCopiesTheVisiblePart) {
    EXPECT_EQ(view.surfaceSize, (SurfaceSize{2100, 1698}));
    state.currentPage = 2;
    page.ShowPageView();
    EXPECT_EQ(view.pageArea, (ClientRect{230, 44, 799, 883}));
    EXPECT_EQ(view.verticalBar, (ScrollBarPlacement{true, 1029, 44, 17, 883}));
    EXPECT_FALSE(view.horizontalBar.shown);
    EXPECT_TRUE(state.vScrollNeeded);
    EXPECT_FALSE(state.hScrollNeeded);
    EXPECT_EQ(view.cursorChanges, (Lines{"Wait", "Arrow"}));
    EXPECT_EQ(view.copies, Lines{"copy BitBlt 799x883 from 1 1"});
    EXPECT_EQ(renderer.calls, Lines{"render 2 96 96"});
    const auto trace = view.recorder.lines();
    EXPECT_EQ(CallsOf(trace, "Rectangle"), Lines{"Rectangle 0 0 2100 1698"});
    EXPECT_EQ(CallsOf(trace, "CreateSolidBrush"),
              Lines{"CreateSolidBrush colour=0xFFFFFF -> brush 4"});
    // The 9-point page font, 12 pixels at the surface's 96 dpi.
    EXPECT_EQ(CallsOf(trace, "CreateFontIndirect").at(0).rfind("CreateFontIndirect height=-12 ", 0),
              0u);
    EXPECT_EQ(CallsOf(trace, "TextOut"), Lines{"TextOut 0 0 \"page 2\""});
    EXPECT_EQ(view.surface->liveObjects(), 0u);
}

TEST_F(PageViewFixture, BarsHugThePageAreaAsTheSystemLeftIt) {
    // A window too narrow for the margins: the area asked for is -24 wide, which the system
    // makes 0; the bars follow the 0.
    view.fitBars({0, 0, 0, 957});
    page.LayoutPageArea();
    EXPECT_EQ(view.pageArea, (ClientRect{12, 44, -24 - 17, 883 - 17}));
    EXPECT_EQ(view.verticalBar, (ScrollBarPlacement{true, 12, 44, 17, 866}));
    EXPECT_EQ(view.horizontalBar, (ScrollBarPlacement{true, 12, 44 + 866, 0, 17}));
}

TEST_F(PageViewFixture, ScrollingCopiesAgainWithoutDrawing) {
    page.ShowPageView();
    view.clearTraffic();
    view.recorder.clear();
    renderer.calls.clear();
    // The part that does not fit: 816 - 799 = 17 across, 1056 - 883 = 173 down.
    page.scroll(ScrollBar::Vertical, kScrollThumbPosition, 100);
    page.scroll(ScrollBar::Horizontal, kScrollThumbPosition, 50); // 17 x 50 % + 1 = 9.5
    EXPECT_EQ(view.measured.scroll, (ScrollPositions{50, 100}));
    EXPECT_EQ(view.copies,
              (Lines{"copy BitBlt 799x883 from 1 174", "copy BitBlt 799x883 from 10 174"}));
    EXPECT_TRUE(renderer.calls.empty());
    EXPECT_TRUE(view.recorder.lines().empty());

    // A new rendering keeps the positions.
    view.clearTraffic();
    page.ShowPageView();
    page.paint();
    EXPECT_EQ(view.copies,
              (Lines{"copy BitBlt 799x883 from 10 174", "paint BitBlt 799x883 from 10 174"}));
    // A released surface is not painted any more.
    view.clearTraffic();
    page.releaseSurface();
    page.paint();
    EXPECT_TRUE(view.surfaceReleased);
    EXPECT_TRUE(view.copies.empty());
}

TEST_F(PageViewFixture, WithoutASurfaceNothingIsDrawnOrCopied) {
    FakeMainWindowView failing;
    failing.surfaceFails = true;
    PageView blank{state, document, texts, settings, failing, renderer};
    blank.createSurface();

    blank.ShowPageView();
    blank.paint();
    blank.scroll(ScrollBar::Vertical, kScrollLineDown, 0);
    EXPECT_EQ(failing.cursorChanges, (Lines{"Wait", "Arrow"}));
    EXPECT_EQ(failing.measured.scroll, (ScrollPositions{0, 3}));
    EXPECT_TRUE(failing.copies.empty());
    EXPECT_TRUE(renderer.calls.empty());
}

// The zoom box as the fake holds it: status bar 1274 wide at y 1027, toolbar ending at 120,
// so width room 1250, height room 871.
TEST_F(PageViewFixture, ReadZoomSettingTakesTheSelectedItemOrTheTypedTextAndWritesTheLabelBack) {
    // item -1: `edit` typed
    const std::tuple<int, std::string, bool, std::int32_t, const char*> cases[] = {
        {2, "typed over", false, 75, "75%"},
        {0, "", false, 153, "Fit Width"}, // 125000 / 816 = 153.19
        {1, "", false, 82, "Fit Window"}, // 87100 / 1056 = 82.48
        {-1, "  fit WIDTH ", false, 153, "Fit Width"},
        {-1, "10", false, 25, "25%"},
        // An item that cannot be fetched leaves the edit field's text.
        {4, "60", true, 60, "60%"},
    };
    page.setPageGeometry({}); // Letter at 96 dpi: 816 x 1056
    for (const auto& [item, edit, itemFails, percentage, label] : cases) {
        view.zoomBox.selection = item;
        view.zoomBox.editText = edit;
        view.itemTextFails = itemFails;
        EXPECT_EQ(page.ReadZoomSetting(), percentage) << edit;
        EXPECT_DOUBLE_EQ(state.zoom, percentage / 100.0);
        EXPECT_EQ(view.zoomBox.editText, label) << edit;
        EXPECT_EQ(view.zoomBox.selection, item) << edit;
    }
}

// The real renderer: each page's geometry comes from its set-up, for the page view to lay out.
vlkw::DocumentDescription TwoPapers(std::int32_t renderOptions) {
    auto description = testing::DocumentOf(
        {vlkw::PageBuilder{}.text(1, 1, 0, "one").bytes(),
         vlkw::PageBuilder{{vlkw::kPaperA4, vlkw::kLandscape, vlkw::kBinAuto, {}}}
             .text(1, 1, 0, "two")
             .bytes()});
    description.renderOptions = renderOptions;
    return description;
}

struct RenderedPages : testing::RenderHarness {
    ViewerState state;
    FakeMainWindowView view;
    DocumentPageRenderer renderer{services()};
    PageView page{state, document, texts, settings, view, renderer};

    explicit RenderedPages(std::int32_t renderOptions = 0)
        : RenderHarness(TwoPapers(renderOptions)) {
        state.pageCount = document.pageCount;
        page.createSurface();
    }
};

TEST(RenderedPage, EachPageIsLaidOutWithItsOwnPaper) {
    RenderedPages run;
    run.state.currentPage = 2;
    run.page.ShowPageView();
    // A4 landscape: 11.69 x 96 = 1122.5 -> 1123 wide, 8.27 x 96 = 793.7 -> 794 tall; it fits,
    // centred at round(127 / 2) = 64 (63.5 to even).
    EXPECT_EQ(run.view.pageArea, (ClientRect{76, 44, 1123, 794}));
    EXPECT_EQ(CallsOf(run.view.recorder.lines(), "TextOut"), Lines{"TextOut 96 96 \"two\""});
    run.state.currentPage = 1;
    run.page.ShowPageView();
    EXPECT_EQ(run.view.pageArea, (ClientRect{230, 44, 799, 883}));
}

// Below 100 % a document in full-size mode is drawn at 100 % and shrunk on copy.
TEST(RenderedPage, FullSizeModeDrawsAtHundredAndShrinksOnCopy) {
    for (const std::int32_t renderOptions : {2048, 0}) {
        RenderedPages run(renderOptions);
        run.view.typeZoom("50");
        run.page.ShowPageView();
        const bool full = renderOptions == 2048;
        EXPECT_EQ(CallsOf(run.view.recorder.lines(), "TextOut"),
                  Lines{full ? "TextOut 96 96 \"one\"" : "TextOut 48 48 \"one\""});
        EXPECT_EQ(run.view.copies, Lines{full ? "copy StretchBlt 408x528 from 2 2 816x1056"
                                              : "copy BitBlt 408x528 from 1 1"});
    }
}

} // namespace
} // namespace velk
