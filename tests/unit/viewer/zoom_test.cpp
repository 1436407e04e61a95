#include "base/ansi_text.h"
#include "document/interface_texts.h"
#include "viewer/zoom.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

// A status bar whose top edge is at `top`, `width` wide, and a toolbar ending at y 30.
WindowRect StatusBar(std::int32_t width, std::int32_t top) {
    return {0, top, width, top + 20};
}
const WindowRect kToolbar{0, 0, 1000, 30};

TEST(FitPercentages, FitWidthRoundsHalvesToEvenAndRoundsThePageFirst) {
    const std::tuple<std::int32_t, PagePixels, std::int32_t> cases[] = {
        {1298, {816, 1056}, 156}, // Letter at 96 dpi: 127400 / 816 = 156.13
        {849, {1000, 1400}, 82},  // room 825: 82.5 goes down to the even 82
        {859, {1000, 1400}, 84},  // room 835: 83.5 goes up to the even 84
        // 999.5 rounds to the even 1000 before dividing: 82.5 -> 82, not 82500 / 999.5 = 82.54.
        {849, {999.5, 1400}, 82},
        {1024, {500, 700}, 200}, // not limited to the typed 25..125
    };
    for (const auto& [statusWidth, page, expected] : cases) {
        EXPECT_EQ(FitWidthPercentage(StatusBar(statusWidth, 900), page), expected)
            << statusWidth << " " << page.width;
    }
}

TEST(FitPercentages, FitWindowTakesTheSmallerOfTheTwoRatios) {
    // statusTop: height room = top - 30 - 36
    const std::tuple<std::int32_t, std::int32_t, PagePixels, std::int32_t> cases[] = {
        {1298, 900, {816, 1056}, 79},    // 83400 / 1056 = 78.98 beats the width's 156
        {2000, 941, {1000, 1400}, 62},   // height room 875: 62.5 -> 62
        {2000, 955, {1000, 1400}, 64},   // height room 889: 63.5 -> 64
        {1024, 2866, {1000, 1400}, 100}, // width room 1000 gives 100 against the height's 200
        // 1399.5 is taken as 1400: room 875 gives 62.5 -> 62, not 62.52 -> 63.
        {2000, 941, {1000, 1399.5}, 62},
    };
    for (const auto& [statusWidth, statusTop, page, expected] : cases) {
        EXPECT_EQ(FitWindowPercentage(StatusBar(statusWidth, statusTop), kToolbar, page), expected)
            << statusWidth << " " << statusTop;
    }
}

TEST(FitPercentages, AWindowWithNoRoomOrAPageWithNoSizeGivesAUsableZoom) {
    // The status bar overlapping the toolbar leaves a negative room: the zoom stays above 0.
    EXPECT_EQ(FitWindowPercentage(StatusBar(1298, 40), kToolbar, {816, 1056}), 1);
    EXPECT_EQ(FitWidthPercentage(StatusBar(10, 900), {816, 1056}), 1);
    // A page with no pixels (a screen reporting 0 dpi) is shown at 100 %.
    EXPECT_EQ(FitWidthPercentage(StatusBar(1298, 900), {0, 0}), 100);
    EXPECT_EQ(FitWindowPercentage(StatusBar(1298, 900), kToolbar, {0, 0}), 100);
    // A tiny page on a wide window stays within 16 bits.
    EXPECT_EQ(FitWidthPercentage(StatusBar(100000, 900), {1, 1}), 32767);
}

TEST(TypedZoom, TextsReadFromTheirFirstFourCharactersAndLimited) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"60", 60},     {"24.9", 25}, {"25", 25},    {"125", 125},
        {"125.9", 125}, {"-50", 25},  {"abc", 100},  {"", 100},
        {"0.5", 100},   {"99.9", 99}, {"1000", 125}, {" 75%", 75}, // blank, 7, 5, %
        {"   80", 25},                                             // only "   8" is read
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(TypedZoomPercentage(text), expected) << '"' << text << '"';
    }
}

TEST(TypedZoom, FitKeywordsAreRecognisedInAnyCaseWithSurroundingBlanks) {
    InterfaceTexts texts;
    const std::tuple<const char*, ZoomMode, const char*> cases[] = {
        {"  FiT wIdTh   ", ZoomMode::FitWidth, "Fit Width"},
        {"FIT WINDOW", ZoomMode::FitWindow, "Fit Window"},
        {"Fit Widths", ZoomMode::Typed, "100%"},
        {"Fit  Width", ZoomMode::Typed, "100%"},
        {"300", ZoomMode::Typed, "125%"},
    };
    for (const auto& [text, mode, label] : cases) {
        const ZoomRequest request = InterpretZoomText(text, texts);
        EXPECT_EQ(request.mode, mode) << text;
        EXPECT_EQ(request.label, label) << text;
    }
}

TEST(TypedZoom, ADocumentsOwnFitWindowNameIsTheKeyword) {
    InterfaceTexts texts;
    texts.SetInterfaceText(11, "Ganze Seite");
    const ZoomRequest request = InterpretZoomText("  ganze SEITE", texts);
    EXPECT_EQ(request.mode, ZoomMode::FitWindow);
    EXPECT_EQ(request.label, "Ganze Seite");
    EXPECT_EQ(InterpretZoomText("Fit Window", texts).mode, ZoomMode::Typed);
}

TEST(ZoomBox, ItemsAndTheInitialSelection) {
    InterfaceTexts texts;
    const std::array<std::string, 5> expected = {"Fit Width", "Fit Window", "75%", "100%", "125%"};
    EXPECT_EQ(ZoomBoxItems(texts), expected);

    const std::pair<std::int32_t, int> cases[] = {{128, 1}, {256, 2}, {512, 3},  {1024, 4}, {0, 0},
                                                  {64, 0},  {129, 0}, {2048, 0}, {-128, 0}};
    for (const auto& [setting, item] : cases) {
        EXPECT_EQ(InitialZoomItem(setting), item) << setting;
    }
}

TEST(Magnifier, ClicksStepTheZoomAndTheZoomBoxLimitsTheResult) {
    // shown: after the zoom box has read it back
    const std::tuple<double, MouseButton, std::int32_t, std::int32_t> cases[] = {
        {1.00, MouseButton::Left, 120, 120},
        {0.75, MouseButton::Right, 60, 60},
        {1.25, MouseButton::Left, 140, 125},
        {1.25, MouseButton::Right, 110, 110},
        {0.25, MouseButton::Right, 10, 25},
        {0.16, MouseButton::Left, 30, 30},
        // A fit zoom of 16..24 % steps down to 0, which the zoom box reads as 100 %.
        {0.16, MouseButton::Right, 0, 100},
        {0.24, MouseButton::Right, 0, 100},
        {0.14, MouseButton::Right, -10, 25},
        {0.65, MouseButton::Right, 50, 50},
        // 10 x 0.7 + 2 is 9, even where the floating-point unit makes it 8.999...
        {0.70, MouseButton::Left, 90, 90},
    };
    for (const auto& [zoom, button, asked, shown] : cases) {
        const std::int32_t percentage = MagnifierPercentage(zoom, button);
        EXPECT_EQ(percentage, asked) << zoom;
        EXPECT_EQ(TypedZoomPercentage(MessageNumber(percentage)), shown) << zoom;
    }
}

} // namespace
} // namespace velk
