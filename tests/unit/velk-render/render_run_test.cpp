// velk-render's run: opening the document as the viewer does, choosing pages,
// sizing screen pages and driving the printer, against in-memory files and
// recording back ends.
#include "render_run.h"

#include "render/recording_surface.h"
#include "support/documents.h"
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
using testing::TextPage;
using vlkw::PageBuilder;
using Lines = std::vector<std::string>;

constexpr const char* kReport = "C:\\docs\\report.vlk";

// A recording surface that hands its calls to the test when the run lets go of
// it.
class KeptRecorder : public RecordingSurface {
  public:
    KeptRecorder(Lines& keep, std::int32_t dpi, int endDocResult)
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
    Lines& keep_;
    int endDocResult_;
};

class RecordingRaster : public RasterPage {
  public:
    RecordingRaster(Lines& log, Lines& keep, std::int32_t dpi)
        : log_(log), recorder_(keep, dpi, 1) {}
    SurfaceBackend& backend() override { return recorder_; }
    RowSource rows(const CopyRect& from, std::int32_t width, std::int32_t height) override {
        log_.push_back("copy " + std::to_string(from.x) + "," + std::to_string(from.y) + " " +
                       std::to_string(from.width) + "x" + std::to_string(from.height) + " to " +
                       std::to_string(width) + "x" + std::to_string(height));
        pixels_.assign(static_cast<std::size_t>(width), 0);
        return [this](std::int32_t) { return std::span<const std::uint32_t>(pixels_); };
    }

  private:
    Lines& log_;
    KeptRecorder recorder_;
    std::vector<std::uint32_t> pixels_;
};

enum class Fault { None, CreateFile, CloseFile, RasterPage, EndDoc };

class FakeTargets : public RenderTargets {
  public:
    bool pdf = true;
    Fault fault = Fault::None;
    Lines log;                    // pages made and copied, in order
    std::deque<Lines> pageTraces; // one per raster page
    Lines printerTrace;

    std::unique_ptr<RasterPage> rasterPage(std::int32_t width, std::int32_t height,
                                           std::int32_t dpiX, std::int32_t dpiY,
                                           bool aliasedText) override {
        log.push_back(std::string(aliasedText ? "aliased " : "") + "page " + std::to_string(width) +
                      "x" + std::to_string(height) + " at " + std::to_string(dpiX) + "x" +
                      std::to_string(dpiY));
        if (fault == Fault::RasterPage) {
            return nullptr;
        }
        pageTraces.emplace_back(); // filled in when the page is let go
        return std::make_unique<RecordingRaster>(log, pageTraces.back(), dpiX);
    }
    bool printsPdf() const override { return pdf; }
    std::unique_ptr<SurfaceBackend> pdfPrinter(const std::string& path, std::int32_t dpi) override {
        log.push_back("pdf " + path + " at " + std::to_string(dpi));
        return std::make_unique<KeptRecorder>(printerTrace, dpi, fault == Fault::EndDoc ? -1 : 1);
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
    const Fault* fault = nullptr;
    std::map<std::string, std::vector<std::uint8_t>> files;
    Lines errors;
    Lines progressLines;

    std::unique_ptr<OutputFile> createFile(const std::string& path) override {
        if (*fault == Fault::CreateFile) {
            return nullptr;
        }
        return std::make_unique<MemoryFile>(files[path], *fault == Fault::CloseFile);
    }
    void error(const std::string& text) override { errors.push_back(text); }
    void progress(std::uint64_t done, std::uint64_t total, std::int32_t page) override {
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

    Fixture() { output.fault = &targets.fault; }
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

// Letter, A4 across, Letter.
vlkw::DocumentDescription ThreePages() {
    const vlkw::PageSetup a4Landscape{.paperSize = vlkw::kPaperA4, .orientation = vlkw::kLandscape};
    const auto two = PageBuilder(a4Landscape).font(0, 10, 0, "Arial").text(1, 1, 0, "two").bytes();
    return DocumentOf({TextPage("one"), two, TextPage("three")});
}

TEST(VelkRenderRun, RunsThatEndBeforeAnythingIsDrawnGiveTheirCodeAndMessage) {
    const std::string refused = "Invalid Password.\nUnable to display document.";
    const struct {
        std::vector<std::string> arguments;
        ExitCode code;
        std::string error;
        bool pdfBuild = true; // false: refused before anything is opened
    } cases[] = {
        {{"--pdf", "out.pdf", "C:\\none.vlk"},
         ExitCode::Usage,
         "velk-render: --pdf is not available in this build",
         false},
        {{"C:\\none.vlk"}, ExitCode::NotFound, "Unable to locate file: C:\\none.vlk"},
        {{"C:\\locked.vlk"}, ExitCode::OpenFailed, "Unable to open file: C:\\locked.vlk"},
        {{"C:\\junk.vlk"},
         ExitCode::InvalidFile,
         "Invalid File: C:\\junk.vlk\nThis file isn't a velk document."},
        {{"C:\\secret.vlk"},
         ExitCode::Password,
         "This document is password protected.\nPlease type in your password\n"
         "(give it with --password)"},
        {{"--password", "secrets", "C:\\secret.vlk"}, ExitCode::Password, refused},
        {{"--password", " secret", "C:\\secret.vlk"}, ExitCode::Password, refused},
        {{"--pages", "2,4", kReport},
         ExitCode::NoSuchPage,
         "Page 4 is not in C:\\docs\\report.vlk (3 pages)"},
        {{"--pages", "5-", kReport},
         ExitCode::NoSuchPage,
         "Page 5 is not in C:\\docs\\report.vlk (3 pages)"},
        {{"C:\\empty.vlk"}, ExitCode::NoSuchPage, "C:\\empty.vlk has no pages"},
    };
    vlkw::DocumentDescription protectedReport = ThreePages();
    protectedReport.password = "secret";
    for (const auto& c : cases) {
        Fixture f;
        f.targets.pdf = c.pdfBuild;
        f.files.add("C:\\junk.vlk", std::vector<std::uint8_t>(600, 'x'));
        f.files.add("C:\\locked.vlk", vlkw::WriteDocument(ThreePages())).unopenable = true;
        f.add("C:\\secret.vlk", protectedReport);
        f.add("C:\\empty.vlk", DocumentOf({}));
        f.add(kReport, ThreePages());
        EXPECT_EQ(f.run(c.arguments), c.code) << c.error;
        EXPECT_EQ(f.output.errors, Lines{c.error});
        EXPECT_TRUE(f.targets.log.empty()) << c.error;
        EXPECT_TRUE(f.output.files.empty()) << c.error;
    }
    // The right password, blanks after it ignored as in the password dialog.
    for (const char* password : {"secret", "secret   "}) {
        Fixture f;
        f.add(kReport, protectedReport);
        EXPECT_EQ(f.run({"--password", password, kReport}), ExitCode::Rendered) << password;
        EXPECT_EQ(f.output.files.size(), 3u) << password;
    }
}

TEST(VelkRenderRun, PagesBeyondSixteenBitsAreDrawnAndNamedWithTheirOwnNumbers) {
    Fixture f;
    const auto page = PageBuilder{}.font(0, 10, 0, "Arial").pageNumber(1, 1, 0).bytes();
    f.add(kReport, DocumentOf(std::vector<std::vector<std::uint8_t>>(65536, page)));
    EXPECT_EQ(f.run({"--pages", "32767-32768,65536", "--out-dir", "out", kReport}),
              ExitCode::Rendered);
    EXPECT_EQ(f.output.errors, Lines{});
    ASSERT_EQ(f.targets.pageTraces.size(), 3u);
    const char* numbers[] = {"32767", "32768", "65536"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(f.output.files.count("out/report-" + std::string(numbers[i]) + ".png"), 1u)
            << numbers[i];
        EXPECT_EQ(CallsOf(f.targets.pageTraces[i], "TextOut"),
                  Lines{"TextOut 96 96 \"" + std::string(numbers[i]) + "\""});
    }
    EXPECT_EQ(f.run({"--pages", "65537", kReport}), ExitCode::NoSuchPage);
    EXPECT_EQ(f.output.errors.back(), "Page 65537 is not in C:\\docs\\report.vlk (65536 pages)");
}

TEST(VelkRenderRun, ScreenPagesAreSizedByTheirOwnPaperAndNamedByNumber) {
    Fixture f;
    f.add(kReport, ThreePages());
    EXPECT_EQ(f.run({"--pages", "2-3", "--out-dir", "out", kReport}), ExitCode::Rendered);
    EXPECT_EQ(f.targets.log, (Lines{"page 1124x795 at 96x96", "copy 1,1 1123x794 to 1123x794",
                                    "page 817x1057 at 96x96", "copy 1,1 816x1056 to 816x1056"}));
    EXPECT_EQ(f.output.files.size(), 2u);
    EXPECT_EQ(f.output.files.count("out/report-2.png") + f.output.files.count("out/report-3.png"),
              2u);
    // Each page drew its own text, one inch in at 96 dpi, and the page number it
    // was asked for.
    ASSERT_EQ(f.targets.pageTraces.size(), 2u);
    EXPECT_EQ(CallsOf(f.targets.pageTraces[0], "TextOut"), Lines{"TextOut 96 96 \"two\""});
    EXPECT_EQ(CallsOf(f.targets.pageTraces[1], "TextOut"), Lines{"TextOut 96 96 \"three\""});
}

// The frame's arithmetic has its own table; this is the run handing it the zoom
// and the mode, and the page the text look.
TEST(VelkRenderRun, AFullSizeDocumentBelowHundredIsDrawnAtHundredAndShrunkOnCopy) {
    Fixture f;
    vlkw::DocumentDescription one = DocumentOf({TextPage("one")});
    one.renderOptions = 2048;
    f.add(kReport, one);
    EXPECT_EQ(f.run({"--zoom", "50", "--aliased-text", kReport}), ExitCode::Rendered);
    EXPECT_EQ(f.targets.log,
              (Lines{"aliased page 818x1058 at 96x96", "copy 2,2 816x1056 to 408x528"}));
    ASSERT_EQ(f.targets.pageTraces.size(), 1u);
    EXPECT_EQ(CallsOf(f.targets.pageTraces[0], "TextOut"), Lines{"TextOut 96 96 \"one\""});
}

TEST(VelkRenderRun, ThePdfIsOneDocumentWithEveryPageAppliedToThePrinterInTheOrderAsked) {
    Fixture f;
    f.add(kReport, ThreePages());
    EXPECT_EQ(f.run({"--pdf", "out.pdf", "--pages", "3,2", kReport}), ExitCode::Rendered);
    EXPECT_EQ(f.targets.log, Lines{"pdf out.pdf at 600"});
    EXPECT_TRUE(f.output.files.empty());
    const Lines order =
        testing::CallsAmong(f.targets.printerTrace,
                            {"StartDoc", "ResetDC", "StartPage", "TextOut", "EndPage", "EndDoc"});
    // Page 3 (Letter, portrait) and then page 2 (A4, landscape), each applied
    // before it starts, given the blank every printed page starts with, and ended
    // by the run.
    EXPECT_EQ(
        order,
        (Lines{"StartDoc \"Render Test\"",
               "ResetDC bytes=20122 fields=0x00000203 orientation=1 "
               "papersize=1 defaultsource=7",
               "StartPage", "TextOut 0 0 \" \"", "TextOut 600 600 \"three\"", "EndPage",
               "ResetDC bytes=20122 fields=0x00000203 orientation=2 "
               "papersize=9 defaultsource=7",
               "StartPage", "TextOut 0 0 \" \"", "TextOut 600 600 \"two\"", "EndPage", "EndDoc"}));
}

TEST(VelkRenderRun, OutputThatCannotBeMadeOrWrittenEndsTheRunWithItsName) {
    const struct {
        const char* output;
        Fault fault;
        std::string error;
    } cases[] = {
        {"png", Fault::CreateFile, "Unable to write out/report-1.png"},
        {"png", Fault::CloseFile, "Unable to write out/report-1.png"},
        {"png", Fault::RasterPage, "Page 1 is too large to draw at this resolution and zoom"},
        {"pdf", Fault::EndDoc, "Unable to write out.pdf"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.add(kReport, ThreePages());
        f.targets.fault = c.fault;
        const bool pdf = std::string(c.output) == "pdf";
        EXPECT_EQ(f.run({pdf ? "--pdf" : "--out-dir", pdf ? "out.pdf" : "out", kReport}),
                  ExitCode::OutputFailed)
            << c.error;
        EXPECT_EQ(f.output.errors, Lines{c.error});
    }
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
            const std::string last = std::to_string(c.pages);
            EXPECT_EQ(f.output.progressLines.front(), "1/" + last + " page 1");
            EXPECT_EQ(f.output.progressLines.end()[-2], last + "/" + last + " page " + last);
            EXPECT_EQ(f.output.progressLines.back(), "end");
        }
    }
}

TEST(VelkRenderRun, ASelfExtractingViewerIsReadFromItsOwnDocument) {
    Fixture f;
    f.files.add("C:\\docs\\viewer.exe",
                vlkw::WriteSelfExtracting(std::vector<std::uint8_t>(5000, 'M'),
                                          vlkw::WriteDocument(ThreePages())));
    EXPECT_EQ(f.run({"--pages", "2", "--out-dir", "out", "C:\\docs\\viewer.exe"}),
              ExitCode::Rendered);
    ASSERT_EQ(f.output.files.count("out/viewer-2.png"), 1u);
    EXPECT_EQ(CallsOf(f.targets.pageTraces.at(0), "TextOut"), Lines{"TextOut 96 96 \"two\""});
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

TEST(VelkRenderRun, BitmapFilesOnAServerAreLookedForOnlyWhenAllowed) {
    constexpr const char* kOnServer = "\\\\host\\share\\x.bmp";
    for (const bool pdf : {false, true}) {
        for (const bool allowed : {false, true}) {
            Fixture f;
            f.add(kReport, DocumentOf({PageBuilder{}.bitmapFile({1, 1, 2, 2}, kOnServer).bytes()}));
            f.files.add(kOnServer, {'B', 'M'});
            std::vector<std::string> arguments{kReport};
            if (pdf) {
                arguments.push_back("--pdf=out.pdf");
            }
            if (allowed) {
                arguments.push_back("--allow-network-bitmaps");
            }
            ASSERT_EQ(f.run(arguments), ExitCode::Rendered);
            const Lines& trace = pdf ? f.targets.printerTrace : f.targets.pageTraces.at(0);
            EXPECT_EQ(CallsOf(trace, "LoadImage").size(), allowed ? 1u : 0u)
                << (pdf ? "pdf" : "png") << (allowed ? ", allowed" : "");
        }
    }
}

} // namespace
} // namespace velk::cli
