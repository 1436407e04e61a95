// velk-render's run: opening the document as the viewer does, choosing pages, sizing screen
// pages and driving the printer, against in-memory files and recording back ends.
#include "render_run.h"

#include "render/recording_surface.h"
#include "support/memory_file_system.h"
#include "support/render_harness.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"
#include "writer/self_extracting.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace velk::cli {
namespace {

using testing::CallsOf;
using testing::DocumentOf;
using testing::MemoryFileSystem;
using vlkw::PageBuilder;

constexpr const char* kReport = "C:\\docs\\report.vlk";

// A recording surface that hands its calls to the test when the run lets go of it.
class KeptRecorder : public RecordingSurface {
  public:
    KeptRecorder(std::vector<std::string>& keep, std::int32_t dpi, int endDocResult)
        : keep_(keep), endDocResult_(endDocResult) {
        caps[DeviceCap::LogPixelsX] = dpi;
        caps[DeviceCap::LogPixelsY] = dpi;
        recordQueries = false;
    }
    ~KeptRecorder() override { keep_ = lines(); }
    int endDoc() override {
        RecordingSurface::endDoc();
        return endDocResult_;
    }

  private:
    std::vector<std::string>& keep_;
    int endDocResult_;
};

class RecordingRaster : public RasterPage {
  public:
    RecordingRaster(std::vector<std::string>& log, std::vector<std::string>& keep, std::int32_t dpi)
        : log_(log), recorder_(keep, dpi, 1) {}
    SurfaceBackend& backend() override { return recorder_; }
    RowSource rows(const CopyRect& from, std::int32_t width, std::int32_t height) override {
        log_.push_back("copy " + std::to_string(from.x) + "," + std::to_string(from.y) + " " +
                       std::to_string(from.width) + "x" + std::to_string(from.height) + " to " +
                       std::to_string(width) + "x" + std::to_string(height));
        // Each row's bytes say which row it is, so that the file shows the order of the rows.
        return [](std::int32_t y, std::span<std::uint8_t> row) {
            std::fill(row.begin(), row.end(), static_cast<std::uint8_t>(y));
        };
    }

  private:
    std::vector<std::string>& log_;
    KeptRecorder recorder_;
};

class FakeTargets : public RenderTargets {
  public:
    bool pdf = true;
    bool rasterFails = false;
    int endDocResult = 1;
    std::vector<std::string> log;                    // pages made and copied, in order
    std::deque<std::vector<std::string>> pageTraces; // one per raster page
    std::vector<std::string> printerTrace;

    std::unique_ptr<RasterPage> rasterPage(std::int32_t width, std::int32_t height,
                                           std::int32_t dpiX, std::int32_t dpiY) override {
        log.push_back("page " + std::to_string(width) + "x" + std::to_string(height) + " at " +
                      std::to_string(dpiX) + "x" + std::to_string(dpiY));
        if (rasterFails) {
            return nullptr;
        }
        pageTraces.emplace_back(); // filled in when the page is let go
        return std::make_unique<RecordingRaster>(log, pageTraces.back(), dpiX);
    }
    bool printsPdf() const override { return pdf; }
    std::unique_ptr<SurfaceBackend> pdfPrinter(const std::string& path, std::int32_t dpi) override {
        log.push_back("pdf " + path + " at " + std::to_string(dpi));
        return std::make_unique<KeptRecorder>(printerTrace, dpi, endDocResult);
    }
};

// A file kept in the output's map, failing at close when told to.
class MemoryFile : public OutputFile {
  public:
    MemoryFile(std::vector<std::uint8_t>& bytes, bool fails) : bytes_(bytes), fails_(fails) {}
    void write(std::span<const std::uint8_t> data) override {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    bool close() override { return !fails_; }

  private:
    std::vector<std::uint8_t>& bytes_;
    bool fails_;
};

class FakeOutput : public RunOutput {
  public:
    bool createFails = false;
    bool closeFails = false;
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::string> errors;
    std::vector<std::string> progressLines;

    std::unique_ptr<OutputFile> createFile(const std::string& path) override {
        if (createFails) {
            return nullptr;
        }
        return std::make_unique<MemoryFile>(files[path], closeFails);
    }
    void error(const std::string& text) override { errors.push_back(text); }
    void progress(std::size_t done, std::size_t total, std::int32_t page) override {
        progressLines.push_back(std::to_string(done) + "/" + std::to_string(total) + " page " +
                                std::to_string(page));
    }
    void progressEnd() override { progressLines.push_back("end"); }
};

struct Fixture {
    MemoryFileSystem files;
    FakeTargets targets;
    FakeOutput output;
    bool terminal = false;

    ExitCode run(std::vector<std::string> arguments) {
        const ParsedOptions parsed = ParseOptions(arguments);
        EXPECT_EQ(parsed.error, "");
        RunPorts ports{files, targets, output, terminal};
        return RunRender(parsed.options, ports);
    }
    void add(const std::string& name, const vlkw::DocumentDescription& description) {
        files.add(name, vlkw::WriteDocument(description));
    }
};

std::vector<std::uint8_t> TextPage(const char* text, vlkw::PageSetup setup = {}) {
    return PageBuilder(setup).font(0, 10, 0, "Arial").text(1, 1, 0, text).bytes();
}

vlkw::DocumentDescription ThreePages() {
    vlkw::PageSetup a4Landscape;
    a4Landscape.paperSize = vlkw::kPaperA4;
    a4Landscape.orientation = vlkw::kLandscape;
    return DocumentOf({TextPage("one"), TextPage("two", a4Landscape), TextPage("three")});
}

// Width and height from a PNG's header.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::vector<std::uint8_t>& png) {
    const auto big = [&png](std::size_t at) {
        return (std::uint32_t{png.at(at)} << 24) | (std::uint32_t{png.at(at + 1)} << 16) |
               (std::uint32_t{png.at(at + 2)} << 8) | png.at(at + 3);
    };
    return {big(16), big(20)};
}

TEST(VelkRenderRun, DocumentsThatCannotBeOpenedGetTheViewersMessagesAndExitCodes) {
    Fixture f;
    f.files.add("C:\\docs\\junk.vlk", std::vector<std::uint8_t>(600, 'x'));
    f.files.add("C:\\docs\\locked.vlk", vlkw::WriteDocument(ThreePages())).unopenable = true;
    const struct {
        const char* name;
        ExitCode code;
        const char* message;
    } cases[] = {
        {"C:\\docs\\none.vlk", ExitCode::NotFound, "Unable to locate file: C:\\docs\\none.vlk"},
        {"C:\\docs\\locked.vlk", ExitCode::OpenFailed, "Unable to open file: C:\\docs\\locked.vlk"},
        {"C:\\docs\\junk.vlk", ExitCode::InvalidFile,
         "Invalid File: C:\\docs\\junk.vlk\nThis file isn't a velk document."},
    };
    for (const auto& c : cases) {
        f.output.errors.clear();
        EXPECT_EQ(f.run({c.name}), c.code) << c.name;
        EXPECT_EQ(f.output.errors, std::vector<std::string>{c.message}) << c.name;
    }
    EXPECT_TRUE(f.output.files.empty());
    EXPECT_TRUE(f.targets.log.empty());
}

TEST(VelkRenderRun, AProtectedDocumentNeedsItsPasswordAsTheViewerChecksIt) {
    vlkw::DocumentDescription protectedReport = ThreePages();
    protectedReport.password = "secret";
    const struct {
        std::vector<std::string> arguments;
        ExitCode code;
        std::vector<std::string> errors;
    } cases[] = {
        {{kReport},
         ExitCode::Password,
         {"This document is password protected.\nPlease type in your password\n"
          "(give it with --password)"}},
        {{"--password", "secrets", kReport},
         ExitCode::Password,
         {"Invalid Password.\nUnable to display document."}},
        {{"--password", " secret", kReport},
         ExitCode::Password,
         {"Invalid Password.\nUnable to display document."}},
        {{"--password", "secret", kReport}, ExitCode::Rendered, {}},
        // Blanks after it are ignored, as in the password dialog.
        {{"--password", "secret   ", kReport}, ExitCode::Rendered, {}},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.add(kReport, protectedReport);
        EXPECT_EQ(f.run(c.arguments), c.code) << c.arguments[1];
        EXPECT_EQ(f.output.errors, c.errors) << c.arguments[1];
        EXPECT_EQ(f.output.files.size(), c.code == ExitCode::Rendered ? 3u : 0u);
    }
}

TEST(VelkRenderRun, ScreenPagesAreSizedByTheirOwnPaperAndNamedByNumber) {
    Fixture f;
    f.add(kReport, ThreePages());
    EXPECT_EQ(f.run({"--pages", "2-3", "--out-dir", "out", kReport}), ExitCode::Rendered);
    EXPECT_EQ(f.targets.log, (std::vector<std::string>{
                                 "page 1124x795 at 96x96",
                                 "copy 1,1 1123x794 to 1123x794",
                                 "page 817x1057 at 96x96",
                                 "copy 1,1 816x1056 to 816x1056",
                             }));
    ASSERT_EQ(f.output.files.size(), 2u);
    EXPECT_EQ(PngSize(f.output.files.at("out/report-2.png")), std::make_pair(1123u, 794u));
    EXPECT_EQ(PngSize(f.output.files.at("out/report-3.png")), std::make_pair(816u, 1056u));
    // Each page drew its own text, one inch in at 96 dpi, and the page number it was asked for.
    ASSERT_EQ(f.targets.pageTraces.size(), 2u);
    EXPECT_EQ(CallsOf(f.targets.pageTraces[0], "TextOut"),
              std::vector<std::string>{"TextOut 96 96 \"two\""});
    EXPECT_EQ(CallsOf(f.targets.pageTraces[1], "TextOut"),
              std::vector<std::string>{"TextOut 96 96 \"three\""});
}

TEST(VelkRenderRun, ZoomAndFullSizeDrawingShapeTheScreenPage) {
    const struct {
        std::int32_t renderOptions;
        const char* zoom;
        std::vector<std::string> log;
        const char* text;
    } cases[] = {
        {0,
         "50",
         {"page 409x529 at 96x96", "copy 1,1 408x528 to 408x528"},
         "TextOut 48 48 \"one\""},
        {0,
         "200",
         {"page 1633x2113 at 96x96", "copy 1,1 1632x2112 to 1632x2112"},
         "TextOut 192 192 \"one\""},
        // Drawn at 100 % and shrunk on the copy.
        {2048,
         "50",
         {"page 818x1058 at 96x96", "copy 2,2 816x1056 to 408x528"},
         "TextOut 96 96 \"one\""},
    };
    for (const auto& c : cases) {
        Fixture f;
        vlkw::DocumentDescription one = DocumentOf({TextPage("one")});
        one.renderOptions = c.renderOptions;
        f.add(kReport, one);
        EXPECT_EQ(f.run({"--zoom", c.zoom, kReport}), ExitCode::Rendered);
        EXPECT_EQ(f.targets.log, c.log) << c.zoom;
        ASSERT_EQ(f.targets.pageTraces.size(), 1u);
        EXPECT_EQ(CallsOf(f.targets.pageTraces[0], "TextOut"), std::vector<std::string>{c.text});
    }
}

TEST(VelkRenderRun, PagesTheDocumentLacksEndTheRunBeforeAnythingIsDrawn) {
    const struct {
        vlkw::DocumentDescription document;
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {ThreePages(),
         {"--pages", "2,4", kReport},
         "Page 4 is not in C:\\docs\\report.vlk (3 pages)"},
        {ThreePages(),
         {"--pages", "5-", kReport},
         "Page 5 is not in C:\\docs\\report.vlk (3 pages)"},
        {DocumentOf({}), {kReport}, "C:\\docs\\report.vlk has no pages"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.add(kReport, c.document);
        EXPECT_EQ(f.run(c.arguments), ExitCode::NoSuchPage);
        EXPECT_EQ(f.output.errors, std::vector<std::string>{c.error});
        EXPECT_TRUE(f.targets.log.empty());
        EXPECT_TRUE(f.output.files.empty());
    }
}

TEST(VelkRenderRun, ThePdfIsOneDocumentWithEveryPageAppliedToThePrinterInTheOrderAsked) {
    Fixture f;
    f.add(kReport, ThreePages());
    EXPECT_EQ(f.run({"--pdf", "out.pdf", "--pages", "3,2", kReport}), ExitCode::Rendered);
    EXPECT_EQ(f.targets.log, std::vector<std::string>{"pdf out.pdf at 600"});
    EXPECT_TRUE(f.output.files.empty());
    const auto& trace = f.targets.printerTrace;
    const auto job = [&trace](const std::string& call) {
        std::vector<std::string> found;
        for (const auto& line : trace) {
            if (line.rfind(call, 0) == 0) {
                found.push_back(line);
            }
        }
        return found;
    };
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front(), "StartDoc \"Render Test\"");
    EXPECT_EQ(trace.back(), "EndDoc");
    // Page 3 (Letter, portrait) and then page 2 (A4, landscape), each applied before it
    // starts, and each ended by the run.
    EXPECT_EQ(job("ResetDC"),
              (std::vector<std::string>{
                  "ResetDC bytes=20122 fields=0x00000203 orientation=1 papersize=1 defaultsource=7",
                  "ResetDC bytes=20122 fields=0x00000203 orientation=2 papersize=9 defaultsource=7",
              }));
    EXPECT_EQ(job("StartPage").size(), 2u);
    EXPECT_EQ(job("EndPage").size(), 2u);
    // The blank every printed page starts with, then the page's text at 600 dpi.
    EXPECT_EQ(job("TextOut"),
              (std::vector<std::string>{"TextOut 0 0 \" \"", "TextOut 600 600 \"three\"",
                                        "TextOut 0 0 \" \"", "TextOut 600 600 \"two\""}));
    std::vector<std::string> order;
    for (const auto& line : trace) {
        for (const char* call : {"ResetDC", "StartPage", "EndPage"}) {
            if (line.rfind(call, 0) == 0) {
                order.push_back(call);
            }
        }
    }
    EXPECT_EQ(order, (std::vector<std::string>{"ResetDC", "StartPage", "EndPage", "ResetDC",
                                               "StartPage", "EndPage"}));
}

TEST(VelkRenderRun, OutputThatCannotBeMadeOrWrittenEndsTheRunWithItsName) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        bool createFails;
        bool closeFails;
        bool rasterFails;
        int endDocResult;
        std::string error;
    } cases[] = {
        {"png not made",
         {"--out-dir", "out", kReport},
         true,
         false,
         false,
         1,
         "Unable to write out/report-1.png"},
        {"png not written",
         {"--out-dir", "out", kReport},
         false,
         true,
         false,
         1,
         "Unable to write out/report-1.png"},
        {"page too large",
         {kReport},
         false,
         false,
         true,
         1,
         "Page 1 is too large to draw at this resolution and zoom"},
        {"pdf not finished",
         {"--pdf", "out.pdf", kReport},
         false,
         false,
         false,
         -1,
         "Unable to write out.pdf"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.add(kReport, ThreePages());
        f.output.createFails = c.createFails;
        f.output.closeFails = c.closeFails;
        f.targets.rasterFails = c.rasterFails;
        f.targets.endDocResult = c.endDocResult;
        EXPECT_EQ(f.run(c.arguments), ExitCode::OutputFailed) << c.name;
        EXPECT_EQ(f.output.errors, std::vector<std::string>{c.error}) << c.name;
    }
}

TEST(VelkRenderRun, ABuildWithoutPdfOutputRefusesPdfBeforeOpeningAnything) {
    Fixture f;
    f.targets.pdf = false;
    EXPECT_EQ(f.run({"--pdf", "out.pdf", "C:\\docs\\none.vlk"}), ExitCode::Usage);
    EXPECT_EQ(f.output.errors,
              std::vector<std::string>{"velk-render: --pdf is not available in this build"});
}

TEST(VelkRenderRun, LongRunsOnATerminalShowProgressAfterEveryPage) {
    const struct {
        std::size_t pages;
        bool terminal;
        std::size_t lines; // progress lines, the closing one included
    } cases[] = {{12, true, 13}, {10, true, 11}, {9, true, 0}, {12, false, 0}};
    for (const auto& c : cases) {
        Fixture f;
        f.terminal = c.terminal;
        f.add(kReport, DocumentOf(std::vector<std::vector<std::uint8_t>>(c.pages, TextPage("x"))));
        EXPECT_EQ(f.run({kReport}), ExitCode::Rendered);
        EXPECT_EQ(f.output.progressLines.size(), c.lines) << c.pages << " " << c.terminal;
        if (c.lines > 0) {
            EXPECT_EQ(f.output.progressLines.front(), "1/" + std::to_string(c.pages) + " page 1");
            EXPECT_EQ(f.output.progressLines[c.pages - 1], std::to_string(c.pages) + "/" +
                                                               std::to_string(c.pages) + " page " +
                                                               std::to_string(c.pages));
            EXPECT_EQ(f.output.progressLines.back(), "end");
        }
    }
}

TEST(VelkRenderRun, ASelfExtractingViewerIsReadFromItsOwnDocument) {
    Fixture f;
    const std::vector<std::uint8_t> stub(5000, 'M');
    f.files.add("C:\\docs\\viewer.exe",
                vlkw::WriteSelfExtracting(stub, vlkw::WriteDocument(ThreePages())));
    EXPECT_EQ(f.run({"--pages", "2", "--out-dir", "out", "C:\\docs\\viewer.exe"}),
              ExitCode::Rendered);
    EXPECT_EQ(f.output.errors, std::vector<std::string>{});
    ASSERT_EQ(f.output.files.count("out/viewer-2.png"), 1u);
    ASSERT_EQ(f.targets.pageTraces.size(), 1u);
    EXPECT_EQ(CallsOf(f.targets.pageTraces[0], "TextOut"),
              std::vector<std::string>{"TextOut 96 96 \"two\""});
}

TEST(VelkRenderRun, AMessageThePageWouldShowGoesToStandardErrorWithItsPage) {
    Fixture f;
    f.add(kReport, DocumentOf({TextPage("fine"), PageBuilder{}.code(17).bytes()}));
    EXPECT_EQ(f.run({kReport}), ExitCode::Rendered);
    ASSERT_EQ(f.output.errors.size(), 1u);
    const std::string& error = f.output.errors[0];
    EXPECT_EQ(error.rfind("Page 2: velk has encountered a code that is not designed to handle.", 0),
              0u);
    EXPECT_EQ(error.find('\r'), std::string::npos);
    EXPECT_NE(error.find("\n1. The print-preview may be corrupt."), std::string::npos);
    EXPECT_EQ(f.output.files.size(), 2u);
}

} // namespace
} // namespace velk::cli
