#include "win32_spooler.h"

#include "render/gdi/gdi_surface.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>

namespace velk::win32 {

void ClosePrinterHandle::operator()(HANDLE printer) const {
    ClosePrinter(printer);
}

namespace {

// The device context is made before the surface that draws on it and deleted after it.
struct OwnedDc {
    UniqueMemoryDc dc;
};

class PrinterDc : private OwnedDc, public GdiSurface {
  public:
    explicit PrinterDc(HDC dc) : OwnedDc{UniqueMemoryDc(dc)}, GdiSurface(dc) {}
};

PrinterDevice DeviceOf(HDC dc) {
    if (dc == nullptr) {
        return nullptr;
    }
    return std::make_unique<PrinterDc>(dc);
}

// A movable global block, locked while the object lives.
template <typename T> class LockedGlobal {
  public:
    explicit LockedGlobal(HGLOBAL block)
        : block_(block), data_(block != nullptr ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
    ~LockedGlobal() {
        if (data_ != nullptr) {
            GlobalUnlock(block_);
        }
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;

    const T* get() const { return data_; }
    std::size_t size() const { return data_ != nullptr ? GlobalSize(block_) : 0; }

  private:
    HGLOBAL block_;
    T* data_;
};

std::string DeviceName(HGLOBAL devNames) {
    const LockedGlobal<DEVNAMES> names(devNames);
    if (names.get() == nullptr || names.get()->wDeviceOffset >= names.size()) {
        return {};
    }
    const char* text = reinterpret_cast<const char*>(names.get()) + names.get()->wDeviceOffset;
    return std::string(text, strnlen(text, names.size() - names.get()->wDeviceOffset));
}

std::vector<std::uint8_t> DeviceModeBytes(HGLOBAL devMode) {
    const LockedGlobal<std::uint8_t> mode(devMode);
    if (mode.size() < sizeof(DEVMODEA)) {
        return {};
    }
    const auto* head = reinterpret_cast<const DEVMODEA*>(mode.get());
    const std::size_t size =
        std::min<std::size_t>(std::size_t{head->dmSize} + head->dmDriverExtra, mode.size());
    return {mode.get(), mode.get() + size};
}

// The job waits a moment after the dialog or the new device context before it starts.
constexpr DWORD kSettleMilliseconds = 5;

} // namespace

bool Win32Spooler::openPrinter(const std::string& name) {
    printerName_ = name;
    PRINTER_DEFAULTSA defaults{};
    HANDLE printer = nullptr;
    if (!OpenPrinterA(printerName_.data(), &printer, &defaults)) {
        return false;
    }
    printer_.reset(printer);
    return true;
}

std::int32_t Win32Spooler::deviceModeSize() {
    return DocumentPropertiesA(messages_.owner(), printer_.get(), printerName_.data(), nullptr,
                               nullptr, 0);
}

bool Win32Spooler::defaultDeviceMode(std::span<std::uint8_t> out) {
    // The input buffer is handed over as the driver expects one, though this mode reads none.
    std::vector<std::uint8_t> input(out.size(), 0);
    return DocumentPropertiesA(messages_.owner(), printer_.get(), printerName_.data(),
                               reinterpret_cast<DEVMODEA*>(out.data()),
                               reinterpret_cast<DEVMODEA*>(input.data()), DM_OUT_BUFFER) == IDOK;
}

PrintDialogAnswer Win32Spooler::printDialog(const PrintDialogRequest& request) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = messages_.owner();
    dialog.hDevMode = reinterpret_cast<HGLOBAL>(request.devModeHandle);
    dialog.hDevNames = reinterpret_cast<HGLOBAL>(request.devNamesHandle);
    dialog.Flags = request.flags;
    dialog.nFromPage = request.fromPage;
    dialog.nToPage = request.toPage;
    dialog.nMinPage = request.minPage;
    dialog.nMaxPage = request.maxPage;
    dialog.nCopies = request.copies;

    PrintDialogAnswer answer;
    const bool confirmed = PrintDlgA(&dialog) != 0;
    Sleep(kSettleMilliseconds);
    if (!confirmed) {
        answer.choice =
            CommDlgExtendedError() == 0 ? PrintDialogChoice::Cancelled : PrintDialogChoice::Failed;
        return answer;
    }
    answer.choice = PrintDialogChoice::Print;
    answer.device = DeviceOf(dialog.hDC);
    PrintChoices& chosen = answer.chosen;
    chosen.allPages = (dialog.Flags & PD_PAGENUMS) == 0;
    chosen.fromPage = dialog.nFromPage;
    chosen.toPage = dialog.nToPage;
    chosen.copies = dialog.nCopies;
    chosen.devModeHandle = reinterpret_cast<std::uintptr_t>(dialog.hDevMode);
    chosen.devNamesHandle = reinterpret_cast<std::uintptr_t>(dialog.hDevNames);
    chosen.printerName = DeviceName(dialog.hDevNames);
    chosen.deviceMode = DeviceModeBytes(dialog.hDevMode);
    return answer;
}

PrinterDevice Win32Spooler::createDC(const std::string& printerName) {
    // No driver and no output port: Wine takes an empty port name literally and drops the job.
    HDC dc = CreateDCA(nullptr, printerName.c_str(), nullptr, nullptr);
    Sleep(kSettleMilliseconds);
    return DeviceOf(dc);
}

} // namespace velk::win32
