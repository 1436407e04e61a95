#pragma once

#include "document/document.h"
#include "base/device_settings.h"
#include "render/interpreter.h"
#include "render/recording_surface.h"
#include "render/surface.h"
#include "support/documents.h"
#include "support/recording_services.h"
#include "document/interface_texts.h"
#include "writer/document_description.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velk::testing {

// One open document and everything RenderPage needs, all in memory, drawing on a recording
// surface.
struct RenderHarness : OpenedDocument {
    double zoom = 1.0;
    bool allowNetworkBitmaps = false;
    ScreenSettings settings;
    FakeScreen screen;
    InterfaceTexts texts;
    RecordingMessageBox messages;
    RecordingSurface recorder{&files};
    Surface surface{recorder};
    std::vector<std::uint8_t> devmode = std::vector<std::uint8_t>(20122, 0);

    explicit RenderHarness(const vlkw::DocumentDescription& description);
    // A one-page document holding `page`.
    explicit RenderHarness(std::vector<std::uint8_t> page);

    RenderServices services();
    // The harness's surface at `dpi` across and down, drawn at `zoom`.
    RenderTarget screenTarget(std::int32_t dpi = 96);
    RenderTarget printerTarget(std::int32_t dpi = 600, std::int32_t offX = 0,
                               std::int32_t offY = 0);

    // The calls of one rendering, starting from an empty trace, the surface's resolution
    // that of the target.
    std::vector<std::string> render(std::int32_t page, const RenderTarget& target);
    std::vector<std::string> renderScreen(std::int32_t page = 1, std::int32_t dpi = 96);
    std::vector<std::string> renderPrinter(std::int32_t page = 1, std::int32_t dpi = 600,
                                           std::int32_t offX = 0, std::int32_t offY = 0);
};

// The lines of `trace` that are calls of `call`; of any of `calls`, in the trace's order.
std::vector<std::string> CallsOf(const std::vector<std::string>& trace, std::string_view call);
std::vector<std::string> CallsAmong(const std::vector<std::string>& trace,
                                    std::initializer_list<std::string_view> calls);

// A document with one page per entry, written as a producer would.
vlkw::DocumentDescription DocumentOf(std::vector<std::vector<std::uint8_t>> pages);

} // namespace velk::testing
