// RenderPage on a dense page through the recording surface: the interpreter's own cost, with
// a back end that only formats one line per call.
#include "dense_document.h"

#include "render/interpreter.h"
#include "render/recording_surface.h"
#include "render/surface.h"

#include <benchmark/benchmark.h>

namespace {

void RenderDensePage(benchmark::State& state, velk::RenderMode mode, int dpi) {
    velk::bench::DenseDocument dense;
    std::vector<std::uint8_t> devmode(velk::kDevmodeBufferSize, 0);

    velk::RecordingSurface recorder;
    recorder.caps[velk::DeviceCap::LogPixelsX] = dpi;
    recorder.caps[velk::DeviceCap::LogPixelsY] = dpi;
    std::size_t calls = 0;
    for (auto _ : state) {
        recorder.clear();
        velk::Surface surface(recorder);
        velk::RenderPage(
            dense.services, 1,
            velk::RenderTarget{.surface = surface,
                               .dpiX = dpi,
                               .dpiY = dpi,
                               .mode = mode,
                               .devmode = devmode,
                               .devmodeLength = static_cast<std::int32_t>(devmode.size())});
        calls = recorder.lines().size();
        benchmark::DoNotOptimize(calls);
    }
    state.counters["surface_calls"] = static_cast<double>(calls);
    state.counters["page_bytes"] = static_cast<double>(dense.document.loadedPage.size());
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
