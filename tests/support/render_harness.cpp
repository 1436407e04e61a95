#include "support/render_harness.h"

#include "writer/document_writer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velk::testing {

vlkw::DocumentDescription DocumentOf(std::vector<std::vector<std::uint8_t>> pages) {
    vlkw::DocumentDescription description;
    description.title = "Render Test";
    description.pages = std::move(pages);
    return description;
}

RenderHarness::RenderHarness(const vlkw::DocumentDescription& description)
    : OpenedDocument(vlkw::WriteDocument(description), "C:\\docs\\test.vlk") {
    EXPECT_TRUE(headerMatched);
    document.loadPageTable(false);
}

RenderHarness::RenderHarness(std::vector<std::uint8_t> page)
    : RenderHarness(DocumentOf({std::move(page)})) {}

RenderServices RenderHarness::services() {
    return RenderServices{document, settings, screen, texts, messages, files, allowNetworkBitmaps};
}

RenderTarget RenderHarness::screenTarget(std::int32_t dpi) {
    return RenderTarget{
        .surface = surface, .dpiX = dpi, .dpiY = dpi, .mode = RenderMode::Screen, .zoom = zoom};
}

RenderTarget RenderHarness::printerTarget(std::int32_t dpi, std::int32_t offX, std::int32_t offY) {
    return RenderTarget{.surface = surface,
                        .dpiX = dpi,
                        .dpiY = dpi,
                        .offX = offX,
                        .offY = offY,
                        .mode = RenderMode::Printer,
                        .zoom = zoom,
                        .devmode = devmode,
                        .devmodeLength = static_cast<std::int32_t>(devmode.size())};
}

std::vector<std::string> RenderHarness::render(std::int32_t page, const RenderTarget& target) {
    recorder.clear();
    recorder.caps[DeviceCap::LogPixelsX] = target.dpiX;
    recorder.caps[DeviceCap::LogPixelsY] = target.dpiY;
    RenderServices s = services();
    RenderPage(s, page, target);
    return recorder.lines();
}

std::vector<std::string> RenderHarness::renderScreen(std::int32_t page, std::int32_t dpi) {
    return render(page, screenTarget(dpi));
}

std::vector<std::string> RenderHarness::renderPrinter(std::int32_t page, std::int32_t dpi,
                                                      std::int32_t offX, std::int32_t offY) {
    return render(page, printerTarget(dpi, offX, offY));
}

std::vector<std::string> CallsOf(const std::vector<std::string>& trace, std::string_view call) {
    return CallsAmong(trace, {call});
}

std::vector<std::string> CallsAmong(const std::vector<std::string>& trace,
                                    std::initializer_list<std::string_view> calls) {
    std::vector<std::string> found;
    for (const auto& line : trace) {
        const std::string_view name = std::string_view(line).substr(0, line.find(' '));
        if (std::find(calls.begin(), calls.end(), name) != calls.end()) {
            found.push_back(line);
        }
    }
    return found;
}

} // namespace velk::testing
