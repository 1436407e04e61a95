#pragma once

#include "exit_codes.h"
#include "png_writer.h"
#include "render_options.h"
#include "screen_frame.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace velk {
class FileSystem;
class SurfaceBackend;
} // namespace velk

namespace velk::cli {

// A white page surface for one screen page.
class RasterPage {
  public:
    virtual ~RasterPage() = default;
    virtual SurfaceBackend& backend() = 0;
    // The rows of `from`, stretched to width x height as StretchBlt stretches by
    // default when the sizes differ; null when the stretched copy cannot be made. Valid while
    // the page lives.
    virtual RowSource rows(const CopyRect& from, std::int32_t width, std::int32_t height) = 0;
};

// A file being written.
class OutputFile : public ByteSink {
  public:
    // False when any of it could not be written.
    virtual bool close() = 0;
};

// The drawing back ends of one build.
class RenderTargets {
  public:
    virtual ~RenderTargets() = default;
    // Null when the page cannot be made (too large for memory). Text is smoothed in grey, as
    // Windows' standard font smoothing draws it, unless `aliasedText`.
    virtual std::unique_ptr<RasterPage> rasterPage(std::int32_t width, std::int32_t height,
                                                   std::int32_t dpiX, std::int32_t dpiY,
                                                   bool aliasedText) = 0;
    virtual bool printsPdf() const = 0;
    // A printer whose document is one PDF file; null when it cannot be made.
    virtual std::unique_ptr<SurfaceBackend> pdfPrinter(const std::string& path,
                                                       std::int32_t dpi) = 0;
};

// Where a run's files and words go.
class RunOutput {
  public:
    virtual ~RunOutput() = default;
    // Null when the file cannot be made.
    virtual std::unique_ptr<OutputFile> createFile(const std::string& path) = 0;
    virtual void error(const std::string& text) = 0;
    // After each page of a long run when progress is wanted, then once at the end.
    virtual void progress(std::uint64_t done, std::uint64_t total, std::int32_t page) = 0;
    virtual void progressEnd() = 0;
};

struct RunPorts {
    FileSystem& files;
    RenderTargets& targets;
    RunOutput& output;
    bool progressWanted = false; // standard error is a terminal
};

// Runs shorter than this many pages finish too soon to need a progress line.
inline constexpr std::uint64_t kProgressFromPages = 10;

// Opens the document and writes the pages asked for: PNG files by the screen rules, or one
// PDF by the printer rules.
ExitCode RunRender(const RenderOptions& options, RunPorts& ports);

} // namespace velk::cli
