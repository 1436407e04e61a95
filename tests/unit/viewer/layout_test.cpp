#include "viewer/layout.h"
#include "viewer/scrolling.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

// Room for the page area: 1298 - 24 = 1274 wide, 900 - 30 - 24 = 846 tall; bars 17 pixels.
LayoutInput Input(PagePixels page, double zoom = 1.0) {
    LayoutInput input;
    input.statusBar = {0, 900, 1298, 920};
    input.toolbar = {0, 0, 1298, 30};
    input.page = page;
    input.zoom = zoom;
    input.verticalScrollWidth = 17;
    input.horizontalScrollHeight = 17;
    return input;
}

TEST(PageAreaLayout, PagesThatFitGetNoBarAndAreCentred) {
    const std::tuple<const char*, PagePixels, double, PageAreaLayout> cases[] = {
        {"Letter at 75 %", {816, 1056}, 0.75, {false, false, 12 + 331, 44, 612, 792}},
        // 846 + 5 is not below 851: no bar, and the area is the page's full height.
        {"5 pixels over", {600, 851}, 1.0, {false, false, 12 + 337, 44, 600, 851}},
        {"5 pixels wider", {1279, 500}, 1.0, {false, false, 12 - 2, 44, 1279, 500}},   // -2.5 -> -2
        {"odd margin up", {611, 500}, 1.0, {false, false, 12 + 332, 44, 611, 500}},    // 331.5
        {"odd margin down", {613, 500}, 1.0, {false, false, 12 + 330, 44, 613, 500}},  // 330.5
        {"zoomed half down", {817, 500}, 0.5, {false, false, 12 + 433, 44, 408, 250}}, // 408.5
        {"zoomed half up", {819, 500}, 0.5, {false, false, 12 + 432, 44, 410, 250}},   // 409.5
    };
    for (const auto& [name, page, zoom, expected] : cases) {
        EXPECT_EQ(ComputePageAreaLayout(Input(page, zoom)), expected) << name;
    }
}

TEST(PageAreaLayout, BarsTakeTheirRoomAndTheVerticalBarShiftsTheAreaLeft) {
    const std::tuple<const char*, PagePixels, PageAreaLayout> cases[] = {
        // 852 > 851: a vertical bar. 600 - 17 = 583 wide; x = round(691 / 2) = 346, then
        // round(346 - 8.5) = 338.
        {"slightly taller", {600, 852}, {false, true, 12 + 338, 44, 583, 846}},
        {"wider", {1280, 500}, {true, false, 12, 44, 1274, 483}},
        // Both: round(17 / 2) = 8, round(8 - 8.5) = 0.
        {"both", {2000, 2000}, {true, true, 12, 44, 1257, 829}},
        // Narrowed by the vertical bar to 1260 < 1277, but no horizontal bar is added:
        // x = round(7 - 8.5) = -2.
        {"narrowed", {1277, 900}, {false, true, 12 - 2, 44, 1260, 846}},
    };
    for (const auto& [name, page, expected] : cases) {
        EXPECT_EQ(ComputePageAreaLayout(Input(page)), expected) << name;
    }
}

TEST(OffscreenSurface, HoldsSeventeenAndAHalfInchesRoundedHalvesToEven) {
    EXPECT_EQ(OffscreenSurfaceSize(96, 96), (SurfaceSize{1680, 1680}));
    EXPECT_EQ(OffscreenSurfaceSize(120, 72), (SurfaceSize{2100, 1260}));
    EXPECT_EQ(OffscreenSurfaceSize(97, 99), (SurfaceSize{1698, 1732})); // 1697.5, 1732.5
}

TEST(Scrolling, RequestsMoveThePositionWithinZeroToHundred) {
    const std::tuple<std::int32_t, int, std::int32_t, std::int32_t> cases[] = {
        {50, kScrollLineUp, 0, 47},
        {50, kScrollLineDown, 0, 53},
        {50, kScrollPageUp, 0, 35},
        {0, kScrollPageDown, 0, 15},
        {50, kScrollThumbPosition, 80, 80},
        {50, kScrollThumbPosition, 250, 100},
        {1, kScrollLineUp, 0, 0},
        {99, kScrollLineDown, 0, 100},
        {10, kScrollPageUp, 0, 0},
        {90, kScrollPageDown, 0, 100},
        {50, 4, 80, 50}, // thumb tracking, top, bottom and end of scroll move nothing
        {50, 6, 0, 50},
        {50, 8, 0, 50},
    };
    for (const auto& [position, request, thumb, expected] : cases) {
        EXPECT_EQ(ScrolledPosition(position, request, thumb), expected)
            << position << " " << request;
    }
}

TEST(PageCopy, SourceStartsAtOneFollowsTheScrollAndAFullSizePageShrinksBelowHundredOnly) {
    const std::pair<CopyInput, PageCopy> cases[] = {
        {{{0, 0, 612, 792}, {816, 1056}, 0.75, false, false, 50, 50, false},
         {false, 612, 792, 1, 1, 0, 0}},
        // Overflow 743 x 50 % + 1 = 372.5 -> 372; 1171 x 50 % + 1 = 586.5 -> 586.
        {{{0, 0, 1257, 829}, {2000, 2000}, 1.0, true, true, 50, 50, false},
         {false, 1257, 829, 372, 586, 0, 0}},
        // Only a vertical bar, and the area narrower than the page by the bar's width: the
        // horizontal position still counts.
        {{{0, 0, 583, 846}, {600, 852}, 1.0, false, true, 40, 100, false},
         {false, 583, 846, 8, 7, 0, 0}},
        // A zoomed width of 408.5 copies 408 pixels.
        {{{0, 0, 500, 600}, {817, 1000}, 0.5, false, false, 0, 0, false},
         {false, 408, 500, 1, 1, 0, 0}},
        // Full size at 50 %.
        {{{0, 0, 408, 528}, {816, 1056}, 0.5, false, false, 0, 0, true},
         {true, 408, 528, 2, 2, 816, 1056}},
        // Source x = round(17 x 50 % + 1) = 10, y = round(292 x 30 % + 1) = 89, then each
        // divided by 0.75: 13.3 -> 13, 118.7 -> 119, 793.3 -> 793, 666.7 -> 667.
        {{{0, 0, 595, 500}, {816, 1056}, 0.75, true, true, 50, 30, true},
         {true, 595, 500, 13, 119, 793, 667}},
        // Full size at 125 % is not shrunk.
        {{{0, 0, 1020, 846}, {816, 1056}, 1.25, false, true, 0, 0, true},
         {false, 1020, 846, 1, 1, 0, 0}},
    };
    int row = 0;
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(ComputePageCopy(input), expected) << "row " << row++;
    }
}

// A 2000 x 2000 page at 100 % in an area of 1257 x 829 at (115, 134) on the screen.
TEST(Magnifier, ClicksRecentreTheScrollPositions) {
    const std::tuple<ScrollPositions, std::int32_t, std::int32_t, bool, PagePixels, ScrollPositions>
        cases[] = {
            // Offsets round(0.5 x 743) = 372 and round(0.5 x 1171) = 586; (372 + 600) / 20 = 48.6
            // and (586 + 400) / 20 = 49.3.
            {{50, 50}, 600, 400, true, {2000, 2000}, {49, 49}},
            {{50, 50}, 3000, -5000, true, {2000, 2000}, {100, 0}},
            {{0, 0}, 10, 30, true, {2000, 2000}, {0, 2}}, // 0.5 -> 0, 1.5 -> 2
            {{50, 50}, 600, 400, false, {2000, 2000}, {0, 0}},
            {{50, 50}, 600, 400, true, {0, 0}, {0, 0}},
            {{0, 0}, 10, 30, true, {1, 1}, {100, 100}}, // a one-pixel page still scrolls
        };
    for (const auto& [current, x, y, bars, page, expected] : cases) {
        const RecentreInput input{current, page, 1.0, bars, bars, {115, 134, 1372, 963}, x, y};
        EXPECT_EQ(RecentredScrollPositions(input), expected) << x << " " << bars;
    }
    // The page counts at its zoom: half the pixels at 200 % is the first row again.
    const RecentreInput zoomed{{50, 50}, {1000, 1000},          2.0, true,
                               true,     {115, 134, 1372, 963}, 600, 400};
    EXPECT_EQ(RecentredScrollPositions(zoomed), (ScrollPositions{49, 49}));
}

} // namespace
} // namespace velk
