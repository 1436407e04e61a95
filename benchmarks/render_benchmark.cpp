// RenderPage on a dense page through the recording surface: the interpreter's own cost, with
// a back end that only formats one line per call.
#include "dense_page.h"

#include "document/document.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/settings.h"
#include "print/device_settings.h"
#include "render/interpreter.h"
#include "render/recording_surface.h"
#include "render/surface.h"
#include "viewer/interface_texts.h"

#include <benchmark/benchmark.h>

namespace {

class NoFiles : public velk::FileSystem {
  public:
    std::vector<velk::DirectoryEntry> findFiles(const std::string&) override { return {}; }
    std::unique_ptr<velk::File> openExisting(const std::string&, velk::OpenAccess) override {
        return nullptr;
    }
    bool createNew(const std::string&) override { return false; }
    bool deleteFile(const std::string&) override { return false; }
    std::string temporaryDirectory() override { return "C:\\Temp\\"; }
    std::string executablePath() override { return "C:\\velk.exe"; }
};

class NoMessages : public velk::MessageBoxPort {
  public:
    void show(const std::string&, const std::string&, unsigned) override {}
};

class Screen96 : public velk::ScreenInfo {
  public:
    int logPixelsX() override { return 96; }
    int logPixelsY() override { return 96; }
};

void RenderDensePage(benchmark::State& state, velk::RenderMode mode, int dpi) {
    velk::Document document;
    document.pageCount = 1;
    document.loadedPageNumber = 1;
    document.loadedPage = velk::bench::DensePage();
    double zoom = 1.0;
    const velk::ScreenSettings settings;
    Screen96 screen;
    velk::InterfaceTexts texts;
    NoMessages messages;
    NoFiles files;
    velk::RenderServices services{document, zoom, settings, screen, texts, messages, files};
    std::vector<std::uint8_t> devmode(20122, 0);

    velk::RecordingSurface recorder;
    recorder.caps[velk::DeviceCap::LogPixelsX] = dpi;
    recorder.caps[velk::DeviceCap::LogPixelsY] = dpi;
    std::size_t calls = 0;
    for (auto _ : state) {
        recorder.clear();
        velk::Surface surface(recorder);
        velk::RenderPage(services, 1, surface, dpi, dpi, 0, 0, mode, devmode,
                         static_cast<std::int32_t>(devmode.size()));
        calls = recorder.lines().size();
        benchmark::DoNotOptimize(calls);
    }
    state.counters["surface_calls"] = static_cast<double>(calls);
    state.counters["page_bytes"] = static_cast<double>(document.loadedPage.size());
}

void BM_RenderDensePageScreen(benchmark::State& state) {
    RenderDensePage(state, velk::RenderMode::Screen, 96);
}

void BM_RenderDensePagePrinter(benchmark::State& state) {
    RenderDensePage(state, velk::RenderMode::Printer, 600);
}

} // namespace

BENCHMARK(BM_RenderDensePageScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderDensePagePrinter)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
