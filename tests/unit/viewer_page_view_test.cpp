#include "viewer/page_renderer.h"
#include "viewer/page_view.h"
#include "viewer/scrolling.h"
#include "support/render_harness.h"
#include "viewer_fakes.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::FakeMainWindowView;
using testing::FakeRenderer;
using Lines = std::vector<std::string>;

struct PageViewFixture : ::testing::Test {
    ViewerState state;
    Document document;
    InterfaceTexts texts;
    ScreenSettings settings;
    FakeMainWindowView view;
    FakeRenderer renderer; // Letter at 96 dpi: 816 x 1056
    PageView page{state, document, texts, settings, view, renderer};

    PageViewFixture() {
        view.combos[Control::ZoomBox].items = {"Fit Width", "Fit Window", "75%", "100%", "125%"};
        view.setComboSelection(Control::ZoomBox, 3);
        page.createSurface();
        view.calls.clear();
    }
};

// The fake's window: room 1250 x 883 for the page area, bars 17 pixels. Letter at 100 % is
// 1056 tall: a vertical bar, the area 816 - 17 = 799 wide, x = round(round(225.5) - 8.5) + 12.
const Lines kLetterLayout = {
    "setControlText ZoomBox \"100%\"",
    "moveControl PageArea 230 44 799 883",
    "moveControl VerticalScrollBar 1029 44 17 883",
    "showControl VerticalScrollBar 1",
    "showControl HorizontalScrollBar 0",
};

TEST_F(PageViewFixture, TheSurfaceIsMadeOnceForSeventeenAndAHalfInches) {
    ScreenSettings wide;
    wide.screenDpiX = 120;
    wide.screenDpiY = 97;
    FakeMainWindowView other;
    PageView larger{state, document, texts, wide, other, renderer};
    larger.createSurface();
    EXPECT_EQ(other.calls, Lines{"createPageSurface 2100 1698"});
}

TEST_F(PageViewFixture, LayoutMovesThePageAreaAndItsBars) {
    page.LayoutPageArea();
    EXPECT_EQ(view.calls, kLetterLayout);
    EXPECT_TRUE(state.vScrollNeeded);
    EXPECT_FALSE(state.hScrollNeeded);
    EXPECT_DOUBLE_EQ(state.zoom, 1.0);
}

TEST_F(PageViewFixture, ShowPageViewDrawsOnAWhitePageAndCopiesTheVisiblePart) {
    state.currentPage = 2;
    page.ShowPageView();

    Lines expected = {"setCursor Wait"};
    expected.insert(expected.end(), kLetterLayout.begin(), kLetterLayout.end());
    expected.push_back("copyToPageArea BitBlt 0 0 799 883 from 1 1");
    expected.push_back("setCursor Arrow");
    EXPECT_EQ(view.calls, expected);
    EXPECT_EQ(renderer.calls, Lines{"render 2 96 96"});

    // White fill with the surface's own pen, the 9-point Arial page font (12 pixels at 96
    // dpi) selected while the page is drawn, then both put back and deleted.
    const Lines surface = {
        "CreateSolidBrush colour=0xFFFFFF -> brush 4",
        "SelectObject brush 4",
        "Rectangle 0 0 1680 1680",
        "GetDeviceCaps 90 -> 96",
        "CreateFontIndirect height=-12 width=0 escapement=0 orientation=0 weight=400 italic=0 "
        "underline=0 strikeout=0 charset=0 outprecision=0 clipprecision=0 quality=2 "
        "pitchandfamily=0 face=\"Arial\" -> font 5",
        "SelectObject font 5",
        "TextOut 0 0 \"page 2\"",
        "SelectObject font 3",
        "SelectObject brush 2",
        "DeleteObject font 5",
        "DeleteObject brush 4",
    };
    EXPECT_EQ(view.recorder.lines(), surface);
    EXPECT_EQ(view.surface->liveObjects(), 0u);
}

TEST_F(PageViewFixture, ScrollingCopiesAgainWithoutDrawing) {
    page.ShowPageView();
    view.calls.clear();
    view.recorder.clear();
    renderer.calls.clear();

    // The part that does not fit: 816 - 799 = 17 across, 1056 - 883 = 173 down.
    page.scroll(ScrollBar::Vertical, kScrollPageDown, 0); // 173 x 15 % + 1 = 26.95
    page.scroll(ScrollBar::Vertical, kScrollThumbPosition, 100);
    page.scroll(ScrollBar::Horizontal, kScrollThumbPosition, 50); // 17 x 50 % + 1 = 9.5
    EXPECT_EQ(view.calls, (Lines{
                              "setScrollPosition Vertical 15 1",
                              "copyToPageArea BitBlt 0 0 799 883 from 1 27",
                              "setScrollPosition Vertical 100 1",
                              "copyToPageArea BitBlt 0 0 799 883 from 1 174",
                              "setScrollPosition Horizontal 50 1",
                              "copyToPageArea BitBlt 0 0 799 883 from 10 174",
                          }));
    EXPECT_TRUE(renderer.calls.empty());
    EXPECT_TRUE(view.recorder.lines().empty());

    // A new rendering keeps the positions.
    view.calls.clear();
    page.ShowPageView();
    EXPECT_EQ(view.callsStartingWith("copyToPageArea"),
              Lines{"copyToPageArea BitBlt 0 0 799 883 from 10 174"});
    view.calls.clear();
    page.paint();
    EXPECT_EQ(view.calls, Lines{"paintPageArea BitBlt 0 0 799 883 from 10 174"});
}

TEST_F(PageViewFixture, WithoutASurfaceNothingIsDrawnOrCopied) {
    FakeMainWindowView failing;
    failing.surfaceFails = true;
    PageView blank{state, document, texts, settings, failing, renderer};
    blank.createSurface();
    failing.calls.clear();

    blank.ShowPageView();
    blank.paint();
    blank.scroll(ScrollBar::Vertical, kScrollLineDown, 0);
    EXPECT_EQ(failing.calls,
              (Lines{"setCursor Wait", "setCursor Arrow", "setScrollPosition Vertical 3 1"}));
    EXPECT_TRUE(renderer.calls.empty());
}

TEST_F(PageViewFixture, AReleasedSurfaceIsNotPaintedAnyMore) {
    page.ShowPageView();
    view.calls.clear();
    page.releaseSurface();
    page.paint();
    EXPECT_EQ(view.calls, Lines{"releasePageSurface"});
}

// The real renderer: each page's geometry comes from its set-up, for the page view to lay out.
struct RenderedPageFixture : ::testing::Test {
    static constexpr const char* kName = "C:\\docs\\pages.vlk";
    testing::MemoryFileSystem files;
    Document document;
    ViewerState state;
    InterfaceTexts texts;
    ScreenSettings settings;
    testing::FakeScreen screen;
    testing::RecordingMessageBox messages;
    FakeMainWindowView view;
    DocumentPageRenderer renderer{document, settings, screen, texts, messages, files};
    PageView page{state, document, texts, settings, view, renderer};

    explicit RenderedPageFixture(std::int32_t renderOptions = 0) {
        vlkw::DocumentDescription description;
        description.title = "Pages";
        description.renderOptions = renderOptions;
        description.pages = {
            vlkw::PageBuilder{}.text(1, 1, 0, "one").bytes(),
            vlkw::PageBuilder{{vlkw::kPaperA4, vlkw::kLandscape, vlkw::kBinAuto, {}}}
                .text(1, 1, 0, "two")
                .bytes(),
        };
        files.add(kName, vlkw::WriteDocument(description));
        document.open(files, kName, 0);
        document.readHeader();
        document.loadPageTable(false);
        state.pageCount = document.pageCount;
        view.combos[Control::ZoomBox].items = {"Fit Width", "Fit Window", "75%", "100%", "125%"};
        view.setComboSelection(Control::ZoomBox, 3);
        page.createSurface();
        view.calls.clear();
    }
};

TEST_F(RenderedPageFixture, EachPageIsLaidOutWithItsOwnPaper) {
    state.currentPage = 2;
    page.ShowPageView();
    // A4 landscape: 11.69 x 96 = 1122.5 -> 1123 wide, 8.27 x 96 = 793.7 -> 794 tall; it fits,
    // centred at round(127 / 2) = 64 (63.5 to even).
    EXPECT_EQ(view.callsStartingWith("moveControl"), Lines{"moveControl PageArea 76 44 1123 794"});
    EXPECT_EQ(testing::CallsOf(view.recorder.lines(), "TextOut"), Lines{"TextOut 96 96 \"two\""});
    EXPECT_EQ(view.surface->liveObjects(), 0u);

    view.calls.clear();
    state.currentPage = 1;
    page.ShowPageView();
    EXPECT_EQ(view.callsStartingWith("moveControl PageArea"),
              Lines{"moveControl PageArea 230 44 799 883"});
}

struct FullSizeFixture : RenderedPageFixture {
    FullSizeFixture() : RenderedPageFixture(2048) {}
};

TEST_F(FullSizeFixture, BelowHundredPercentThePageIsDrawnFullSizeAndShrunkOnCopy) {
    view.typeZoom("50");
    page.ShowPageView();
    EXPECT_EQ(testing::CallsOf(view.recorder.lines(), "TextOut"), Lines{"TextOut 96 96 \"one\""});
    EXPECT_DOUBLE_EQ(state.zoom, 0.5);
    EXPECT_EQ(view.callsStartingWith("copyToPageArea"),
              Lines{"copyToPageArea StretchBlt 0 0 408 528 from 2 2 816 1056"});

    view.calls.clear();
    view.recorder.clear();
    // 125 %: drawn at its zoom and copied directly; 1020 wide less the vertical bar.
    view.setComboSelection(Control::ZoomBox, 4);
    page.ShowPageView();
    EXPECT_EQ(testing::CallsOf(view.recorder.lines(), "TextOut"), Lines{"TextOut 120 120 \"one\""});
    EXPECT_EQ(view.callsStartingWith("copyToPageArea"),
              Lines{"copyToPageArea BitBlt 0 0 1003 883 from 1 1"});
}

TEST_F(RenderedPageFixture, WithoutTheModeFiftyPercentIsDrawnAtItsZoom) {
    view.typeZoom("50");
    page.ShowPageView();
    EXPECT_EQ(testing::CallsOf(view.recorder.lines(), "TextOut"), Lines{"TextOut 48 48 \"one\""});
    EXPECT_EQ(view.callsStartingWith("copyToPageArea"),
              Lines{"copyToPageArea BitBlt 0 0 408 528 from 1 1"});
}

} // namespace
} // namespace velk
