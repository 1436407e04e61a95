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
    // Every character is `advance` pixels wide; x = 3 inches is 288 pixels at 96 dpi.
    const std::tuple<std::int16_t, const char*, char, int, std::int32_t> cases[] = {
        {0, "1234", '.', 10, 288},
        {2, "1234", '.', 10, 248},
        {1, "12345", '.', 10, 263}, // 50 / 2
        {1, "W", '.', 101, 238},    // 101 / 2 is 50
        {1, "WWW", '.', 11, 272},   // 33 / 2 is 16
        {7, "1234", '.', 10, 288},  // unknown alignment acts as left
        {-1, "1234", '.', 10, 288},
        {3, "12.50", '.', 10, 258}, // "12." is 30 wide: the separator ends at x
        {3, "12,50", ',', 10, 258},
        {3, "12.50", ',', 10, 238}, // no separator: right-aligned
        {3, "1250", '.', 10, 248},
        {3, ".50", '.', 10, 258},     // separator first: right-aligned
        {3, "1.2.3", '.', 10, 268},   // the first separator counts
        {3, "  1.5  ", '.', 10, 268}, // "  1." trimmed is "1."
        {2, "  ab", '.', 10, 268},    // two characters measured: the two blanks
        {2, "ab  ", '.', 10, 268},    // trailing blanks are not measured
        {2, "    ", '.', 10, 288},    // nothing left after trimming
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

TEST(FontRecord, TheInitialFontIsEightPointArialAtTheScreenResolutionWhateverTheZoom) {
    const std::string expected =
        "CreateFontIndirect height=-11 width=0 escapement=0 orientation=0 weight=400 italic=0 "
        "underline=0 strikeout=0 charset=0 outprecision=0 clipprecision=0 quality=2 "
        "pitchandfamily=0 face=\"Arial\"";
    RenderHarness h(PageBuilder{}.text(1, 1, 0, "x").bytes());
    for (const double zoom : {0.25, 1.0, 2.0}) {
        h.zoom = zoom;
        EXPECT_EQ(CallsOf(h.renderScreen(), "CreateFontIndirect")[0].rfind(expected, 0), 0u);
        EXPECT_EQ(CallsOf(h.renderPrinter(), "CreateFontIndirect")[0].rfind(expected, 0), 0u);
    }
    h.screen.y = 120; // 8 points at 120 dpi: -13.33
    EXPECT_EQ(CallsOf(h.renderScreen(), "CreateFontIndirect")[0].rfind(
                  "CreateFontIndirect height=-13 ", 0),
              0u);
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

TEST(FontRecord, ReplacesTheFontWithTheEntryFontSelectedInBetween) {
    RenderHarness h(
        PageBuilder{}.font(0, 10, 0x00FF00, "Arial").font(1, 12, 0xFF0000, "Arial").bytes());
    const auto trace = h.renderScreen();
    // Initial font 5, then fonts 7 and 8.
    const std::vector<std::string> expected = {
        "SelectObject font 3",   "DeleteObject font 5",   "SelectObject font 7",
        "SetTextColor 0x00FF00", "SelectObject font 3",   "DeleteObject font 7",
        "SelectObject font 8",   "SetTextColor 0xFF0000",
    };
    std::vector<std::string> calls;
    for (const auto& line : trace) {
        if (line.rfind("SelectObject font", 0) == 0 || line.rfind("DeleteObject font", 0) == 0 ||
            line.rfind("SetTextColor 0x00FF00", 0) == 0 ||
            line.rfind("SetTextColor 0xFF0000", 0) == 0) {
            calls.push_back(line);
        }
    }
    // The leading select is the initial font's, the trailing ones the clean-up's.
    ASSERT_GE(calls.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 1,
                                       calls.begin() + 1 + static_cast<long>(expected.size())),
              expected);
}

TEST(AngleTextRecord, DrawsWithATemporaryFontFromTheFontStateAndPutsTheCurrentOneBack) {
    RenderHarness h(PageBuilder{}
                        .font(kStyleItalic, 12, 0x0000FF, " Times ")
                        .angleText(2, 1, 90, "up")
                        .text(1, 1, 0, "after")
                        .bytes());
    const auto trace = h.renderScreen();
    const auto at = std::find(trace.begin(), trace.end(), "TextOut 192 96 \"up\"");
    ASSERT_NE(at, trace.end());
    // Font 7 is the page's font; the rotated one is 8.
    EXPECT_EQ(*(at - 3), "CreateFontIndirect height=-16 width=0 escapement=900 orientation=900 "
                         "weight=400 italic=1 underline=0 strikeout=0 charset=0 outprecision=0 "
                         "clipprecision=0 quality=2 pitchandfamily=0 face=\"Times\" -> font 8");
    EXPECT_EQ(*(at - 2), "SelectObject font 8");
    EXPECT_EQ(*(at - 1), "SetTextColor 0x0000FF");
    EXPECT_EQ(*(at + 1), "SelectObject font 7");
    EXPECT_EQ(*(at + 2), "DeleteObject font 8");
    EXPECT_NE(std::find(at, trace.end(), "TextOut 96 96 \"after\""), trace.end());
}

TEST(AngleTextRecord, BeforeAnyFontRecordUsesArialAtTheDefaultHeightAndNoShift) {
    RenderHarness h(PageBuilder{}.angleText(1, 1, 30, "slant").bytes());
    h.recorder.fixedAdvance = 10;
    const auto trace = h.renderScreen();
    EXPECT_EQ(
        CallsOf(trace, "CreateFontIndirect")[1].rfind(
            "CreateFontIndirect height=0 width=0 escapement=300 orientation=300 weight=400", 0),
        0u);
    EXPECT_EQ(CallsOf(trace, "TextOut"), std::vector<std::string>{"TextOut 96 96 \"slant\""});
    EXPECT_TRUE(CallsOf(trace, "GetTextExtentPoint32").empty());
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

TEST(ClipTextRecord, ClipsToTheColumnOnTheSideTheAlignmentCutsOff) {
    // x = 2 inches, column 1.5 inches (144 pixels), y = 1 inch; a 10-point font has em 13, so
    // one line is 13 + 1 + 0 pixels tall.
    const std::tuple<std::int16_t, const char*, const char*> cases[] = {
        {0, "SetTextAlign 0", "ExtTextOut 192 96 options=6 clip=192,96,336,110 \"column\""},
        {1, "SetTextAlign 6", "ExtTextOut 192 96 options=6 clip=120,96,264,110 \"column\""},
        {2, "SetTextAlign 2", "ExtTextOut 192 96 options=6 clip=48,96,192,110 \"column\""},
        {3, "SetTextAlign 0", "ExtTextOut 192 96 options=6 clip=192,96,336,110 \"column\""},
    };
    for (const auto& [alignment, align, call] : cases) {
        RenderHarness h(PageBuilder{}
                            .font(0, 10, 0, "Arial")
                            .clipText(2, 1, 1.5f, alignment, "column")
                            .bytes());
        const auto trace = h.renderScreen();
        const auto at = std::find(trace.begin(), trace.end(), call);
        ASSERT_NE(at, trace.end()) << alignment;
        EXPECT_EQ(*(at - 1), align);
        EXPECT_EQ(*(at + 1), "SetTextAlign 0");
    }
}

} // namespace
} // namespace velk
