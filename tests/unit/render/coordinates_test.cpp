#include "render/coordinates.h"
#include "support/render_harness.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velk {
namespace {

using testing::CallsOf;
using testing::RenderHarness;
using vlkw::PageBuilder;

TEST(DeviceCoordinates, TheThreeFormsPlaceOffsetsAndZoomDifferently) {
    // dpi 100, offset 10, zoom 2, x = 1 inch.
    const DeviceMapping map{2.0, 100, 100, 10, 20};
    EXPECT_EQ(map.textX(1.0), 220);     // (10 + 100) * 2
    EXPECT_EQ(map.textX(1.0, 15), 205); // shift after the zoom
    EXPECT_EQ(map.textY(1.0), 240);     // (20 + 100) * 2
    EXPECT_EQ(map.graphicX(1.0), 210);  // 1 * 2 * 100 + 10
    EXPECT_EQ(map.graphicY(1.0), 220);
    EXPECT_EQ(map.clipX(1.0), 200); // no offset
    EXPECT_EQ(map.clipY(1.0), 200);
}

TEST(DeviceCoordinates, ValuesBeyondThirtyTwoBitsAreHeldAtTheEnds) {
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(DevicePixels(1e30), highest);
    EXPECT_EQ(DevicePixels(-1e30), lowest);
    EXPECT_EQ(DevicePixels(std::nan("")), 0);
    EXPECT_EQ(DevicePixels(std::numeric_limits<double>::infinity()), highest);
    EXPECT_EQ(DevicePixels(2147483646.5), 2147483646);

    RenderHarness h(PageBuilder{}.line({-3e38f, 0, 3e38f, std::nanf("")}, 3e38f, 0).bytes());
    const auto trace = h.renderScreen();
    EXPECT_EQ(CallsOf(trace, "CreatePen")[1].rfind("CreatePen style=0 width=2147483647 ", 0), 0u);
    EXPECT_EQ(CallsOf(trace, "MoveTo"), std::vector<std::string>{"MoveTo -2147483648 0"});
    EXPECT_EQ(CallsOf(trace, "LineTo"), std::vector<std::string>{"LineTo 2147483647 0"});
}

TEST(PenWidths, PointsBecomeDevicePixelsOnTheHorizontalResolution) {
    const std::tuple<std::int32_t, double, float, std::int32_t> cases[] = {
        {96, 1.0, 1, 1},                            // 1.33
        {96, 0.5, 1, 1},                            // 0.67
        {96, 1.0, 0.25f, 0},                        // 0.33: drawn one pixel wide by the device
        {600, 1.0, 3, 25},    {600, 1.0, 1, 8},     // 8.33
        {96, 2.0, 3, 8},      {96, 1.0, 0.375f, 0}, // 0.5
        {96, 1.0, 1.125f, 2},                       // 1.5
        {72, 1.0, 2.5f, 2},   {72, 1.0, 3.5f, 4},
    };
    for (const auto& [dpi, zoom, points, width] : cases) {
        RenderHarness h(PageBuilder{}.line({1, 1, 2, 1}, points, 0x123456).bytes());
        h.zoom = zoom;
        const auto pens = CallsOf(h.renderScreen(1, dpi), "CreatePen");
        ASSERT_EQ(pens.size(), 2u);
        EXPECT_EQ(pens[1].rfind(
                      "CreatePen style=0 width=" + std::to_string(width) + " colour=0x123456 ", 0),
                  0u)
            << dpi << " " << zoom << " " << points;
    }
    // The horizontal resolution counts even where the vertical one differs.
    RenderHarness h(PageBuilder{}.line({1, 1, 2, 1}, 3, 0).bytes());
    RenderTarget target = h.printerTarget();
    target.dpiY = 300;
    target.devmode = {};
    EXPECT_EQ(CallsOf(h.render(1, target), "CreatePen")[1].rfind("CreatePen style=0 width=25 ", 0),
              0u);
}

} // namespace
} // namespace velk
