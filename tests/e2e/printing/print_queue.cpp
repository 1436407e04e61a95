#include "print_queue.h"

#include "temp_folder.h"
#include "uidriver/paths.h"
#include "writer/file_output.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace velk_e2e {
namespace {

constexpr DWORD kPollIntervalMs = 50;

std::string OutputFolder() {
    const char* folder = std::getenv("VELK_PRINT_OUT");
    return folder != nullptr ? folder : "";
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::optional<std::string> RunLinux(const std::string& command, unsigned timeoutMs) {
    // Wine starts a Linux program for CreateProcess but gives no handle to wait on: the script
    // says that it has ended by the file it renames last.
    static int runs = 0;
    const std::string scratch =
        "/tmp/velk-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    const std::string windowsScratch = uidriver::WindowsPath(scratch);
    if (!CreateDirectoryA(windowsScratch.c_str(), nullptr)) {
        return std::nullopt;
    }
    const std::string script = "{ " + command + "\n} >" + scratch + "/output 2>&1\n" + "touch " +
                               scratch + "/ended.part && mv " + scratch + "/ended.part " + scratch +
                               "/ended\n";
    if (!vlkw::WriteBytesToFile(windowsScratch + "\\run.sh",
                                std::vector<std::uint8_t>(script.begin(), script.end()))) {
        return std::nullopt;
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "/bin/sh " + scratch + "/run.sh";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return std::nullopt;
    }
    const DWORD start = GetTickCount();
    while (!FileExists(windowsScratch + "\\ended")) {
        if (GetTickCount() - start > timeoutMs) {
            return std::nullopt;
        }
        Sleep(kPollIntervalMs);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const auto output = ReadFileBytes(windowsScratch + "\\output");
    for (const char* name : {"run.sh", "output", "ended"}) {
        DeleteFileA((windowsScratch + "\\" + name).c_str());
    }
    RemoveDirectoryA(windowsScratch.c_str());
    return std::string(output.begin(), output.end());
}

std::string PrintQueue::unavailableReason() {
    if (OutputFolder().empty()) {
        return "VELK_PRINT_OUT does not name the print queue's output folder "
               "(scripts/test.sh sets it up with scripts/print-queue.sh)";
    }
    const auto state = RunLinux("lpstat -r; lpstat -d");
    if (!state) {
        return "the CUPS tools cannot be run from Wine";
    }
    if (state->find("scheduler is running") == std::string::npos) {
        return "cupsd is not running";
    }
    if (state->find("system default destination: PDF") == std::string::npos) {
        return "the CUPS queue PDF is not the default printer";
    }
    return {};
}

bool PrintQueue::clear() const {
    return RunLinux("rm -f '" + OutputFolder() + "'/*.pdf").has_value();
}

std::vector<PrintedPdf> PrintQueue::drain() const {
    // A job has left the queue once the back end has written its file.
    const auto listing = RunLinux("while lpstat -o | grep -q .; do sleep 0.2; done; "
                                  "for f in '" +
                                  OutputFolder() +
                                  "'/*.pdf; do "
                                  "[ -f \"$f\" ] || continue; "
                                  "pdfinfo \"$f\" | grep '^Pages:'; pdftotext \"$f\" -; "
                                  "echo '@@end'; done");
    std::vector<PrintedPdf> printed;
    if (!listing) {
        return printed;
    }
    std::istringstream lines(*listing);
    std::string text;
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("Pages:", 0) == 0) {
            printed.push_back({std::atoi(line.c_str() + 6), {}});
            text.clear();
        } else if (line.ends_with("@@end") && !printed.empty()) {
            text += line.substr(0, line.size() - 5);
            // pdftotext ends every page with a form feed.
            std::istringstream pages(text);
            std::string page;
            while (std::getline(pages, page, '\f')) {
                if (!Trimmed(page).empty() || pages.peek() != EOF) {
                    printed.back().pageTexts.push_back(Trimmed(page));
                }
            }
        } else {
            text += line + "\n";
        }
    }
    return printed;
}

bool PrintQueue::remove() const {
    return RunLinux("lpadmin -x PDF").has_value();
}

bool PrintQueue::restore() const {
    const auto done = RunLinux("'" VELK_E2E_PRINT_QUEUE "' '" + OutputFolder() + "' && echo ok");
    return done && done->find("ok") != std::string::npos;
}

} // namespace velk_e2e
