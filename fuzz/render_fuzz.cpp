// Renders arbitrary bytes through the recording surface, on the screen and on a printer: once
// as a document (every page its page table holds) and once as the data of a single page, so
// that mutations reach the record stream without first having to form a valid document.

#include "document/document.h"
#include "platform/memory_file.h"
#include "platform/message_box.h"
#include "platform/settings.h"
#include "base/device_settings.h"
#include "render/interpreter.h"
#include "render/recording_surface.h"
#include "render/surface.h"
#include "support/memory_file_system.h"
#include "document/interface_texts.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kMostPages = 16;
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

class ShrinkingLayout : public velk::ScreenLayout {
  public:
    explicit ShrinkingLayout(double& zoom) : zoom_(zoom) {}
    void screenPageChanged(const velk::ScreenPageGeometry&) override {}
    void LayoutPageArea() override { zoom_ = 0.75; }

  private:
    double& zoom_;
};

void RenderAll(velk::Document& document, velk::testing::MemoryFileSystem& files,
               std::size_t pages) {
    double zoom = 1.0;
    const velk::ScreenSettings settings;
    Screen96 screen;
    velk::InterfaceTexts texts;
    SilentMessageBox messages;
    ShrinkingLayout layout(zoom);
    velk::RenderServices services{document, zoom,     settings, screen,
                                  texts,    messages, files,    &layout};
    std::vector<std::uint8_t> devmode(20122, 0);

    for (std::size_t p = 1; p <= pages; ++p) {
        const auto page = static_cast<std::int16_t>(p);
        velk::RecordingSurface recorder(&files);
        recorder.recordQueries = false;
        velk::Surface surface(recorder);
        velk::RenderPage(services, page, surface, 96, 96, 0, 0, velk::RenderMode::Screen);
        recorder.caps[velk::DeviceCap::LogPixelsX] = 600;
        recorder.caps[velk::DeviceCap::LogPixelsY] = 600;
        velk::RenderPage(services, page, surface, 600, 600, -50, -50, velk::RenderMode::Printer,
                         devmode, static_cast<std::int32_t>(devmode.size()));
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
        RenderAll(document, files, std::min(document.pageTable.size(), kMostPages));
    }

    velk::Document single;
    single.pageCount = 1;
    single.loadedPageNumber = 1;
    single.loadedPage = bytes;
    RenderAll(single, files, 1);

    // The renderer must leave no temporary file behind.
    if (files.findFiles("C:\\Temp\\*").size() != 0) {
        __builtin_trap();
    }
    return 0;
}
