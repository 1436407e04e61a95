#include "render/page_setup.h"
#include "support/render_harness.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velk {
namespace {

using testing::CallsOf;
using testing::DocumentOf;
using testing::FakeScreen;
using testing::RenderHarness;
using vlkw::PageBuilder;

TEST(PaperSizeTable, GivesInchesForEveryCodeAndLetterForTheRest) {
    const std::tuple<std::int32_t, double, double> cases[] = {
        {1, 8.5, 11},         {4, 17, 11},      {9, 8.2677, 11.6929}, {8, 11.6929, 16.5354},
        {11, 5.8268, 8.2677}, {20, 4.125, 9.5}, {27, 4.3307, 8.6614}, {35, 6.9291, 4.9213},
        {39, 14.875, 11},     {41, 8.5, 11},    {24, 8.5, 11},        {25, 8.5, 11},
        {0, 8.5, 11},         {42, 8.5, 11},    {-9, 8.5, 11},        {99, 8.5, 11},
    };
    for (const auto& [code, width, height] : cases) {
        EXPECT_NEAR(PaperDimension(code, 1), width, 5e-5) << code;
        EXPECT_NEAR(PaperDimension(code, 0), height, 5e-5) << code;
    }
}

TEST(PageSetup, TheScreenPageTurnsSidesAndResolutionsForLandscape) {
    FakeScreen screen;
    screen.x = 96;
    screen.y = 120;
    const std::tuple<PageSetup, std::int16_t, float, float, std::int16_t, std::int16_t> cases[] = {
        {{9, 0, 7}, 9, 8.2677f, 11.6929f, 96, 120}, {{9, 1, 7}, 9, 11.6929f, 8.2677f, 120, 96},
        {{9, 2, 7}, 9, 8.2677f, 11.6929f, 96, 120}, // 2 is not landscape
        {{0, 0, 0}, 1, 8.5f, 11, 96, 120},          {{25, 0, 0}, 25, 8.5f, 11, 96, 120},
        {{99, 1, 3}, 1, 11, 8.5f, 120, 96},
    };
    for (const auto& [setup, paper, width, height, dpiX, dpiY] : cases) {
        const ScreenPageGeometry g = ApplyToScreen(setup, screen);
        EXPECT_EQ(std::tuple(g.paperSize, g.orientation, g.bin, g.dpiX, g.dpiY),
                  std::tuple(paper, setup.orientation, setup.bin, dpiX, dpiY))
            << setup.paperSize;
        EXPECT_NEAR(g.pageWidth, width, 1e-4) << setup.paperSize;
        EXPECT_NEAR(g.pageHeight, height, 1e-4);
    }
}

TEST(PageSetup, ReadsAPagesSetupFromTheFileWithoutLoadingIt) {
    RenderHarness h(DocumentOf({PageBuilder{{5, 0, 2}}.bytes(), PageBuilder{{9, 1, 4}}.bytes()}));
    const PageSetup second = ReadPageSetup(h.document, 2);
    EXPECT_EQ(second.paperSize, 9);
    EXPECT_EQ(second.orientation, 1);
    EXPECT_EQ(second.bin, 4);
    EXPECT_EQ(ReadPageSetup(h.document, 1).paperSize, 5);
    EXPECT_EQ(h.document.loadedPageNumber, 0);
}

TEST(PageSetup, ThePrinterGetsPaperOrientationAndBin) {
    // applied: orientation, paper size, bin
    const std::pair<vlkw::PageSetup, const char*> cases[] = {
        {{9, 1, 7}, "orientation=2 papersize=9 defaultsource=7"},
        {{25, 0, 14}, "orientation=1 papersize=25 defaultsource=14"},
        {{0, 2, 0}, "orientation=1 papersize=1 defaultsource=7"},
        {{99, -1, 15}, "orientation=1 papersize=1 defaultsource=7"},
        {{41, 1, 1}, "orientation=2 papersize=41 defaultsource=1"},
    };
    for (const auto& [setup, applied] : cases) {
        const std::string resetDC = std::string("ResetDC bytes=20122 fields=0x00000203 ") + applied;
        RenderHarness h(PageBuilder{setup}.bytes());
        std::fill(h.devmode.begin(), h.devmode.end(), std::uint8_t{0xFF});
        EXPECT_EQ(CallsOf(h.renderPrinter(), "ResetDC"), std::vector<std::string>{resetDC});
        // The caller's buffer keeps the page's values for the next page to overwrite.
        EXPECT_EQ(h.devmode[40] | h.devmode[41] << 8 | h.devmode[42] << 16 | h.devmode[43] << 24,
                  0x203);
        EXPECT_EQ(h.devmode[39], 0xFF);
        EXPECT_EQ(h.devmode[48], 0xFF);
    }
}

TEST(PageSetup, TheWorkCopyHasTheDriversLengthWhateverTheBufferHolds) {
    // resetDC nullptr: none
    const std::tuple<std::size_t, std::int32_t, const char*> cases[] = {
        {20122, 30000, "ResetDC bytes=30000 "},
        {20122, 1000, "ResetDC bytes=1000 "},
        {100, 20122, "ResetDC bytes=20122 "},
        {50, 50, "ResetDC bytes=50 fields=0x00000203 orientation=2 papersize=9 defaultsource=0"},
        {0, 0, nullptr}, // without a devmode the page still starts
    };
    for (const auto& [buffer, length, resetDC] : cases) {
        RenderHarness h(PageBuilder{{9, 1, 7}}.bytes());
        std::vector<std::uint8_t> devmode(buffer, 0);
        RenderTarget target = h.printerTarget();
        target.devmode = devmode;
        target.devmodeLength = length;
        const auto trace = h.render(1, target);
        EXPECT_EQ(CallsOf(trace, "StartPage").size(), 1u);
        const auto resets = CallsOf(trace, "ResetDC");
        ASSERT_EQ(resets.size(), resetDC != nullptr ? 1u : 0u) << buffer;
        if (resetDC != nullptr) {
            EXPECT_EQ(resets[0].rfind(resetDC, 0), 0u) << resets[0];
        }
    }
}

} // namespace
} // namespace velk
