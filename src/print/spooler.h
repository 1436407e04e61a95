#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace velk {

class SurfaceBackend;

// A printer device context, drawn on through the renderer's surface; it is deleted with it.
using PrinterDevice = std::unique_ptr<SurfaceBackend>;

// Print dialog flags: help button, no print-to-file box, return a device context, no selection.
inline constexpr std::uint32_t kPrintDialogFlags = 0x800 | 0x100000 | 0x100 | 0x4;

// The print dialog's record as the job fills it in. The page fields are the dialog's own 16-bit
// ones. The two handles are those the last confirmed dialog of the run returned (0 at first),
// so that the dialog reopens with the printer and settings chosen then.
struct PrintDialogRequest {
    std::uint32_t flags = kPrintDialogFlags;
    std::uint16_t fromPage = 1;
    std::uint16_t toPage = 1;
    std::uint16_t minPage = 1;
    std::uint16_t maxPage = 1;
    std::uint16_t copies = 1;
    std::uintptr_t devModeHandle = 0;
    std::uintptr_t devNamesHandle = 0;
};

enum class PrintDialogChoice { Print, Cancelled, Failed };

// What the reader chose in the print dialog.
struct PrintChoices {
    bool allPages = true; // the range left at "All"
    std::uint16_t fromPage = 0;
    std::uint16_t toPage = 0;
    std::uint16_t copies = 1;
    std::uintptr_t devModeHandle = 0;
    std::uintptr_t devNamesHandle = 0;
    // The printer chosen, and the device mode the dialog holds for it.
    std::string printerName;
    std::vector<std::uint8_t> deviceMode;
};

struct PrintDialogAnswer {
    PrintDialogChoice choice = PrintDialogChoice::Cancelled;
    // Set when the reader pressed Print.
    PrinterDevice device;
    PrintChoices chosen;
};

// The system's spooler as a print job uses it. At most one printer is open at a time.
class Spooler {
  public:
    virtual ~Spooler() = default;
    // OpenPrinter with all-zero defaults; false when the printer cannot be opened.
    virtual bool openPrinter(const std::string& name) = 0;
    // DocumentProperties without buffers: the size of the driver's device mode, below 1 when
    // the driver does not answer.
    virtual std::int32_t deviceModeSize() = 0;
    // DocumentProperties with DM_OUT_BUFFER: the driver's default device mode into `out`.
    virtual bool defaultDeviceMode(std::span<std::uint8_t> out) = 0;
    virtual void closePrinter() = 0;
    virtual PrintDialogAnswer printDialog(const PrintDialogRequest& request) = 0;
    // A device context for the named printer, with no output port; null on failure.
    virtual PrinterDevice createDC(const std::string& printerName) = 0;
};

} // namespace velk
