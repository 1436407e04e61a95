#include "render/fonts.h"
#include "support/render_harness.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velk {
namespace {

using testing::CallsOf;
using testing::DocumentOf;
using testing::RenderHarness;
using vlkw::PageBuilder;

TEST(TextRecord, AlignmentShiftsTheTextLeftOfX) {
    // Every character is `advance` pixels wide; x = 3 inches is 288 pixels at 96 dpi. The sample
    // pages hold the plain right, centre and decimal cases.
    const std::tuple<std::int16_t, const char*, char, int, std::int32_t> cases[] = {
        {0, "1234", '.', 10, 288},
        {1, "W", '.', 101, 238},   // 101 / 2 is 50
        {1, "WWW", '.', 11, 272},  // 33 / 2 is 16
        {7, "1234", '.', 10, 288}, // unknown alignment acts as left
        {-1, "1234", '.', 10, 288},
        {3, "12,50", ',', 10, 258}, // "12," is 30 wide: the separator ends at x
        {3, "12.50", ',', 10, 238}, // no separator: right-aligned
        {3, ".50", '.', 10, 258},   // separator first: right-aligned
        {3, "1.2.3", '.', 10, 268}, // the first separator counts
        {2, "  ab", '.', 10, 268},  // two characters measured: the two blanks
        {2, "ab  ", '.', 10, 268},  // trailing blanks are not measured
        {2, "    ", '.', 10, 288},  // nothing left after trimming
    };
    for (const auto& [alignment, text, separator, advance, x] : cases) {
        RenderHarness h(PageBuilder{}.text(3, 1, alignment, text).bytes());
        h.settings.decimalSeparator = separator;
        h.recorder.fixedAdvance = advance;
        const auto texts = CallsOf(h.renderScreen(), "TextOut");
        ASSERT_EQ(texts.size(), 1u) << text;
        EXPECT_EQ(texts[0], "TextOut " + std::to_string(x) + " 96 \"" + text + "\"")
            << alignment << " " << text;
    }
}

TEST(TextRecord, TheTextEndsAtAZeroByteAndAfter3999Bytes) {
    const std::tuple<std::string, std::string> cases[] = {
        {std::string("AB\0C", 4), "AB"},
        {std::string("\0AB", 3), ""},
        {std::string(5000, 'x'), std::string(3999, 'x')},
        {std::string(3999, 'y') + "z", std::string(3999, 'y')},
    };
    for (const auto& [stored, drawn] : cases) {
        RenderHarness h(PageBuilder{}.text(1, 1, 2, stored).text(1, 2, 0, "next").bytes());
        const auto trace = h.renderScreen();
        const auto texts = CallsOf(trace, "TextOut");
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].substr(texts[0].find('"')), "\"" + drawn + "\"");
        // Measured as drawn, and the record after it is read from the right place.
        EXPECT_EQ(CallsOf(trace, "GetTextExtentPoint32")[0].rfind(
                      "GetTextExtentPoint32 \"" + drawn + "\"", 0),
                  0u);
        EXPECT_EQ(texts[1], "TextOut 96 192 \"next\"");
    }
}

TEST(FontRecord, HeightIsPointsAtTheSurfaceResolutionTimesZoomRoundedHalfEven) {
    const std::tuple<std::int32_t, double, float, std::int32_t> cases[] = {
        {96, 1.0, 10, -13},                       // -13.33
        {96, 2.0, 10, -27},                       // -26.67
        {96, 0.5, 10, -7},                        // -6.67
        {96, 1.0, 9, -12},                        // exactly -12
        {600, 1.0, 10, -83},                      // -83.33
        {600, 1.0, 3, -25},  {72, 1.0, 2.5f, -2}, // -2.5 goes to the even -2
        {72, 1.0, 3.5f, -4},                      // -3.5 goes to the even -4
        {72, 1.0, 0.5f, 0},                       // -0.5 goes to 0
        {144, 0.25, 5, -2},                       // -2.5
        {96, 1.0, 0, 0},                          // the system's default height
    };
    for (const auto& [dpi, zoom, size, height] : cases) {
        RenderHarness h(PageBuilder{}.font(0, size, 0, "Arial").bytes());
        h.zoom = zoom;
        const auto fonts = CallsOf(h.renderScreen(1, dpi), "CreateFontIndirect");
        ASSERT_EQ(fonts.size(), 2u);
        EXPECT_EQ(fonts[1].rfind("CreateFontIndirect height=" + std::to_string(height) + " ", 0),
                  0u)
            << dpi << " " << zoom << " " << size << ": " << fonts[1];
    }
}

// The sample pages show the initial font at 100 % on a 96-dpi screen: here the zoom and the
// target's resolution change, and only the screen's vertical resolution counts.
TEST(FontRecord, TheInitialFontIsEightPointArialAtTheScreenResolutionWhateverTheZoom) {
    RenderHarness h(PageBuilder{}.text(1, 1, 0, "x").bytes());
    h.zoom = 2.0;
    h.screen.y = 120; // 8 points at 120 dpi: -13.33
    for (const auto& trace : {h.renderScreen(), h.renderPrinter()}) {
        EXPECT_EQ(
            CallsOf(trace, "CreateFontIndirect")[0].rfind(
                "CreateFontIndirect height=-13 width=0 escapement=0 orientation=0 weight=400 ", 0),
            0u);
    }
}

TEST(FontRecord, StyleBitsAndFaceNameFillTheDescription) {
    const std::tuple<std::int16_t, std::string, LogFont> cases[] = {
        {13, "Arial", {-13, 0, 0, 0, 700, 0, 1, 1, 0, 0, 0, 2, 0, "Arial"}},
        {2, "  Courier New  ", {-13, 0, 0, 0, 400, 1, 0, 0, 0, 0, 0, 2, 0, "Courier New"}},
        {static_cast<std::int16_t>(0x7FF0),
         "Arial",
         {-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 2, 0, "Arial"}},
        {0,
         " " + std::string(40, 'F'),
         {-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 2, 0, std::string(31, 'F')}},
        {0, std::string("Ari\0al", 6), {-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 2, 0, "Ari"}},
        {0, "   ", {-13, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 2, 0, ""}},
    };
    for (const auto& [style, face, expected] : cases) {
        EXPECT_EQ(FontDescription(face, style, 10.0, 0, 96), expected) << style;
    }
    const LogFont rotated = FontDescription("Arial", 0, 10.0, -45, 96);
    EXPECT_EQ(rotated.escapement, -450);
    EXPECT_EQ(rotated.orientation, -450);
}

TEST(NumberRecords, DrawThePageNumberAndThePageCount) {
    std::vector<std::vector<std::uint8_t>> pages(12, PageBuilder{}.bytes());
    pages[6] = PageBuilder{}
                   .pageNumber(3, 1, 0)
                   .pageNumber(3, 2, 2)
                   .pageCount(3, 3, 1)
                   .pageCount(3, 4, 3) // decimal acts as left for numbers
                   .pageNumber(3, 5, 2, 90)
                   .bytes();
    RenderHarness h(DocumentOf(pages));
    h.recorder.fixedAdvance = 10;
    const auto trace = h.renderScreen(7);
    EXPECT_EQ(CallsOf(trace, "TextOut"), (std::vector<std::string>{
                                             "TextOut 288 96 \"7\"", "TextOut 278 192 \"7\"",
                                             "TextOut 278 288 \"12\"", "TextOut 288 384 \"12\"",
                                             "TextOut 288 480 \"7\"", // rotated: no shift
                                         }));
    EXPECT_EQ(CallsOf(trace, "CreateFontIndirect")[1].rfind(
                  "CreateFontIndirect height=0 width=0 escapement=900", 0),
              0u);
}

// Left, centred and right columns are drawn on the sample pages; a decimal column is cut like
// a left one.
TEST(ClipTextRecord, ADecimalColumnIsClippedLikeALeftOne) {
    // x = 2 inches, column 1.5 inches (144 pixels), y = 1 inch; a 10-point font has em 13, so
    // one line is 13 + 1 + 0 pixels tall.
    RenderHarness h(
        PageBuilder{}.font(0, 10, 0, "Arial").clipText(2, 1, 1.5f, 3, "column").bytes());
    const auto trace = h.renderScreen();
    const auto at = std::find(trace.begin(), trace.end(),
                              "ExtTextOut 192 96 options=6 clip=192,96,336,110 \"column\"");
    ASSERT_NE(at, trace.end());
    EXPECT_EQ(*(at - 1), "SetTextAlign 0");
}

} // namespace
} // namespace velk
