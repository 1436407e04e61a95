#include "print/print_job.h"
#include "support/render_harness.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::CallsAmong;
using testing::CallsOf;
using testing::DocumentOf;
using testing::RenderHarness;
using Lines = std::vector<std::string>;

constexpr std::uint8_t kDriverMark = 0x5A;

// What reached the spooler and the printer, in order.
struct SpoolerLog {
    Lines calls;
    Lines printed;                                 // the device's trace once it is deleted
    std::vector<std::vector<std::uint8_t>> resets; // each device mode handed to ResetDC
};

class FakePrinter : public RecordingSurface {
  public:
    explicit FakePrinter(SpoolerLog& log) : log_(log) {
        caps = {{DeviceCap::LogPixelsX, 600},
                {DeviceCap::LogPixelsY, 300},
                {DeviceCap::PhysicalOffsetX, 25},
                {DeviceCap::PhysicalOffsetY, 40}};
        recordQueries = false;
    }
    ~FakePrinter() override {
        log_.printed = lines();
        log_.calls.push_back("DeleteDC");
    }
    bool resetDC(std::span<const std::uint8_t> devmode) override {
        log_.resets.emplace_back(devmode.begin(), devmode.end());
        return RecordingSurface::resetDC(devmode);
    }

  private:
    SpoolerLog& log_;
};

// A driver's device mode: portrait Letter from the upper bin with every field set, and a mark
// in its last byte.
std::vector<std::uint8_t> DriverDeviceMode(std::size_t size) {
    std::vector<std::uint8_t> mode(size, 0);
    mode[40] = mode[41] = 0xFF;
    mode[44] = mode[46] = mode[56] = 1;
    mode.back() = kDriverMark;
    return mode;
}

PrintChoices DialogChoices() {
    PrintChoices chosen;
    chosen.devModeHandle = 0x1111;
    chosen.devNamesHandle = 0x2222;
    chosen.printerName = "PDF";
    return chosen;
}

class FakeSpooler : public Spooler {
  public:
    SpoolerLog log;
    bool opens = true;
    std::int32_t driverSize = 20122;
    bool driverAnswers = true;
    PrintDialogChoice choice = PrintDialogChoice::Print;
    bool dialogReturnsDc = true;
    bool createSucceeds = true;
    PrintChoices chosen = DialogChoices();
    std::vector<PrintDialogRequest> requests;

    bool openPrinter(const std::string& name) override {
        log.calls.push_back("OpenPrinter " + name);
        return opens;
    }
    std::int32_t deviceModeSize() override {
        log.calls.push_back("DocumentProperties size");
        return driverSize;
    }
    bool defaultDeviceMode(std::span<std::uint8_t> out) override {
        log.calls.push_back("DocumentProperties out " + std::to_string(out.size()));
        const auto mode = DriverDeviceMode(out.size());
        std::copy(mode.begin(), mode.end(), out.begin());
        return driverAnswers;
    }
    void closePrinter() override { log.calls.push_back("ClosePrinter"); }
    PrintDialogAnswer printDialog(const PrintDialogRequest& request) override {
        requests.push_back(request);
        log.calls.push_back("PrintDlg");
        PrintDialogAnswer answer;
        answer.choice = choice;
        answer.chosen = chosen;
        if (choice == PrintDialogChoice::Print && dialogReturnsDc) {
            answer.device = std::make_unique<FakePrinter>(log);
        }
        return answer;
    }
    PrinterDevice createDC(const std::string& printerName) override {
        log.calls.push_back("CreateDC " + printerName);
        return createSucceeds ? std::make_unique<FakePrinter>(log) : nullptr;
    }
};

class FakeWindow : public PrintWindow {
  public:
    double shownZoom = 1.5;
    Lines events;
    double zoom() override { return shownZoom; }
    void setZoom(double zoom) override {
        shownZoom = zoom;
        events.push_back("zoom " + std::to_string(zoom).substr(0, 4));
    }
    void showBusy(bool busy) override { events.push_back(busy ? "wait" : "arrow"); }
    void showPagePrinting(std::int32_t page, std::int32_t lastPage) override {
        events.push_back(std::to_string(page) + " of " + std::to_string(lastPage));
    }
    void showNormalStatus() override { events.push_back("status"); }
};

std::vector<std::uint8_t> NumberedPage(int number, std::int16_t paper = 1,
                                       std::int16_t orientation = 0, std::int16_t bin = 0) {
    const vlkw::PageSetup setup{.paperSize = paper, .orientation = orientation, .bin = bin};
    return vlkw::PageBuilder{setup}.text(1, 1, 0, "page " + std::to_string(number)).bytes();
}

vlkw::DocumentDescription Pages(int count) {
    std::vector<std::vector<std::uint8_t>> pages;
    for (int page = 1; page <= count; ++page) {
        pages.push_back(NumberedPage(page));
    }
    return DocumentOf(std::move(pages));
}

// One document, its printer and the job, with the default printer "PDF".
struct PrintHarness {
    RenderHarness render;
    testing::FakeProfile profile;
    FakeSpooler spooler;
    PrintJobs jobs{render.services(), profile, spooler};

    explicit PrintHarness(const vlkw::DocumentDescription& document) : render(document) {
        profile.values["WINDOWS/DEVICE"] = "PDF,wineps.drv,CUPS:PDF";
    }
    PrintOutcome print(bool printAll, PrintWindow* window = nullptr) {
        return jobs.PrintDocument(printAll, window);
    }
    Lines printed(const std::string& call) const { return CallsOf(spooler.log.printed, call); }
    // The page calls of the spooled document, without what the pages draw.
    Lines pageCalls() const {
        return CallsAmong(spooler.log.printed,
                          {"StartDoc", "ResetDC", "StartPage", "EndPage", "EndDoc"});
    }
};

TEST(PrintJob, TheDefaultPrinterIsTheDeviceSettingBeforeItsFirstComma) {
    const std::string name255(255, 'P');
    // opened empty: the reader is told there is no printer
    const std::pair<std::string, std::string> cases[] = {
        {"PDF,wineps.drv,CUPS:PDF", "PDF"},
        {"Office Laser,drv,LPT1:", "Office Laser"},
        {"PDF", ""},
        {"", ""},
        {",wineps.drv,CUPS:PDF", ""},
        {"   ,wineps.drv", ""},
        {std::string("PDF\0,drv", 8), ""},
        {name255 + ",drv", name255},
        {name255 + "PPPP,drv", name255},
    };
    for (const auto& [device, opened] : cases) {
        PrintHarness h(Pages(1));
        h.profile.values["WINDOWS/DEVICE"] = device;
        const PrintOutcome outcome = h.print(true);
        const bool found = !opened.empty();
        EXPECT_EQ(outcome, found ? PrintOutcome::Printed : PrintOutcome::NoPrinter) << device;
        EXPECT_EQ(h.spooler.log.calls.empty() ? "" : h.spooler.log.calls[3],
                  found ? "CreateDC " + opened : "");
        using Shown = std::vector<testing::ShownMessage>;
        const Shown told{{kNoPrinterMessage, "Render Test", 0x40}};
        EXPECT_EQ(h.render.messages.shown, found ? Shown{} : told);
    }
}

TEST(PrintJob, EachPagePrintsOnItsOwnPaperFromATemplateInPageOnesOrientation) {
    PrintHarness h(DocumentOf(
        {NumberedPage(1, 0, 1, 0), NumberedPage(2, 99, 0, 15), NumberedPage(3, 25, 2, 14)}));
    FakeWindow window;
    EXPECT_EQ(h.print(false, &window), PrintOutcome::Printed);

    EXPECT_EQ(h.spooler.log.calls,
              (Lines{"OpenPrinter PDF", "DocumentProperties size", "DocumentProperties out 20122",
                     "PrintDlg", "DeleteDC", "ClosePrinter"}));
    const PrintDialogRequest& dialog = h.spooler.requests.at(0);
    EXPECT_EQ(dialog.flags, 0x100904u);
    EXPECT_EQ(std::vector<int>(
                  {dialog.fromPage, dialog.toPage, dialog.minPage, dialog.maxPage, dialog.copies}),
              std::vector<int>({1, 3, 1, 3, 1}));
    EXPECT_EQ(dialog.devModeHandle, 0u);

    const std::string reset = "ResetDC bytes=20122 fields=";
    EXPECT_EQ(h.pageCalls(),
              (Lines{"StartDoc \"Render Test\"",
                     reset + "0x00000001 orientation=2 papersize=1 defaultsource=1",
                     reset + "0x00000203 orientation=2 papersize=1 defaultsource=7", "StartPage",
                     "EndPage", reset + "0x00000203 orientation=1 papersize=1 defaultsource=7",
                     "StartPage", "EndPage",
                     reset + "0x00000203 orientation=1 papersize=25 defaultsource=14", "StartPage",
                     "EndPage", "EndDoc"}));
    EXPECT_EQ(window.events, (Lines{"zoom 1.00", "wait", "1 of 3", "2 of 3", "3 of 3", "status",
                                    "arrow", "zoom 1.50"}));
}

TEST(PrintJob, PagesAreDrawnAtThePrintersResolutionFromThePapersEdge) {
    PrintHarness h(Pages(1));
    h.print(true);
    // What RenderPage draws for that page at 600 x 300 dpi, moved by the physical offsets.
    RenderHarness alone(Pages(1));
    const Lines unmoved = CallsOf(alone.renderPrinter(1, 600, 0, 0), "TextOut");
    RenderTarget target = alone.printerTarget(600, -25, -40);
    target.dpiY = 300;
    const Lines expected = CallsOf(alone.render(1, target), "TextOut");
    EXPECT_EQ(h.printed("TextOut"), expected);
    EXPECT_NE(expected, unmoved);
}

TEST(PrintJob, ARangeWithCopiesPrintsTheWholeRangeOncePerCopyInOneDocument) {
    PrintHarness h(Pages(5));
    h.spooler.chosen.allPages = false;
    h.spooler.chosen.fromPage = 2;
    h.spooler.chosen.toPage = 4;
    h.spooler.chosen.copies = 2;
    FakeWindow window;
    h.print(false, &window);
    Lines texts;
    for (const auto& line : h.printed("TextOut")) {
        if (line.find("page") != std::string::npos) {
            texts.push_back(line.substr(line.find('"')));
        }
    }
    EXPECT_EQ(texts, (Lines{"\"page 2\"", "\"page 3\"", "\"page 4\"", "\"page 2\"", "\"page 3\"",
                            "\"page 4\""}));
    EXPECT_EQ(h.printed("StartDoc").size() + h.printed("EndDoc").size(), 2u);
    EXPECT_EQ(Lines(window.events.begin() + 2, window.events.end() - 3),
              (Lines{"2 of 4", "3 of 4", "4 of 4", "2 of 4", "3 of 4", "4 of 4"}));
}

TEST(PrintJob, EndsWithoutPrintingWhenThereIsNoDeviceContext) {
    using enum PrintDialogChoice;
    const std::tuple<bool, PrintDialogChoice, bool, bool, PrintOutcome, const char*> cases[] = {
        {false, Cancelled, true, true, PrintOutcome::Cancelled, "PrintDlg"},
        {false, Failed, true, true, PrintOutcome::NotStarted, "PrintDlg"},
        {false, Print, false, true, PrintOutcome::NotStarted, "PrintDlg"},
        {true, Print, true, false, PrintOutcome::NotStarted, "CreateDC PDF"},
    };
    for (const auto& [printAll, choice, dialogDc, createDc, outcome, lastCall] : cases) {
        PrintHarness h(Pages(2));
        h.spooler.choice = choice;
        h.spooler.dialogReturnsDc = dialogDc;
        h.spooler.createSucceeds = createDc;
        FakeWindow window;
        EXPECT_EQ(h.print(printAll, &window), outcome) << lastCall;
        EXPECT_EQ(h.spooler.log.calls,
                  (Lines{"OpenPrinter PDF", "DocumentProperties size",
                         "DocumentProperties out 20122", lastCall, "ClosePrinter"}));
        EXPECT_TRUE(h.render.messages.shown.empty());
        EXPECT_TRUE(window.events.empty());
    }
}

TEST(PrintJob, WithoutADriverDeviceModeThePrinterKeepsItsSettings) {
    const std::tuple<bool, std::int32_t, bool> cases[] = {
        {false, 20122, true}, {true, -1, true}, {true, 20122, false}, {true, 57, true}};
    for (const auto& [opens, driverSize, driverAnswers] : cases) {
        PrintHarness h(DocumentOf({NumberedPage(1, 9, 1, 3)}));
        h.spooler.opens = opens;
        h.spooler.driverSize = driverSize;
        h.spooler.driverAnswers = driverAnswers;
        EXPECT_EQ(h.print(true), PrintOutcome::Printed);
        EXPECT_TRUE(h.spooler.log.resets.empty());
        EXPECT_EQ(h.pageCalls(),
                  (Lines{"StartDoc \"Render Test\"", "StartPage", "EndPage", "EndDoc"}));
        EXPECT_EQ(h.spooler.log.calls.back(), opens ? "ClosePrinter" : "DeleteDC");
    }
}

TEST(PrintJob, ADeviceModeLargerThanTheBufferIsHandedOverWhole) {
    // orientation: page 1's, and so the template's
    const std::tuple<std::int32_t, std::string, std::size_t, std::size_t, std::int16_t> cases[] = {
        {30000, "PDF", 0, 30000, 2},
        {1000, "PDF", 0, 20122, 1},
        {20122, "Other", 25000, 25000, 2}, // the dialog's own device mode for another printer
    };
    for (const auto& [driverSize, chosenPrinter, dialogModeSize, expected, orientation] : cases) {
        PrintHarness h(DocumentOf({NumberedPage(1, 9, orientation == 2 ? 1 : 0, 3)}));
        h.spooler.driverSize = driverSize;
        h.spooler.chosen.printerName = chosenPrinter;
        if (dialogModeSize > 0) {
            h.spooler.chosen.deviceMode = DriverDeviceMode(dialogModeSize);
        }
        h.print(false);
        const std::size_t filled =
            std::min(std::max(dialogModeSize, std::size_t(driverSize)), expected);
        ASSERT_EQ(h.spooler.log.resets.size(), 2u);
        for (const auto& reset : h.spooler.log.resets) {
            ASSERT_EQ(reset.size(), expected);
            EXPECT_EQ(reset[filled - 1], kDriverMark);
            EXPECT_EQ(reset.back(), filled < expected ? 0 : kDriverMark);
        }
        const std::string head = "ResetDC bytes=" + std::to_string(expected) + " fields=";
        const std::string turned = " orientation=" + std::to_string(orientation);
        EXPECT_EQ(h.printed("ResetDC"),
                  (Lines{head + "0x00000001" + turned + " papersize=1 defaultsource=1",
                         head + "0x00000203" + turned + " papersize=9 defaultsource=3"}));
    }
}

TEST(PrintJob, TheNextDialogStartsFromWhatTheLastOneReturned) {
    PrintHarness h(Pages(2));
    h.print(false);
    h.spooler.choice = PrintDialogChoice::Cancelled;
    h.print(false);
    h.print(false);
    ASSERT_EQ(h.spooler.requests.size(), 3u);
    for (int i : {0, 1, 2}) {
        EXPECT_EQ(h.spooler.requests[i].devModeHandle, i == 0 ? 0u : 0x1111u);
        EXPECT_EQ(h.spooler.requests[i].devNamesHandle, i == 0 ? 0u : 0x2222u);
    }
}

TEST(PrintJob, PageNumbersAreNotLimitedToSixteenBits) {
    PrintHarness h(Pages(40000));
    EXPECT_EQ(h.print(true), PrintOutcome::Printed);
    EXPECT_EQ(h.printed("StartPage").size(), 40000u);
    EXPECT_NE(h.printed("TextOut").back().find("\"page 40000\""), std::string::npos);

    // The dialog's own fields stop at 65,535.
    PrintHarness dialog(Pages(1));
    dialog.render.document.pageCount = 70000;
    dialog.spooler.choice = PrintDialogChoice::Cancelled;
    dialog.print(false);
    EXPECT_EQ(dialog.spooler.requests.at(0).toPage, 65535);
    EXPECT_EQ(dialog.spooler.requests.at(0).maxPage, 65535);
}

TEST(PrintJob, TheJobIsNamedAfterTheTrimmedTitle) {
    EXPECT_EQ(JobName("  Quarterly report  "), "Quarterly report");
    EXPECT_EQ(JobName("    "), "velk Document");
    EXPECT_EQ(JobName(std::string(300, 'T')), std::string(255, 'T'));
}

} // namespace
} // namespace velk
