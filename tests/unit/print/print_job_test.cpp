#include "print/print_job.h"
#include "support/render_harness.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velk {
namespace {

using testing::CallsOf;
using testing::DocumentOf;
using testing::FakeProfile;
using testing::RenderHarness;
using testing::ShownMessage;
using vlkw::PageBuilder;

constexpr std::uint8_t kDriverMark = 0x5A;

// What reached the spooler and the printer, in order.
struct SpoolerLog {
    std::vector<std::string> calls;
    std::vector<std::string> printed;              // the device's trace once it is deleted
    std::vector<std::vector<std::uint8_t>> resets; // each device mode handed to ResetDC
};

class FakePrinter : public RecordingSurface {
  public:
    explicit FakePrinter(SpoolerLog& log) : log_(log) {
        caps[DeviceCap::LogPixelsX] = 600;
        caps[DeviceCap::LogPixelsY] = 300;
        caps[DeviceCap::PhysicalOffsetX] = 25;
        caps[DeviceCap::PhysicalOffsetY] = 40;
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

// A driver device mode of `size` bytes: portrait Letter from the upper bin with every field
// set, and a mark in its last byte.
std::vector<std::uint8_t> DriverDeviceMode(std::size_t size) {
    std::vector<std::uint8_t> mode(size, 0);
    mode[40] = 0xFF;
    mode[41] = 0xFF;
    mode[44] = 1;
    mode[46] = 1;
    mode[56] = 1;
    mode.back() = kDriverMark;
    return mode;
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
    PrintDialogAnswer answer; // choice and device are filled in when asked
    std::vector<PrintDialogRequest> requests;

    FakeSpooler() {
        answer.printerName = "PDF";
        answer.devModeHandle = 0x1111;
        answer.devNamesHandle = 0x2222;
    }

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
        PrintDialogAnswer given;
        given.choice = choice;
        if (choice == PrintDialogChoice::Print) {
            given.allPages = answer.allPages;
            given.fromPage = answer.fromPage;
            given.toPage = answer.toPage;
            given.copies = answer.copies;
            given.devModeHandle = answer.devModeHandle;
            given.devNamesHandle = answer.devNamesHandle;
            given.printerName = answer.printerName;
            given.deviceMode = answer.deviceMode;
            if (dialogReturnsDc) {
                given.device = std::make_unique<FakePrinter>(log);
            }
        }
        return given;
    }
    PrinterDevice createDC(const std::string& printerName) override {
        log.calls.push_back("CreateDC " + printerName);
        if (!createSucceeds) {
            return nullptr;
        }
        return std::make_unique<FakePrinter>(log);
    }
};

class FakeWindow : public PrintWindow {
  public:
    double shownZoom = 1.5;
    std::vector<std::string> events;
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

vlkw::PageSetup WrittenSetup(std::int16_t paper, std::int16_t orientation, std::int16_t bin) {
    vlkw::PageSetup setup;
    setup.paperSize = paper;
    setup.orientation = orientation;
    setup.bin = bin;
    return setup;
}

std::vector<std::uint8_t> NumberedPage(int number, const vlkw::PageSetup& setup = {}) {
    return PageBuilder{setup}.text(1, 1, 0, "page " + std::to_string(number)).bytes();
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
    FakeProfile profile;
    FakeSpooler spooler;
    PrintJobs jobs{render.services(), profile, spooler};

    explicit PrintHarness(const vlkw::DocumentDescription& document) : render(document) {
        profile.values["WINDOWS/DEVICE"] = "PDF,wineps.drv,CUPS:PDF";
    }
    PrintOutcome print(bool printAll, PrintWindow* window = nullptr) {
        return jobs.PrintDocument(printAll, window);
    }
    std::vector<std::string> printed(const std::string& call) const {
        return CallsOf(spooler.log.printed, call);
    }
    // The page calls of the spooled document, without what the pages draw.
    std::vector<std::string> pageCalls() const {
        std::vector<std::string> calls;
        for (const auto& line : spooler.log.printed) {
            for (const char* call : {"StartDoc ", "ResetDC ", "StartPage", "EndPage", "EndDoc"}) {
                if (line.rfind(call, 0) == 0) {
                    calls.push_back(line);
                }
            }
        }
        return calls;
    }
};

TEST(PrintJob, TheDefaultPrinterIsTheDeviceSettingBeforeItsFirstComma) {
    const std::string longName(300, 'P');
    const struct {
        std::string device;
        std::string opened; // empty: the reader is told there is no printer
    } cases[] = {
        {"PDF,wineps.drv,CUPS:PDF", "PDF"},
        {"Office Laser,drv,LPT1:", "Office Laser"},
        {"PDF", ""},
        {"", ""},
        {",wineps.drv,CUPS:PDF", ""},
        {"   ,wineps.drv", ""},
        {std::string("PDF\0,drv", 8), ""},
        {std::string(255, 'P') + ",drv", std::string(255, 'P')},
        {longName + ",drv", std::string(255, 'P')},
    };
    for (const auto& c : cases) {
        PrintHarness h(Pages(1));
        h.profile.values["WINDOWS/DEVICE"] = c.device;
        const PrintOutcome outcome = h.print(true);
        if (c.opened.empty()) {
            EXPECT_EQ(outcome, PrintOutcome::NoPrinter) << c.device;
            EXPECT_TRUE(h.spooler.log.calls.empty()) << c.device;
            EXPECT_EQ(h.render.messages.shown,
                      (std::vector<ShownMessage>{{kNoPrinterMessage, "Render Test", 0x40}}));
        } else {
            EXPECT_EQ(outcome, PrintOutcome::Printed) << c.device;
            EXPECT_EQ(h.spooler.log.calls.front(), "OpenPrinter " + c.opened);
            EXPECT_EQ(h.spooler.log.calls.at(3), "CreateDC " + c.opened);
            EXPECT_TRUE(h.render.messages.shown.empty());
        }
    }
}

TEST(PrintJob, EachPagePrintsOnItsOwnPaperFromATemplateInPageOnesOrientation) {
    PrintHarness h(DocumentOf({NumberedPage(1, WrittenSetup(0, 1, 0)),
                               NumberedPage(2, WrittenSetup(99, 0, 15)),
                               NumberedPage(3, WrittenSetup(25, 2, 14))}));
    FakeWindow window;
    EXPECT_EQ(h.print(false, &window), PrintOutcome::Printed);

    EXPECT_EQ(h.spooler.log.calls,
              (std::vector<std::string>{"OpenPrinter PDF", "DocumentProperties size",
                                        "DocumentProperties out 20122", "PrintDlg", "DeleteDC",
                                        "ClosePrinter"}));
    const PrintDialogRequest& dialog = h.spooler.requests.at(0);
    EXPECT_EQ(dialog.flags, 0x100904u);
    EXPECT_EQ(std::vector<int>(
                  {dialog.fromPage, dialog.toPage, dialog.minPage, dialog.maxPage, dialog.copies}),
              std::vector<int>({1, 3, 1, 3, 1}));
    EXPECT_EQ(dialog.devModeHandle, 0u);

    const std::string reset = "ResetDC bytes=20122 fields=";
    EXPECT_EQ(
        h.pageCalls(),
        (std::vector<std::string>{
            "StartDoc \"Render Test\"",
            reset + "0x00000001 orientation=2 papersize=1 defaultsource=1",
            reset + "0x00000203 orientation=2 papersize=1 defaultsource=7", "StartPage", "EndPage",
            reset + "0x00000203 orientation=1 papersize=1 defaultsource=7", "StartPage", "EndPage",
            reset + "0x00000203 orientation=1 papersize=25 defaultsource=14", "StartPage",
            "EndPage", "EndDoc"}));
    EXPECT_EQ(window.events, (std::vector<std::string>{"zoom 1.00", "wait", "1 of 3", "2 of 3",
                                                       "3 of 3", "status", "arrow", "zoom 1.50"}));
}

TEST(PrintJob, PagesAreDrawnAtThePrintersResolutionFromThePapersEdge) {
    PrintHarness h(Pages(1));
    h.print(true);
    // What RenderPage draws for that page at 600 x 300 dpi, moved by the physical offsets.
    RenderHarness alone(Pages(1));
    RenderTarget target = alone.printerTarget(600, -25, -40);
    target.dpiY = 300;
    alone.recorder.caps[DeviceCap::LogPixelsY] = 300;
    alone.recorder.recordQueries = false;
    RenderServices services = alone.services();
    RenderPage(services, 1, target);
    const auto expected = CallsOf(alone.recorder.lines(), "TextOut");
    EXPECT_EQ(h.printed("TextOut"), expected);
    EXPECT_NE(expected, CallsOf(alone.renderPrinter(1, 600, 0, 0), "TextOut"));
}

TEST(PrintJob, ARangeWithCopiesPrintsTheWholeRangeOncePerCopyInOneDocument) {
    PrintHarness h(Pages(5));
    h.spooler.answer.allPages = false;
    h.spooler.answer.fromPage = 2;
    h.spooler.answer.toPage = 4;
    h.spooler.answer.copies = 2;
    FakeWindow window;
    h.print(false, &window);
    std::vector<std::string> texts;
    for (const auto& line : h.printed("TextOut")) {
        if (line.find("page") != std::string::npos) {
            texts.push_back(line.substr(line.find('"')));
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"\"page 2\"", "\"page 3\"", "\"page 4\"",
                                               "\"page 2\"", "\"page 3\"", "\"page 4\""}));
    EXPECT_EQ(h.printed("StartDoc").size(), 1u);
    EXPECT_EQ(h.printed("EndDoc").size(), 1u);
    EXPECT_EQ(
        std::vector<std::string>(window.events.begin() + 2, window.events.end() - 3),
        (std::vector<std::string>{"2 of 4", "3 of 4", "4 of 4", "2 of 4", "3 of 4", "4 of 4"}));
}

TEST(PrintJob, EndsWithoutPrintingWhenThereIsNoDeviceContext) {
    const struct {
        const char* name;
        bool printAll;
        PrintDialogChoice choice;
        bool dialogDc;
        bool createDc;
        PrintOutcome outcome;
        const char* lastCall;
    } cases[] = {
        {"cancelled", false, PrintDialogChoice::Cancelled, true, true, PrintOutcome::Cancelled,
         "PrintDlg"},
        {"dialog failed", false, PrintDialogChoice::Failed, true, true, PrintOutcome::NotStarted,
         "PrintDlg"},
        {"dialog without dc", false, PrintDialogChoice::Print, false, true,
         PrintOutcome::NotStarted, "PrintDlg"},
        {"no dc for print all", true, PrintDialogChoice::Print, true, false,
         PrintOutcome::NotStarted, "CreateDC PDF"},
    };
    for (const auto& c : cases) {
        PrintHarness h(Pages(2));
        h.spooler.choice = c.choice;
        h.spooler.dialogReturnsDc = c.dialogDc;
        h.spooler.createSucceeds = c.createDc;
        FakeWindow window;
        EXPECT_EQ(h.print(c.printAll, &window), c.outcome) << c.name;
        EXPECT_EQ(
            h.spooler.log.calls,
            (std::vector<std::string>{"OpenPrinter PDF", "DocumentProperties size",
                                      "DocumentProperties out 20122", c.lastCall, "ClosePrinter"}))
            << c.name;
        EXPECT_TRUE(h.render.messages.shown.empty()) << c.name;
        EXPECT_TRUE(window.events.empty()) << c.name;
    }
}

TEST(PrintJob, WithoutADriverDeviceModeThePrinterKeepsItsSettings) {
    const struct {
        const char* name;
        bool opens;
        std::int32_t driverSize;
        bool driverAnswers;
    } cases[] = {
        {"printer not opened", false, 20122, true},
        {"no size", true, -1, true},
        {"no device mode", true, 20122, false},
    };
    for (const auto& c : cases) {
        PrintHarness h(DocumentOf({NumberedPage(1, WrittenSetup(9, 1, 3))}));
        h.spooler.opens = c.opens;
        h.spooler.driverSize = c.driverSize;
        h.spooler.driverAnswers = c.driverAnswers;
        EXPECT_EQ(h.print(true), PrintOutcome::Printed) << c.name;
        EXPECT_TRUE(h.spooler.log.resets.empty()) << c.name;
        EXPECT_EQ(h.pageCalls(), (std::vector<std::string>{"StartDoc \"Render Test\"", "StartPage",
                                                           "EndPage", "EndDoc"}))
            << c.name;
        EXPECT_EQ(h.spooler.log.calls.back(), c.opens ? "ClosePrinter" : "DeleteDC") << c.name;
    }
}

TEST(PrintJob, ADeviceModeLargerThanTheBufferIsHandedOverWhole) {
    const struct {
        const char* name;
        std::int32_t driverSize;
        std::string chosenPrinter;
        std::size_t dialogModeSize;
        std::size_t expected;
        std::int16_t orientation; // page 1's, and so the template's
    } cases[] = {
        {"default printer's driver", 30000, "PDF", 0, 30000, 2},
        {"small driver", 1000, "PDF", 0, 20122, 1},
        {"printer chosen in the dialog", 20122, "Other", 25000, 25000, 2},
    };
    for (const auto& c : cases) {
        PrintHarness h(
            DocumentOf({NumberedPage(1, WrittenSetup(9, c.orientation == 2 ? 1 : 0, 3))}));
        h.spooler.driverSize = c.driverSize;
        h.spooler.answer.printerName = c.chosenPrinter;
        if (c.dialogModeSize > 0) {
            h.spooler.answer.deviceMode = DriverDeviceMode(c.dialogModeSize);
        }
        h.print(false);
        ASSERT_EQ(h.spooler.log.resets.size(), 2u) << c.name;
        for (const auto& reset : h.spooler.log.resets) {
            ASSERT_EQ(reset.size(), c.expected) << c.name;
            const std::size_t markAt =
                std::max<std::size_t>(c.dialogModeSize, static_cast<std::size_t>(c.driverSize));
            EXPECT_EQ(reset[std::min(markAt, c.expected) - 1], kDriverMark) << c.name;
            // What the driver did not fill stays zero.
            EXPECT_EQ(reset.back(), markAt < c.expected ? 0 : kDriverMark) << c.name;
        }
        EXPECT_EQ(h.printed("ResetDC").at(0),
                  "ResetDC bytes=" + std::to_string(c.expected) +
                      " fields=0x00000001 orientation=" + std::to_string(c.orientation) +
                      " papersize=1 defaultsource=1")
            << c.name;
        EXPECT_EQ(h.printed("ResetDC").at(1),
                  "ResetDC bytes=" + std::to_string(c.expected) +
                      " fields=0x00000203 orientation=" + std::to_string(c.orientation) +
                      " papersize=9 defaultsource=3")
            << c.name;
    }
}

TEST(PrintJob, TheNextDialogStartsFromWhatTheLastOneReturned) {
    PrintHarness h(Pages(2));
    h.print(false);
    h.spooler.choice = PrintDialogChoice::Cancelled;
    h.print(false);
    h.spooler.choice = PrintDialogChoice::Print;
    h.print(false);
    ASSERT_EQ(h.spooler.requests.size(), 3u);
    EXPECT_EQ(h.spooler.requests[0].devModeHandle, 0u);
    for (int i : {1, 2}) {
        EXPECT_EQ(h.spooler.requests[i].devModeHandle, 0x1111u);
        EXPECT_EQ(h.spooler.requests[i].devNamesHandle, 0x2222u);
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
    const struct {
        std::string title;
        std::string name;
    } cases[] = {
        {"  Quarterly report  ", "Quarterly report"},
        {"    ", "velk Document"},
        {"", "velk Document"},
        {std::string(300, 'T'), std::string(255, 'T')},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JobName(c.title), c.name);
    }
}

} // namespace
} // namespace velk
