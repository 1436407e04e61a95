#include "render/interpreter.h"
#include "support/render_harness.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::CallsOf;
using testing::DocumentOf;
using testing::RenderHarness;
using testing::ShownMessage;
using vlkw::PageBuilder;

const std::string kUnknownCodeMessage =
    "velk has encountered a code that is not designed to handle. "
    "This page may not be completely displayed. There are two things that "
    "can cause this: \r"
    "1. The print-preview may be corrupt. Try regenerating the document.\r"
    "2. You may have an old version of velk.exe on you machine. You can obtain the latest by "
    "downloading it from the velk download page:\r"
    "https://velk.example/download\r\r"
    "If the problems persist, please contact your software vendor.";

// A page that is not the last, so its data ends exactly where its bytes end.
RenderHarness FirstOfTwo(const PageBuilder& page) {
    return RenderHarness(DocumentOf({page.bytes(), PageBuilder{}.bytes()}));
}

// An unknown code shows the whole message, New Page and End of Document say nothing; all of
// them end the page. A code that ends exactly at the end of the page's data is still read.
TEST(RenderPage, CodesThatAreNoRecordEndThePageAndOnlyUnknownOnesSaySo) {
    for (const std::int16_t code : {0, 17, -1, 255, 1, 9}) {
        RenderHarness h(
            PageBuilder{}.text(1, 1, 0, "before").code(code).text(1, 2, 0, "after").bytes());
        EXPECT_EQ(CallsOf(h.renderScreen(), "TextOut"),
                  std::vector<std::string>{"TextOut 96 96 \"before\""})
            << code;
        const bool unknown = code != 1 && code != 9;
        ASSERT_EQ(h.messages.shown.size(), unknown ? 1u : 0u) << code;
        if (unknown) {
            EXPECT_EQ(h.messages.shown[0],
                      (ShownMessage{kUnknownCodeMessage, "Render Test", 0x40}));
        }
    }
    RenderHarness unknown = FirstOfTwo(PageBuilder{}.code(17));
    unknown.renderScreen();
    EXPECT_EQ(unknown.messages.shown.size(), 1u);
    RenderHarness clean = FirstOfTwo(PageBuilder{}.text(1, 1, 0, "last"));
    EXPECT_EQ(CallsOf(clean.renderScreen(), "TextOut").size(), 1u);
    EXPECT_TRUE(clean.messages.shown.empty());
}

TEST(RenderPage, ARecordCutByTheEndOfTheDataIsNotDrawnAndEndsThePageQuietly) {
    // Each page holds one complete record after the page prefix.
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"Text", PageBuilder{}.text(1, 1, 0, "cut text").bytes()},
        {"AngleText", PageBuilder{}.angleText(1, 1, 90, "cut text").bytes()},
        {"PageNumber", PageBuilder{}.pageNumber(1, 1, 0).bytes()},
        {"Line", PageBuilder{}.line({1, 1, 2, 2}, 1, 0).bytes()},
        {"Box", PageBuilder{}.box({1, 1, 2, 2}, 1, 0, 0).bytes()},
        {"Font", PageBuilder{}.font(0, 10, 0, "Arial").bytes()},
        {"PageCount", PageBuilder{}.pageCount(1, 1, 0).bytes()},
        {"ClipText", PageBuilder{}.clipText(1, 1, 1, 0, "cut text").bytes()},
        {"Skip20", PageBuilder{}.skip20().bytes()},
    };
    const std::size_t prefix = PageBuilder{}.size();
    for (const auto& [name, whole] : cases) {
        const std::vector<std::uint8_t> record(whole.begin() + static_cast<long>(prefix),
                                               whole.end());
        // Every length from the bare code to one byte short of the whole record.
        for (std::size_t keep = 2; keep < record.size(); ++keep) {
            PageBuilder page;
            page.raw(std::span(record).first(keep));
            RenderHarness h = FirstOfTwo(page);
            const auto trace = h.renderScreen();
            EXPECT_TRUE(CallsOf(trace, "TextOut").empty()) << name << " " << keep;
            EXPECT_TRUE(CallsOf(trace, "LineTo").empty()) << name << " " << keep;
            EXPECT_TRUE(CallsOf(trace, "Rectangle").empty()) << name << " " << keep;
            EXPECT_TRUE(h.messages.shown.empty()) << name << " " << keep;
            EXPECT_EQ(h.surface.liveObjects(), 0u) << name << " " << keep;
        }
    }
}

TEST(RenderPage, OptionBlocksAndSkip20AreSkippedByTheirExactSizes) {
    vlkw::OptionRecord options;
    options.showDialog = 1;
    options.texts = {"profile", "", "a;b", "addresses", "subject", std::string(300, 'n')};
    std::array<std::uint8_t, 20> filler{};
    filler.fill(0x02); // would read as Text records if the skip were short
    const auto page = PageBuilder{}
                          .skip20(filler)
                          .optionBlock(14, options)
                          .optionBlock(15, options)
                          .text(1, 1, 0, "after")
                          .bytes();
    RenderHarness h(page);
    EXPECT_EQ(CallsOf(h.renderScreen(), "TextOut"),
              std::vector<std::string>{"TextOut 96 96 \"after\""});
    EXPECT_TRUE(h.messages.shown.empty());
}

TEST(RenderPage, ChangeWordsHandsItsTextOverAsRead) {
    RenderHarness h(PageBuilder{}.changeWords(9, "  &Print  ").changeWords(40, "ignored").bytes());
    const auto trace = h.renderScreen();
    EXPECT_EQ(h.texts.text(TextSlot::Print), "  &Print  ");
    EXPECT_TRUE(CallsOf(trace, "TextOut").empty());
}

// The full-size option is the caller's to apply (ScreenTarget): RenderPage draws at the zoom
// of its target in either mode.
TEST(RenderPage, DrawsAtTheTargetsZoomWhateverTheDocumentAsks) {
    auto description = DocumentOf({PageBuilder{}.line({1, 1, 2, 1}, 1, 0).bytes()});
    description.renderOptions = 2048;
    RenderHarness h(description);
    h.zoom = 0.5;
    // A line to x = 2 inches at 96 dpi.
    for (const auto& trace : {h.renderScreen(), h.renderPrinter(1, 96)}) {
        EXPECT_EQ(CallsOf(trace, "LineTo"), std::vector<std::string>{"LineTo 96 48"});
    }
}

TEST(RenderPage, LoadsThePageOnlyWhenAnotherIsHeld) {
    RenderHarness h(DocumentOf(
        {PageBuilder{}.text(1, 1, 0, "one").bytes(), PageBuilder{}.text(1, 1, 0, "two").bytes()}));
    h.renderScreen(2);
    EXPECT_EQ(h.document.loadedPageNumber, 2);
    // What is held is what is drawn, even when the file has changed since.
    h.document.loadedPage = PageBuilder{}.text(1, 1, 0, "held").bytes();
    EXPECT_EQ(CallsOf(h.renderScreen(2), "TextOut"),
              std::vector<std::string>{"TextOut 96 96 \"held\""});
    EXPECT_EQ(CallsOf(h.renderScreen(1), "TextOut"),
              std::vector<std::string>{"TextOut 96 96 \"one\""});
}

TEST(RenderPage, APageWithoutDataStillStartsAPrinterPage) {
    RenderHarness h(PageBuilder{}.bytes());
    const auto trace = h.renderPrinter(5); // no such page
    EXPECT_EQ(CallsOf(trace, "StartPage").size(), 1u);
    EXPECT_EQ(CallsOf(trace, "TextOut"), std::vector<std::string>{"TextOut 0 0 \" \""});
    EXPECT_EQ(h.surface.liveObjects(), 0u);
}

TEST(RenderPage, ObjectsThatCannotBeMadeLeaveTheSurfaceAsItWas) {
    RenderHarness h(PageBuilder{}
                        .font(0, 10, 0, "Arial")
                        .text(1, 1, 0, "x")
                        .line({1, 1, 2, 2}, 1, 0)
                        .box({1, 1, 2, 2}, 1, 0, 0)
                        .angleText(1, 1, 90, "y")
                        .bytes());
    h.recorder.failCreates = true;
    const auto trace = h.renderScreen();
    // Only the device's own objects are ever selected, and nothing is deleted.
    for (const auto& line : CallsOf(trace, "SelectObject")) {
        EXPECT_TRUE(line == "SelectObject pen 1" || line == "SelectObject brush 2" ||
                    line == "SelectObject font 3")
            << line;
    }
    EXPECT_TRUE(CallsOf(trace, "DeleteObject").empty());
    EXPECT_EQ(CallsOf(trace, "TextOut").size(), 2u);
    EXPECT_EQ(h.surface.liveObjects(), 0u);
}

} // namespace
} // namespace velk
