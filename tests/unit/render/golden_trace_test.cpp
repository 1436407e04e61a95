// Golden traces: every page of the sample report and of a few focused documents, rendered
// through the recording surface at 96 dpi on the screen and at 600 dpi on a printer, compared
// line by line with the files under tests/golden. A trace that changes must be looked at and
// committed on purpose: run the tests with VELK_UPDATE_GOLDEN=1 to rewrite the files.
#include "samplegen/sample_report.h"
#include "render/recording_surface.h"
#include "support/render_harness.h"
#include "writer/bmp_encoder.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velk {
namespace {

using testing::DocumentOf;
using testing::RenderHarness;
using vlkw::PageBuilder;

namespace fs = std::filesystem;

fs::path GoldenDirectory() {
    if (const char* configured = std::getenv("VELK_GOLDEN_DIR")) {
        return configured;
    }
    return fs::path(__FILE__).parent_path().parent_path().parent_path() / "golden";
}

bool Updating() {
    const char* update = std::getenv("VELK_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

std::vector<std::string> Lines(std::istream&& in) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// One page on the screen and on a printer, each on a fresh surface so that object ids do not
// depend on the pages before; with the messages it showed.
std::string TracePage(RenderHarness& h, std::int16_t page) {
    std::string text;
    for (const bool printer : {false, true}) {
        text += printer ? "# page " + std::to_string(page) + " printer 600 dpi, offset 50\n"
                        : "# page " + std::to_string(page) + " screen 96 dpi\n";
        RecordingSurface recorder(&h.files);
        const int dpi = printer ? 600 : 96;
        recorder.caps[DeviceCap::LogPixelsX] = dpi;
        recorder.caps[DeviceCap::LogPixelsY] = dpi;
        h.messages.shown.clear();
        {
            Surface surface(recorder);
            RenderTarget target{.surface = surface, .dpiX = dpi, .dpiY = dpi};
            if (printer) {
                target.offX = target.offY = -50;
                target.mode = RenderMode::Printer;
                target.devmode = h.devmode;
                target.devmodeLength = static_cast<std::int32_t>(h.devmode.size());
            }
            RenderServices services = h.services();
            RenderPage(services, page, target);
            EXPECT_EQ(surface.liveObjects(), 0u) << "page " << page;
        }
        // Anything the surface had to clean up itself would show here.
        text += recorder.trace();
        for (const auto& message : h.messages.shown) {
            text +=
                "# MessageBox " + TraceText(message.caption) + " " + TraceText(message.text) + "\n";
        }
    }
    return text;
}

std::string TraceDocument(RenderHarness& h) {
    std::string text;
    for (std::int16_t page = 1; page <= h.document.pageCount; ++page) {
        text += TracePage(h, page);
    }
    return text;
}

void ExpectGolden(const std::string& name, const std::string& actual) {
    const fs::path path = GoldenDirectory() / (name + ".trace");
    if (Updating()) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    ASSERT_TRUE(fs::exists(path)) << path << " is missing; run with VELK_UPDATE_GOLDEN=1";
    const auto expected = Lines(std::ifstream(path, std::ios::binary));
    const auto got = Lines(std::istringstream(actual));
    for (std::size_t i = 0; i < std::min(expected.size(), got.size()); ++i) {
        ASSERT_EQ(got[i], expected[i]) << name << ".trace line " << i + 1;
    }
    ASSERT_EQ(got.size(), expected.size()) << name << ".trace";
}

TEST(GoldenTraces, SampleReport) {
    const samplegen::SampleReport report = samplegen::MakeSampleReport();
    RenderHarness h(report.document);
    h.files.add(std::string(samplegen::kChartFileName), report.chartBmp);
    ASSERT_EQ(h.document.pageCount, 7);
    for (std::int16_t page = 1; page <= h.document.pageCount; ++page) {
        ExpectGolden("sample_report/page_" + std::to_string(page), TracePage(h, page));
    }
}

TEST(GoldenTraces, TextAndFonts) {
    const auto first = PageBuilder{}
                           .text(1, 1, 0, "Text before any font")
                           .font(vlkw::kBold, 14, vlkw::Rgb(0, 0, 128), "Arial")
                           .text(4.25f, 1.5f, vlkw::kAlignCentre, "Centred heading")
                           .font(0, 10, 0, "  Times New Roman  ")
                           .text(7.5f, 2, vlkw::kAlignRight, "Right edge")
                           .text(5, 2.5f, vlkw::kAlignDecimal, "1,234.50")
                           .text(5, 2.75f, vlkw::kAlignDecimal, "17")
                           .text(5, 3, vlkw::kAlignDecimal, "  0.125  ")
                           .font(vlkw::kItalic | vlkw::kUnderline | vlkw::kStrikeout, 9,
                                 vlkw::Rgb(128, 0, 0), "Courier New")
                           .angleText(0.5f, 9, 90, "Rotated up the margin")
                           .angleText(4, 6, -30, "Tilted down")
                           .text(1, 4, 0, std::string("Stops\0here", 10))
                           .pageNumber(4.25f, 10.5f, vlkw::kAlignCentre)
                           .pageCount(7.5f, 10.5f, vlkw::kAlignRight)
                           .pageNumber(8, 6, 0, 270)
                           .changeWords(9, "&Drucken")
                           .bytes();
    const auto second = PageBuilder{}
                            .font(0, 8, 0, "Arial")
                            .clipText(1, 1, 1.5f, 0, "A long description cut at the column's right")
                            .clipText(4, 1, 1.5f, 1, "Centred and cut on both sides of the column")
                            .clipText(7.5f, 1, 1.5f, 2, "Right-aligned, cut on its left side")
                            .bytes();
    RenderHarness h(DocumentOf({first, second}));
    ExpectGolden("text_and_fonts", TraceDocument(h));
}

TEST(GoldenTraces, LinesBoxesAndPaper) {
    vlkw::PageSetup a4Landscape;
    a4Landscape.paperSize = vlkw::kPaperA4;
    a4Landscape.orientation = vlkw::kLandscape;
    a4Landscape.bin = 3;
    const auto first =
        PageBuilder{}
            .line({1, 1, 7.5f, 1}, 1, 0)
            .line({1, 1.25f, 7.5f, 1.25f}, 0.25f, vlkw::Rgb(255, 0, 0))
            .line({1, 1.5f, 1, 10}, 3, vlkw::Rgb(0, 128, 0))
            .box({1, 2, 4, 3}, -1, vlkw::Rgb(211, 211, 211), 0)
            .box({4.5f, 2, 7.5f, 3}, 0, vlkw::Rgb(255, 255, 224), vlkw::Rgb(0, 0, 255))
            .box({1, 3.5f, 7.5f, 4}, 2.5f, vlkw::Rgb(240, 240, 255), vlkw::Rgb(0, 0, 128))
            .line({1, 5, 7.5f, 5}, 0.5f, 0)
            .bytes();
    const auto second = PageBuilder{a4Landscape}
                            .font(0, 12, 0, "Arial")
                            .text(1, 1, 0, "A4 landscape")
                            .box({0.5f, 0.5f, 11.19f, 7.77f}, 1, 0xFFFFFF, 0)
                            .bytes();
    RenderHarness h(DocumentOf({first, second}));
    ExpectGolden("lines_boxes_and_paper", TraceDocument(h));
}

TEST(GoldenTraces, BitmapsAndAnUnknownCode) {
    vlkw::RgbImage picture;
    picture.width = 120;
    picture.height = 80;
    picture.pixels.assign(120 * 80, vlkw::Colour{0, 120, 200});
    const auto bmp = vlkw::EncodeBmp24(picture);
    const auto page = PageBuilder{}
                          .bitmapFile({1, 1, 3, 3}, "  C:\\pictures\\picture.bmp  ")
                          .embeddedBitmap({4, 1, 7, 2}, bmp)
                          .bitmapFile({1, 4, 2, 5}, "C:\\pictures\\missing.bmp")
                          .skip20()
                          .text(1, 6, 0, "Before the unknown code")
                          .code(17)
                          .text(1, 7, 0, "Never drawn")
                          .bytes();
    RenderHarness h(DocumentOf({page}));
    h.files.add("C:\\pictures\\picture.bmp", bmp);
    ExpectGolden("bitmaps_and_unknown_code", TraceDocument(h));
    EXPECT_FALSE(h.files.contains("C:\\Temp\\~DB00001.bmp"));
}

} // namespace
} // namespace velk
