#pragma once

#include "print/spooler.h"
#include "render/interpreter.h"

#include <cstdint>
#include <string>

namespace velk {

class ProfileSource;

// The window a job was started from, in its own terms. Jobs started from the command line
// have none.
class PrintWindow {
  public:
    virtual ~PrintWindow() = default;
    virtual double zoom() = 0;
    virtual void setZoom(double zoom) = 0;
    // The wait cursor while pages print, then the arrow.
    virtual void showBusy(bool busy) = 0;
    // The status bar while `page` prints: "page of lastPage".
    virtual void showPagePrinting(std::int32_t page, std::int32_t lastPage) = 0;
    // The status bar's usual text back.
    virtual void showNormalStatus() = 0;
};

enum class PrintOutcome {
    Printed,    // the job was spooled
    Cancelled,  // the reader cancelled the print dialog
    NoPrinter,  // no default printer: the reader was told
    NotStarted, // no device context: the dialog failed or the printer refused one
};

inline constexpr const char* kNoPrinterMessage =
    "In order to print, a default printer must be defined.";

// Prints the open document. One instance serves a whole run: it keeps what the last print
// dialog returned for the next one.
class PrintJobs {
  public:
    PrintJobs(RenderServices render, ProfileSource& profile, Spooler& spooler)
        : render_(render), profile_(profile), spooler_(spooler) {}

    // The whole document on the default printer without a dialog (`printAll`), or the pages and
    // copies chosen in the print dialog, each page on its own paper, orientation and bin.
    PrintOutcome PrintDocument(bool printAll, PrintWindow* window);

  private:
    RenderServices render_;
    ProfileSource& profile_;
    Spooler& spooler_;
    std::uintptr_t devModeHandle_ = 0;
    std::uintptr_t devNamesHandle_ = 0;
};

// The spooled document's name: the title without its blanks, or "velk Document".
std::string JobName(const std::string& title);

} // namespace velk
