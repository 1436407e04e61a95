// Renders arbitrary bytes through the recording surface: once as a document (the first pages its
// page table holds) and once as the data of a single page, so that mutations reach the record
// stream without first having to form a valid document. Each page is drawn once, on the screen
// or on a printer as the page number and the input's length choose: one more byte at the end
// switches every page to the other device.

#include "document/document.h"
#include "platform/memory_file.h"
#include "platform/message_box.h"
#include "platform/settings.h"
#include "base/device_settings.h"
#include "render/interpreter.h"
#include "render/page_setup.h"
#include "render/recording_surface.h"
#include "render/screen_target.h"
#include "render/surface.h"
#include "support/memory_file_system.h"
#include "document/interface_texts.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// A few pages reach every record a document can hold; more only slow each run down.
constexpr std::size_t kMostPages = 3;
constexpr const char* kDocumentName = "C:\\docs\\fuzz.vlk";

class SilentMessageBox : public velk::MessageBoxPort {
  public:
    void show(const std::string&, const std::string&, unsigned) override {}
};

class Screen96 : public velk::ScreenInfo {
  public:
    int logPixelsX() override { return 96; }
    int logPixelsY() override { return 96; }
};

void RenderAll(velk::Document& document, velk::testing::MemoryFileSystem& files, std::size_t pages,
               std::size_t inputSize) {
    const velk::ScreenSettings settings;
    Screen96 screen;
    velk::InterfaceTexts texts;
    SilentMessageBox messages;
    velk::RenderServices services{document, settings, screen, texts, messages, files};

    for (std::size_t p = 1; p <= pages; ++p) {
        const auto page = static_cast<std::int16_t>(p);
        velk::RecordingSurface recorder(&files);
        recorder.recordQueries = false;
        velk::Surface surface(recorder);
        if ((p + inputSize) % 2 == 0) {
            // Below 100 %, where a full-size document is drawn larger than it is shown.
            const velk::ScreenPageGeometry geometry =
                velk::ApplyToScreen(velk::ReadPageSetup(document, page), screen);
            velk::RenderPage(
                services, page,
                velk::ScreenTarget(surface, geometry, document.header.renderOptions, 0.75));
        } else {
            std::vector<std::uint8_t> devmode(20122, 0);
            recorder.caps[velk::DeviceCap::LogPixelsX] = 600;
            recorder.caps[velk::DeviceCap::LogPixelsY] = 600;
            velk::RenderPage(
                services, page,
                velk::RenderTarget{.surface = surface,
                                   .dpiX = 600,
                                   .dpiY = 600,
                                   .offX = -50,
                                   .offY = -50,
                                   .mode = velk::RenderMode::Printer,
                                   .devmode = devmode,
                                   .devmodeLength = static_cast<std::int32_t>(devmode.size())});
        }
        if (surface.liveObjects() != 0 || surface.selectedPen() != velk::kDevicePen ||
            surface.selectedBrush() != velk::kDeviceBrush ||
            surface.selectedFont() != velk::kDeviceFont) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);

    velk::testing::MemoryFileSystem files;
    files.add(kDocumentName, bytes);
    velk::Document document;
    if (document.open(files, kDocumentName, 0)) {
        document.readHeader();
        document.loadPageTable(false);
        RenderAll(document, files, std::min(document.pageTable.size(), kMostPages), size);
    }

    velk::Document single;
    single.pageCount = 1;
    single.loadedPageNumber = 1;
    single.loadedPage = bytes;
    RenderAll(single, files, 1, size);

    // The renderer must leave no temporary file behind.
    if (files.findFiles("C:\\Temp\\*").size() != 0) {
        __builtin_trap();
    }
    return 0;
}
