#include "support/render_harness.h"

#include "writer/document_writer.h"

#include <gtest/gtest.h>

namespace velk::testing {

vlkw::DocumentDescription DocumentOf(std::vector<std::vector<std::uint8_t>> pages) {
    vlkw::DocumentDescription description;
    description.title = "Render Test";
    description.pages = std::move(pages);
    return description;
}

RenderHarness::RenderHarness(const vlkw::DocumentDescription& description) {
    files.add(kDocumentName, vlkw::WriteDocument(description));
    EXPECT_TRUE(document.open(files, kDocumentName, 0));
    EXPECT_TRUE(document.readHeader());
    document.loadPageTable(false);
}

RenderHarness::RenderHarness(std::vector<std::uint8_t> page)
    : RenderHarness(DocumentOf({std::move(page)})) {}

RenderServices RenderHarness::services() {
    return RenderServices{document, zoom, settings, screen, texts, messages, files, &layout};
}

std::vector<std::string> RenderHarness::renderScreen(std::int32_t page, std::int32_t dpi) {
    recorder.clear();
    recorder.caps[DeviceCap::LogPixelsX] = dpi;
    recorder.caps[DeviceCap::LogPixelsY] = dpi;
    RenderServices s = services();
    RenderPage(s, page, surface, dpi, dpi, 0, 0, RenderMode::Screen);
    return recorder.lines();
}

std::vector<std::string> RenderHarness::renderPrinter(std::int32_t page, std::int32_t dpi,
                                                      std::int32_t offX, std::int32_t offY) {
    recorder.clear();
    recorder.caps[DeviceCap::LogPixelsX] = dpi;
    recorder.caps[DeviceCap::LogPixelsY] = dpi;
    RenderServices s = services();
    RenderPage(s, page, surface, dpi, dpi, offX, offY, RenderMode::Printer, devmode,
               static_cast<std::int32_t>(devmode.size()));
    return recorder.lines();
}

std::vector<std::string> CallsOf(const std::vector<std::string>& trace, const std::string& call) {
    std::vector<std::string> found;
    for (const auto& line : trace) {
        if (line.rfind(call + " ", 0) == 0 || line == call) {
            found.push_back(line);
        }
    }
    return found;
}

} // namespace velk::testing
