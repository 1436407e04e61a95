// How velk-render sizes a screen page: the page area the viewer shows, copied one pixel in.
#include "screen_frame.h"

#include <gtest/gtest.h>

namespace velk::cli {
namespace {

ScreenPageGeometry Page(float width, float height, std::int16_t dpi) {
    return {.pageWidth = width, .pageHeight = height, .dpiX = dpi, .dpiY = dpi};
}

TEST(VelkRenderScreenFrame, PagesAreCopiedFromOnePixelInAtTheirZoomedSize) {
    const ScreenPageGeometry letter = Page(8.5f, 11.0f, 96);
    const std::tuple<ScreenPageGeometry, double, std::int32_t, ScreenFrame> cases[] = {
        // 8.5 x 11 inches at 96 dpi, at 100, 125 and 75 %.
        {letter, 1.0, 0, {817, 1057, {1, 1, 816, 1056}, 816, 1056}},
        {letter, 1.25, 0, {1021, 1321, {1, 1, 1020, 1320}, 1020, 1320}},
        {letter, 0.75, 0, {613, 793, {1, 1, 612, 792}, 612, 792}},
        // A4 across: 297 mm = 11.69 in -> 1122.5 px rounds up, 210 mm -> 793.7 px.
        {Page(11.692913f, 8.267716f, 96), 1.0, 0, {1124, 795, {1, 1, 1123, 794}, 1123, 794}},
        // 8.5 in at 97 dpi is 824.5 px, which rounds to the even 824; 11 in is 1067 px.
        {Page(8.5f, 11.0f, 97), 1.0, 0, {825, 1068, {1, 1, 824, 1067}, 824, 1067}},
        // 8.5 in at 99 dpi is 841.5 px, which rounds to the even 842.
        {Page(8.5f, 11.0f, 99), 1.0, 0, {843, 1090, {1, 1, 842, 1089}, 842, 1089}},
        // Full-size drawing below 100 %: drawn at 100 %, shrunk on the copy from
        // round(1 / zoom) with the destination sizes divided by the zoom; other options are not.
        {letter, 0.5, 2048, {818, 1058, {2, 2, 816, 1056}, 408, 528}},
        {letter, 0.75, 2048, {817, 1057, {1, 1, 816, 1056}, 612, 792}},
        {letter, 1.0, 2048, {817, 1057, {1, 1, 816, 1056}, 816, 1056}},
        {letter, 0.5, 2049, {409, 529, {1, 1, 408, 528}, 408, 528}},
    };
    int row = 0;
    for (const auto& [page, zoom, renderOptions, frame] : cases) {
        EXPECT_EQ(ComputeScreenFrame(page, zoom, renderOptions), frame) << "row " << row++;
    }
}

} // namespace
} // namespace velk::cli
