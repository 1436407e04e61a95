// The screen's drawing rules that velk.exe's page view and velk-render share: the zoom a page
// is drawn at, whether its picture is shrunk on copy, and the resolution it is drawn at.
#include "render/recording_surface.h"
#include "render/screen_target.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velk {
namespace {

TEST(ScreenTarget, AFullSizeDocumentIsDrawnAtHundredPercentUpToHundredAndShrunkBelow) {
    const std::tuple<std::int32_t, double, double, bool> cases[] = {
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
    for (const auto& [renderOptions, zoom, drawn, shrunk] : cases) {
        EXPECT_DOUBLE_EQ(ScreenDrawingZoom(renderOptions, zoom), drawn)
            << renderOptions << " " << zoom;
        EXPECT_EQ(ShrunkOnCopy(renderOptions, zoom), shrunk) << renderOptions << " " << zoom;
    }
}

// ApplyToScreen has swapped a landscape page's resolutions already: the target keeps them as
// they are, and draws at the ruled zoom.
TEST(ScreenTarget, APageIsDrawnAtItsGeometrysResolutionAndTheRuledZoom) {
    RecordingSurface recorder;
    Surface surface(recorder);
    ScreenPageGeometry geometry;
    geometry.dpiX = 120;
    geometry.dpiY = 96;
    const RenderTarget target = ScreenTarget(surface, geometry, 2048, 0.5);
    EXPECT_EQ(&target.surface, &surface);
    EXPECT_EQ(std::tuple(target.dpiX, target.dpiY, target.zoom), std::tuple(120, 96, 1.0));
    EXPECT_TRUE(target.mode == RenderMode::Screen);
}

} // namespace
} // namespace velk
