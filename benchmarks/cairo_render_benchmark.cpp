// RenderPage on the dense page through the Cairo surface: the interpreter and real drawing
// (fonts, glyphs, lines and boxes) on a 96 dpi raster page, and on a 600 dpi PDF printer.
#include "dense_page.h"

#include "document/document.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/posix/cairo_surface.h"
#include "platform/settings.h"
#include "print/device_settings.h"
#include "render/interpreter.h"
#include "render/page_setup.h"
#include "render/surface.h"
#include "viewer/interface_texts.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

class NoFiles : public velk::FileSystem {
  public:
    std::vector<velk::DirectoryEntry> findFiles(const std::string&) override { return {}; }
    std::unique_ptr<velk::File> openExisting(const std::string&, velk::OpenAccess) override {
        return nullptr;
    }
    bool createNew(const std::string&) override { return false; }
    bool deleteFile(const std::string&) override { return false; }
    std::string temporaryDirectory() override { return "/tmp/"; }
    std::string executablePath() override { return "/velk-render"; }
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

struct DenseDocument {
    velk::Document document;
    double zoom = 1.0;
    velk::ScreenSettings settings;
    Screen96 screen;
    velk::InterfaceTexts texts;
    NoMessages messages;
    NoFiles files;
    velk::RenderServices services{document, zoom, settings, screen, texts, messages, files};

    DenseDocument() {
        document.pageCount = 1;
        document.loadedPageNumber = 1;
        document.loadedPage = velk::bench::DensePage();
    }
};

void BM_CairoDensePageScreen(benchmark::State& state) {
    DenseDocument dense;
    for (auto _ : state) {
        // A Letter page at 96 dpi, as velk-render makes it (one pixel more for the border).
        auto page = velk::posix::CairoSurface::ForImage(817, 1057, 96, 96);
        velk::Surface surface(*page);
        velk::RenderPage(dense.services, 1, surface, 96, 96, 0, 0, velk::RenderMode::Screen);
        benchmark::DoNotOptimize(page.get());
    }
}

void BM_CairoDensePagePdf(benchmark::State& state) {
    DenseDocument dense;
    const std::string path = "/tmp/velk-cairo-benchmark.pdf";
    std::vector<std::uint8_t> devmode(velk::kDevmodeBufferSize, 0);
    for (auto _ : state) {
        auto printer = velk::posix::CairoSurface::ForPdf(path, 600, [](std::int32_t code) {
            const velk::PaperSize paper = velk::PaperSizeTable(code);
            return velk::posix::PaperInches{paper.width, paper.height};
        });
        {
            velk::Surface surface(*printer);
            surface.startDoc("Dense page");
            velk::RenderPage(dense.services, 1, surface, 600, 600, 0, 0, velk::RenderMode::Printer,
                             devmode, static_cast<std::int32_t>(devmode.size()));
            surface.endPage();
            surface.endDoc();
        }
        benchmark::DoNotOptimize(printer.get());
    }
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(BM_CairoDensePageScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CairoDensePagePdf)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
