// The screen's drawing rules that velk.exe's page view and velk-render share: the zoom a page
// is drawn at, whether its picture is shrunk on copy, and the resolution it is drawn at.
#include "render/page_setup.h"
#include "render/screen_target.h"
#include "support/render_harness.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::CallsOf;
using testing::FakeScreen;
using testing::RenderHarness;
using vlkw::PageBuilder;

TEST(ScreenTarget, AFullSizeDocumentIsDrawnAtHundredPercentUpToHundredAndShrunkBelow) {
    const struct {
        std::int32_t renderOptions;
        double zoom;
        double drawn;
        bool shrunk;
    } cases[] = {
        {2048, 0.5, 1.0, true},
        {2048, 0.999, 1.0, true},
        {2048, 1.0, 1.0, false},
        // Within a thousandth above 100 % it is still drawn at 100 %, and then never shrunk.
        {2048, 1.0005, 1.0, false},
        {2048, 1.001, 1.001, false},
        {2048, 1.25, 1.25, false},
        {0, 0.5, 0.5, false},
        {2049, 0.5, 0.5, false},
        {2047, 0.5, 0.5, false},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ScreenDrawingZoom(c.renderOptions, c.zoom), c.drawn)
            << c.renderOptions << " " << c.zoom;
        EXPECT_EQ(ShrunkOnCopy(c.renderOptions, c.zoom), c.shrunk)
            << c.renderOptions << " " << c.zoom;
    }
}

// A screen of 96 dpi across and 120 down: a landscape page is drawn with the two swapped, so
// that the paper's inches come out as the layout counted them.
TEST(ScreenTarget, APageIsDrawnAtItsGeometrysResolutionAndTheRuledZoom) {
    const struct {
        const char* name;
        std::int16_t orientation;
        std::int32_t renderOptions;
        double zoom;
        std::int32_t dpiX;
        std::int32_t dpiY;
        const char* lineTo; // a line from (1, 1) to (2, 3) inches
    } cases[] = {
        {"portrait", 0, 0, 1.0, 96, 120, "LineTo 192 360"},
        {"landscape", 1, 0, 1.0, 120, 96, "LineTo 240 288"},
        {"landscape at 50 %", 1, 0, 0.5, 120, 96, "LineTo 120 144"},
        {"full size landscape at 50 %", 1, 2048, 0.5, 120, 96, "LineTo 240 288"},
    };
    for (const auto& c : cases) {
        vlkw::PageSetup setup;
        setup.paperSize = 1;
        setup.orientation = c.orientation;
        RenderHarness h(PageBuilder{setup}.line({1, 1, 2, 3}, 1, 0).bytes());
        h.screen.x = 96;
        h.screen.y = 120;
        const ScreenPageGeometry geometry = ApplyToScreen(ReadPageSetup(h.document, 1), h.screen);
        const RenderTarget target = ScreenTarget(h.surface, geometry, c.renderOptions, c.zoom);
        EXPECT_EQ(target.dpiX, c.dpiX) << c.name;
        EXPECT_EQ(target.dpiY, c.dpiY) << c.name;
        EXPECT_EQ(CallsOf(h.render(1, target), "LineTo"), std::vector<std::string>{c.lineTo})
            << c.name;
    }
}

} // namespace
} // namespace velk
