// RenderPage on the dense page through the Cairo surface: the interpreter and real drawing
// (fonts, glyphs, lines and boxes) on a 96 dpi raster page, and on a 600 dpi PDF printer.
#include "dense_document.h"

#include "render/cairo/cairo_surface.h"
#include "render/interpreter.h"
#include "render/page_setup.h"
#include "render/surface.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using velk::bench::DenseDocument;

void BM_CairoDensePageScreen(benchmark::State& state) {
    DenseDocument dense;
    for (auto _ : state) {
        // A Letter page at 96 dpi, as velk-render makes it (one pixel more for the border).
        auto page = velk::cairo::CairoSurface::ForImage(817, 1057, 96, 96);
        velk::Surface surface(*page);
        velk::RenderPage(dense.services, 1, velk::RenderTarget{.surface = surface});
        benchmark::DoNotOptimize(page.get());
    }
}

void BM_CairoDensePagePdf(benchmark::State& state) {
    DenseDocument dense;
    const std::string path = "/tmp/velk-cairo-benchmark.pdf";
    std::vector<std::uint8_t> devmode(velk::kDevmodeBufferSize, 0);
    for (auto _ : state) {
        auto printer = velk::cairo::CairoSurface::ForPdf(path, 600, [](std::int32_t code) {
            const velk::PaperSize paper = velk::PaperSizeTable(code);
            return velk::cairo::PaperInches{paper.width, paper.height};
        });
        {
            velk::Surface surface(*printer);
            surface.startDoc("Dense page");
            velk::RenderPage(
                dense.services, 1,
                velk::RenderTarget{.surface = surface,
                                   .dpiX = 600,
                                   .dpiY = 600,
                                   .mode = velk::RenderMode::Printer,
                                   .devmode = devmode,
                                   .devmodeLength = static_cast<std::int32_t>(devmode.size())});
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
