#pragma once

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_message_box.h"
#include "print/spooler.h"

#include <windows.h>

#include <string>

namespace velk::win32 {

struct ClosePrinterHandle {
    void operator()(HANDLE printer) const;
};

// The spooler through winspool and the common print dialog. Dialogs and driver windows are
// owned by the window that owns the viewer's message boxes (none from the command line).
class Win32Spooler : public Spooler {
  public:
    explicit Win32Spooler(const Win32MessageBox& messages) : messages_(messages) {}

    bool openPrinter(const std::string& name) override;
    std::int32_t deviceModeSize() override;
    bool defaultDeviceMode(std::span<std::uint8_t> out) override;
    void closePrinter() override { printer_.reset(); }
    PrintDialogAnswer printDialog(const PrintDialogRequest& request) override;
    PrinterDevice createDC(const std::string& printerName) override;

  private:
    const Win32MessageBox& messages_;
    std::string printerName_;
    UniqueHandle<HANDLE, ClosePrinterHandle> printer_;
};

} // namespace velk::win32
