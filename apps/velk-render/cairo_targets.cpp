// The Linux build: pages drawn with Cairo, files through POSIX.
#include "render/cairo/cairo_fonts.h"
#include "render/cairo/cairo_surface.h"
#include "platform/posix/heap_memory.h"
#include "platform/posix/posix_file_system.h"
#include "platform_targets.h"
#include "render/page_setup.h"

#include <unistd.h>

namespace velk::cli {

namespace {

class CairoRasterPage : public RasterPage {
  public:
    explicit CairoRasterPage(std::unique_ptr<cairo::CairoSurface> surface)
        : surface_(std::move(surface)) {}
    SurfaceBackend& backend() override { return *surface_; }
    RowSource rows(const CopyRect& from, std::int32_t width, std::int32_t height) override {
        return surface_->pixelRows(cairo::PixelRect{from.x, from.y, from.width, from.height}, width,
                                   height);
    }

  private:
    std::unique_ptr<cairo::CairoSurface> surface_;
};

class CairoTargets : public RenderTargets {
  public:
    CairoTargets() = default;
    // The process ends next: letting go of the font caches would only cost time.
    ~CairoTargets() override { cairo::SaveFontMatches(); }
    CairoTargets(const CairoTargets&) = delete;
    CairoTargets& operator=(const CairoTargets&) = delete;

    std::unique_ptr<RasterPage> rasterPage(std::int32_t width, std::int32_t height,
                                           std::int32_t dpiX, std::int32_t dpiY,
                                           bool aliasedText) override {
        auto surface = cairo::CairoSurface::ForImage(width, height, dpiX, dpiY, !aliasedText);
        if (!surface) {
            return nullptr;
        }
        return std::make_unique<CairoRasterPage>(std::move(surface));
    }

    bool printsPdf() const override { return true; }

    std::unique_ptr<SurfaceBackend> pdfPrinter(const std::string& path, std::int32_t dpi) override {
        auto printer = cairo::CairoSurface::ForPdf(path, dpi, [](std::int32_t code) {
            const PaperSize paper = PaperSizeTable(code);
            return cairo::PaperInches{paper.width, paper.height};
        });
        if (!printer || !printer->ok()) {
            return nullptr;
        }
        return printer;
    }
};

} // namespace

Platform MakePlatform() {
    // A page's run allocates about a megabyte: in one huge page it costs a tenth of the time.
    posix::PrepareHeap(std::size_t{2} << 20);
    Platform platform;
    platform.files = std::make_unique<posix::PosixFileSystem>();
    platform.targets = std::make_unique<CairoTargets>();
    platform.stderrIsTerminal = isatty(STDERR_FILENO) != 0;
    return platform;
}

} // namespace velk::cli
