#include "render_run.h"

#include "document/document.h"
#include "open_document.h"
#include "output_names.h"
#include "platform/message_box.h"
#include "platform/settings.h"
#include "base/ansi_text.h"
#include "png_writer.h"
#include "base/device_settings.h"
#include "render/interpreter.h"
#include "render/printer_target.h"
#include "render/page_setup.h"
#include "render/screen_target.h"
#include "render/surface.h"
#include "document/interface_texts.h"

namespace velk::cli {

namespace {

// The screen velk-render stands in for: the same resolution across and down.
class FixedScreen : public ScreenInfo {
  public:
    explicit FixedScreen(std::int32_t dpi) : dpi_(dpi) {}
    int logPixelsX() override { return dpi_; }
    int logPixelsY() override { return dpi_; }

  private:
    std::int32_t dpi_;
};

// What the viewer would show in a message box while drawing goes to standard error, with the
// page it came from.
class PageMessages : public MessageBoxPort {
  public:
    explicit PageMessages(RunOutput& output) : output_(output) {}
    std::int32_t page = 0;
    void show(const std::string& text, const std::string&, unsigned) override {
        output_.error("Page " + std::to_string(page) + ": " + TerminalText(text));
    }

  private:
    RunOutput& output_;
};

struct Run {
    const RenderOptions& options;
    RunPorts& ports;
    Document& document;
    InterfaceTexts& texts;
    const PageSelection& selection;
    bool showProgress = false;

    // Draws the selected pages in order with `draw`, which gives Rendered for a page drawn;
    // the first other code ends the run.
    template <typename DrawPage> ExitCode eachPage(DrawPage draw) const {
        const std::uint64_t total = selection.count();
        std::uint64_t done = 0;
        for (const PageRun& run : selection.runs) {
            // Counted in 64 bits: the last page can be the largest 32-bit number.
            for (std::int64_t p = run.first; p <= run.last; ++p) {
                const auto page = static_cast<std::int32_t>(p);
                const ExitCode code = draw(page);
                if (code != ExitCode::Rendered) {
                    return code;
                }
                ++done;
                if (showProgress) {
                    ports.output.progress(done, total, page);
                }
            }
        }
        return ExitCode::Rendered;
    }

    ExitCode fail(const std::string& message) const {
        ports.output.error(message);
        return ExitCode::OutputFailed;
    }

    std::string title() const {
        const std::string title = TrimBlanks(CutAtNul(document.header.title));
        return title.empty() ? options.document : title;
    }

    ExitCode screenPages() {
        FixedScreen screen(options.dpi);
        const ScreenSettings settings{static_cast<std::int16_t>(options.dpi),
                                      static_cast<std::int16_t>(options.dpi),
                                      options.decimalSeparator};
        PageMessages messages(ports.output);
        const double zoom = options.zoomPercent / 100.0;
        RenderServices services{
            document, settings, screen, texts, messages, ports.files, options.allowNetworkBitmaps};
        return eachPage([&](std::int32_t page) {
            messages.page = page;
            const ScreenPageGeometry geometry =
                ApplyToScreen(ReadPageSetup(document, page), screen);
            const ScreenFrame frame =
                ComputeScreenFrame(geometry, zoom, document.header.renderOptions);
            const auto raster = ports.targets.rasterPage(frame.surfaceWidth, frame.surfaceHeight,
                                                         geometry.dpiX, geometry.dpiY,
                                                         options.aliasedText);
            if (!raster) {
                return fail("Page " + std::to_string(page) +
                            " is too large to draw at this resolution and zoom");
            }
            {
                Surface surface(raster->backend());
                RenderPage(services, page,
                           ScreenTarget(surface, geometry, document.header.renderOptions, zoom));
            }
            const std::string path =
                PageImagePath(options.outDir, options.document, page, document.pageCount);
            const RowSource rows = raster->rows(frame.source, frame.width, frame.height);
            const auto file = ports.output.createFile(path);
            if (!rows || !file || !WritePng(*file, frame.width, frame.height, rows) ||
                !file->close()) {
                return fail("Unable to write " + path);
            }
            return ExitCode::Rendered;
        });
    }

    ExitCode printedPdf() {
        const std::string& path = *options.pdf;
        // The printer lives longer than the surface that draws on it.
        const auto printer = ports.targets.pdfPrinter(path, options.printerDpi);
        if (!printer) {
            return fail("Unable to write " + path);
        }
        Surface surface(*printer);
        FixedScreen screen(options.dpi);
        const ScreenSettings settings{static_cast<std::int16_t>(options.dpi),
                                      static_cast<std::int16_t>(options.dpi),
                                      options.decimalSeparator};
        PageMessages messages(ports.output);
        RenderServices services{
            document, settings, screen, texts, messages, ports.files, options.allowNetworkBitmaps};
        std::vector<std::uint8_t> devmode(kDevmodeBufferSize, 0);
        if (surface.startDoc(title()) <= 0) {
            return fail("Unable to write " + path);
        }
        const ExitCode drawn = eachPage([&](std::int32_t page) {
            messages.page = page;
            // At 100 %, as the print job draws.
            RenderPage(services, page, PrinterTarget(surface, devmode));
            if (surface.endPage() <= 0) {
                return fail("Unable to write " + path);
            }
            return ExitCode::Rendered;
        });
        if (drawn != ExitCode::Rendered) {
            return drawn;
        }
        if (surface.endDoc() <= 0) {
            return fail("Unable to write " + path);
        }
        return ExitCode::Rendered;
    }
};

} // namespace

ExitCode RunRender(const RenderOptions& options, RunPorts& ports) {
    if (options.pdf && !ports.targets.printsPdf()) {
        ports.output.error("velk-render: --pdf is not available in this build");
        return ExitCode::Usage;
    }
    Document document;
    InterfaceTexts texts;
    const OpenOutcome opened =
        OpenForRendering(ports.files, options.document, options.password, document, texts);
    if (opened.code != ExitCode::Rendered) {
        ports.output.error(opened.message);
        return opened.code;
    }
    const PageSelection selection = SelectPages(options.pages, document.pageCount);
    if (selection.missing || selection.runs.empty()) {
        ports.output.error(selection.missing ? "Page " + std::to_string(*selection.missing) +
                                                   " is not in " + options.document + " (" +
                                                   std::to_string(document.pageCount) + " pages)"
                                             : options.document + " has no pages");
        return ExitCode::NoSuchPage;
    }
    Run run{options, ports, document, texts, selection};
    run.showProgress = ports.progressWanted && selection.count() >= kProgressFromPages;
    const ExitCode code = options.pdf ? run.printedPdf() : run.screenPages();
    if (run.showProgress) {
        ports.output.progressEnd();
    }
    return code;
}

} // namespace velk::cli
