#include "print/print_job.h"

#include "base/ansi_text.h"
#include "base/device_settings.h"
#include "base/little_endian.h"
#include "base/user_message.h"
#include "document/document.h"
#include "render/page_setup.h"
#include "render/printer_target.h"
#include "render/surface.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace velk {

namespace {

constexpr std::uint32_t kDevmodeOrientationField = 0x1;
constexpr std::size_t kPrinterNameLimit = 255;
constexpr std::int32_t kDialogPageLimit = 65535;

// The printer before the first comma of "name,driver,port"; none when there is no comma or
// no name before it.
std::optional<std::string> DefaultPrinterName(const std::string& device) {
    const std::size_t comma = device.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    std::string name = CutTo(CutAtNul(device.substr(0, comma)), kPrinterNameLimit);
    if (name.empty()) {
        return std::nullopt;
    }
    return name;
}

// A device mode to start every page from: the driver's, in a buffer of at least the size the
// page set-up writes into, so a larger driver part is kept whole. Empty when there is none, or
// when it is too short to hold the fields a page sets.
std::vector<std::uint8_t> DeviceModeBuffer(std::span<const std::uint8_t> deviceMode) {
    if (deviceMode.size() < kDevmodeDefaultSourceOffset + 2) {
        return {};
    }
    std::vector<std::uint8_t> buffer(std::max(deviceMode.size(), kDevmodeBufferSize), 0);
    std::copy(deviceMode.begin(), deviceMode.end(), buffer.begin());
    return buffer;
}

std::vector<std::uint8_t> DriverDeviceMode(Spooler& spooler) {
    const std::int32_t size = spooler.deviceModeSize();
    if (size < 1) {
        return {};
    }
    std::vector<std::uint8_t> deviceMode(static_cast<std::size_t>(size), 0);
    if (!spooler.defaultDeviceMode(deviceMode)) {
        return {};
    }
    return DeviceModeBuffer(deviceMode);
}

// Every page starts from the orientation of page 1, and only that field is marked as set.
void ApplyFirstPage(std::vector<std::uint8_t>& deviceMode, const PageSetup& firstPage) {
    if (deviceMode.empty()) {
        return;
    }
    WriteInt32(deviceMode, kDevmodeFieldsOffset, kDevmodeOrientationField);
    WriteInt16(deviceMode, kDevmodeOrientationOffset, firstPage.orientation == 1 ? 2 : 1);
}

struct PageRange {
    std::int32_t first;
    std::int32_t last;
    std::int32_t copies;
};

PrintDialogRequest DialogRequest(std::int32_t pageCount, std::uintptr_t devMode,
                                 std::uintptr_t devNames) {
    const auto pages = static_cast<std::uint16_t>(std::clamp(pageCount, 0, kDialogPageLimit));
    PrintDialogRequest request;
    request.toPage = pages;
    request.maxPage = pages;
    request.devModeHandle = devMode;
    request.devNamesHandle = devNames;
    return request;
}

// The default printer, open for the job's whole length and closed however the job ends.
class OpenPrinter {
  public:
    OpenPrinter(Spooler& spooler, const std::string& name)
        : spooler_(spooler), open_(spooler.openPrinter(name)) {}
    ~OpenPrinter() {
        if (open_) {
            spooler_.closePrinter();
        }
    }
    OpenPrinter(const OpenPrinter&) = delete;
    OpenPrinter& operator=(const OpenPrinter&) = delete;
    bool open() const { return open_; }

  private:
    Spooler& spooler_;
    bool open_;
};

// The spooled document: every copy of the range in page order, each page drawn at the
// printer's resolution from the paper's physical edge with its own device mode.
void PrintPages(RenderServices& render, PrinterDevice& device, const PageRange& range,
                std::span<const std::uint8_t> deviceModeTemplate, PrintWindow* window) {
    Surface surface(*device);
    surface.startDoc(JobName(render.document.header.title));
    std::vector<std::uint8_t> pageDeviceMode(deviceModeTemplate.begin(), deviceModeTemplate.end());
    if (!pageDeviceMode.empty()) {
        surface.resetDC(pageDeviceMode);
    }
    const RenderTarget target = PrinterTarget(surface, pageDeviceMode);
    for (std::int32_t copy = 1; copy <= range.copies; ++copy) {
        for (std::int32_t page = range.first; page <= range.last; ++page) {
            std::copy(deviceModeTemplate.begin(), deviceModeTemplate.end(), pageDeviceMode.begin());
            if (window != nullptr) {
                window->showPagePrinting(page, range.last);
            }
            RenderPage(render, page, target);
            surface.endPage();
        }
    }
    surface.endDoc();
}

} // namespace

std::string JobName(const std::string& title) {
    const std::string name = TrimBlanks(CutAtNul(title));
    return name.empty() ? "velk Document" : CutTo(name, kPrinterNameLimit);
}

PrintOutcome PrintJobs::PrintDocument(bool printAll, PrintWindow* window) {
    Document& document = render_.document;
    const PageSetup firstPage = ReadPageSetup(document, 1);
    const auto printerName =
        DefaultPrinterName(ReadProfileString(profile_, "WINDOWS", "DEVICE", ""));
    if (!printerName) {
        ShowMessage(render_.messages, document.header.title, kNoPrinterMessage);
        return PrintOutcome::NoPrinter;
    }

    const OpenPrinter printer(spooler_, *printerName);
    std::vector<std::uint8_t> deviceModeTemplate;
    if (printer.open()) {
        deviceModeTemplate = DriverDeviceMode(spooler_);
        ApplyFirstPage(deviceModeTemplate, firstPage);
    }

    PageRange range{1, document.pageCount, 1};
    PrinterDevice device;
    if (printAll) {
        device = spooler_.createDC(*printerName);
    } else {
        PrintDialogAnswer answer = spooler_.printDialog(
            DialogRequest(document.pageCount, devModeHandle_, devNamesHandle_));
        if (answer.choice == PrintDialogChoice::Cancelled) {
            return PrintOutcome::Cancelled;
        }
        if (answer.choice == PrintDialogChoice::Failed) {
            return PrintOutcome::NotStarted;
        }
        const PrintChoices& chosen = answer.chosen;
        devModeHandle_ = chosen.devModeHandle;
        devNamesHandle_ = chosen.devNamesHandle;
        if (!chosen.allPages) {
            range.first = chosen.fromPage;
            range.last = chosen.toPage;
        }
        range.copies = chosen.copies;
        // Another driver's device mode must never reach this printer.
        if (chosen.printerName != *printerName) {
            deviceModeTemplate = DeviceModeBuffer(chosen.deviceMode);
            ApplyFirstPage(deviceModeTemplate, firstPage);
        }
        device = std::move(answer.device);
    }
    if (!device) {
        return PrintOutcome::NotStarted;
    }

    const double savedZoom = window != nullptr ? window->zoom() : 1.0;
    if (window != nullptr) {
        window->setZoom(1.0);
        window->showBusy(true);
    }
    PrintPages(render_, device, range, deviceModeTemplate, window);
    device.reset();
    if (window != nullptr) {
        window->showNormalStatus();
        window->showBusy(false);
        window->setZoom(savedZoom);
    }
    return PrintOutcome::Printed;
}

} // namespace velk
