// Zoom: the zoom box's items, typed percentages, the scroll bar and the magnifier, read back
// from the box's label, the page area's size and the scroll bars. The sample's first page is
// Letter paper, 816 x 1056 pixels at 100 % on a screen of 96 pixels per inch. What each typed
// text, fit mode, click or scroll request gives is a row of the unit tables; these prove that
// each control reaches the window.

#include "resource.h"
#include "uidriver/common_controls.h"
#include "uidriver/controls.h"
#include "viewer_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace velk_e2e {
namespace {

constexpr int kPageWidth = 816;
constexpr int kPageHeight = 1056;

int Rounded(double value) {
    return static_cast<int>(std::lround(value));
}

class SampleZoom : public SampleViewerTest {
  protected:
    void SetUp() override {
        SampleViewerTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        zoomBox = viewer->control(IDC_ZOOM_BOX);
        ASSERT_NE(zoomBox, nullptr);
    }
    std::string label() const { return uidriver::WindowText(zoomBox); }
    bool shows(int id) const { return viewer->shows(viewer->control(id)); }
    RECT rectOf(int id) const {
        RECT rect{};
        GetWindowRect(viewer->control(id), &rect);
        return rect;
    }
    SIZE pageArea() const {
        const RECT area = rectOf(IDC_PAGE_AREA);
        return {area.right - area.left, area.bottom - area.top};
    }
    // A mouse or scroll message, dealt with when this returns.
    void send(UINT message, WPARAM wParam, LPARAM lParam) const {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(viewer->window(), message, wParam, lParam, SMTO_ABORTIFHUNG, 5000,
                            &ignored);
    }

    HWND zoomBox = nullptr;
};

// Zooms at which the whole page fits give the page area exactly the page's size and no scroll
// bars; a page taller than the room but not wider gets the vertical bar, which takes its width
// from the area.
TEST_F(SampleZoom, ThePageAreaTakesThePagesSizeAndTheVerticalBarItsWidth) {
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    // typed nullptr: the box's item 2, "75%"
    // percent: also what the box then shows
    const std::tuple<const char*, int, bool> cases[] = {
        {nullptr, 75, false}, {"10", 25, false}, {"110", 110, true}};
    for (const auto& [typed, percent, tall] : cases) {
        const std::string what = typed != nullptr ? typed : "item 2";
        ASSERT_TRUE(typed != nullptr ? uidriver::TypeComboText(viewer->window(), zoomBox, typed)
                                     : uidriver::ChooseComboItem(viewer->window(), zoomBox, 2))
            << what;
        EXPECT_EQ(label(), std::to_string(percent) + "%") << what;
        const SIZE area = pageArea();
        EXPECT_EQ(area.cx, Rounded(kPageWidth * percent / 100.0) - (tall ? barWidth : 0)) << what;
        if (!tall) {
            EXPECT_EQ(area.cy, Rounded(kPageHeight * percent / 100.0)) << what;
        }
        EXPECT_EQ(shows(IDC_VERTICAL_SCROLL_BAR), tall) << what;
        EXPECT_FALSE(shows(IDC_HORIZONTAL_SCROLL_BAR)) << what;
    }
}

// The scroll bar moves the view over the page in percent of what does not fit; the zoom stays.
// The position follows the thumb while it is dragged; the request at its release does not.
TEST_F(SampleZoom, VerticalScrollBarMovesOverThePage) {
    const HWND bar = viewer->control(IDC_VERTICAL_SCROLL_BAR);
    ASSERT_TRUE(shows(IDC_VERTICAL_SCROLL_BAR));
    const auto scroll = [this, bar](int request, int thumb = 0) {
        send(WM_VSCROLL, MAKEWPARAM(request, thumb), reinterpret_cast<LPARAM>(bar));
        return GetScrollPos(bar, SB_CTL);
    };
    // The report's navy banner runs across the top of page 1, half an inch tall.
    const COLORREF banner = RGB(20, 40, 90);
    const int atTop = viewer->pagePixels("viewer-scrolled-top", banner);
    EXPECT_GT(atTop, 500 * 40);
    EXPECT_EQ(scroll(SB_PAGEDOWN), 15);
    EXPECT_EQ(scroll(SB_THUMBTRACK, 100), 100);
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 40), 100);
    // At the bottom the banner is out of sight.
    EXPECT_LT(viewer->pagePixels("viewer-scrolled-bottom", banner), atTop / 2);
    EXPECT_EQ(label(), "100%");
}

// Left click zooms in, right click zooms out, around the page; outside the page nothing.
TEST_F(SampleZoom, MagnifierClicksStepTheZoom) {
    const auto click = [this](UINT message, bool onPage) {
        const RECT area = rectOf(IDC_PAGE_AREA);
        // Outside: just left of the page area.
        POINT at{onPage ? (area.left + area.right) / 2 : area.left - 6, area.top + 50};
        ScreenToClient(viewer->window(), &at);
        send(message, 0, MAKELPARAM(at.x, at.y));
    };
    click(WM_LBUTTONDOWN, true);
    EXPECT_EQ(label(), "120%");
    EXPECT_EQ(uidriver::ComboSelection(zoomBox), -1);
    click(WM_RBUTTONDOWN, true);
    EXPECT_EQ(label(), "100%");
    click(WM_LBUTTONDOWN, false);
    EXPECT_EQ(label(), "100%");
}

} // namespace
} // namespace velk_e2e
