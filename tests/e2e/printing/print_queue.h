#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velk_e2e {

// Runs a shell command on the Linux side of Wine and returns what it wrote to standard
// output and error; nothing when it could not be started or did not end within `timeoutMs`.
std::optional<std::string> RunLinux(const std::string& command, unsigned timeoutMs = 30000);

// A printed PDF as the poppler tools read it.
struct PrintedPdf {
    int pages = 0;
    std::vector<std::string> pageTexts; // each page's text, blanks and line ends trimmed
};

// The CUPS queue "PDF" that the test run made the default printer (scripts/print-queue.sh):
// its jobs come out as PDF files in the folder named by VELK_PRINT_OUT.
class PrintQueue {
  public:
    // Why the queue cannot be used here; empty when it can.
    static std::string unavailableReason();

    // Removes what earlier jobs left in the output folder.
    bool clear() const;
    // Waits until the spooler holds no job, then reads every PDF in the output folder.
    std::vector<PrintedPdf> drain() const;

    // Takes the queue away, so that Wine finds no printer, and puts it back.
    bool remove() const;
    bool restore() const;
};

} // namespace velk_e2e
