#include "velk_run.h"

#include "uidriver/controls.h"
#include "uidriver/paths.h"

#include <algorithm>
#include <map>

namespace velk_e2e {
namespace {

constexpr DWORD kPollIntervalMs = 20;
constexpr DWORD kLeftOverAfterMs = 1000;

std::string Escaped(const std::string& text) {
    std::string shown;
    for (char c : text) {
        shown += c == '\r'   ? std::string("\\r")
                 : c == '\n' ? std::string("\\n")
                             : std::string(1, c);
    }
    return shown;
}

} // namespace

std::string VelkProgram() {
    return uidriver::WindowsPath(VELK_E2E_PROGRAM);
}

std::string CapturesFolder() {
    const std::string folder = uidriver::WindowsPath(VELK_E2E_CAPTURES);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool WaitUntilGone(HWND window) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= kWindowTimeoutMs) {
            return false;
        }
        Sleep(kPollIntervalMs);
    }
    return true;
}

std::ostream& operator<<(std::ostream& out, const ShownMessage& message) {
    return out << "[" << message.caption << "] \"" << Escaped(message.text) << "\"";
}

VelkRun::VelkRun(const std::string& program, const std::string& arguments,
                 const std::string& directory)
    : process_(uidriver::Process::Start(uidriver::CommandLine(program, arguments), directory)) {}

HWND VelkRun::waitForWindow(const uidriver::WindowQuery& query) {
    return started() ? uidriver::WaitForWindow(*process_, query, kWindowTimeoutMs) : nullptr;
}

std::optional<ShownMessage> VelkRun::answerMessage() {
    if (!started()) {
        return std::nullopt;
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kWindowTimeoutMs) {
        for (const uidriver::WindowInfo& window :
             uidriver::VisibleTopLevelWindows(process_->id())) {
            if (!wasHandled(window.handle) && uidriver::IsMessageBox(window.handle)) {
                handled_.push_back(window.handle);
                ShownMessage message{window.caption, uidriver::MessageBoxText(window.handle)};
                uidriver::PressButton(window.handle, IDOK);
                // The click is posted: the next step must not reach the program while the box
                // is still ending its modal loop, or it lands inside that loop.
                WaitUntilGone(window.handle);
                return message;
            }
        }
        if (!process_->running()) {
            return std::nullopt;
        }
        Sleep(kPollIntervalMs);
    }
    return std::nullopt;
}

bool VelkRun::wasHandled(HWND window) const {
    return std::find(handled_.begin(), handled_.end(), window) != handled_.end();
}

RunEnd VelkRun::finish() {
    RunEnd end;
    if (!started()) {
        return end;
    }
    std::map<HWND, DWORD> firstSeen;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kRunTimeoutMs) {
        end.exitCode = process_->waitForExit(kPollIntervalMs);
        if (end.exitCode) {
            return end;
        }
        for (const uidriver::WindowInfo& window :
             uidriver::VisibleTopLevelWindows(process_->id())) {
            if (wasHandled(window.handle)) {
                continue;
            }
            if (uidriver::IsMessageBox(window.handle)) {
                handled_.push_back(window.handle);
                end.messages.push_back({window.caption, uidriver::MessageBoxText(window.handle)});
                uidriver::PressButton(window.handle, IDOK);
                continue;
            }
            // A window the test has just told to close (the click is posted) may still be on
            // screen for a moment: only one that stays is left over.
            const auto found = firstSeen.try_emplace(window.handle, GetTickCount()).first;
            if (GetTickCount() - found->second < kLeftOverAfterMs) {
                continue;
            }
            handled_.push_back(window.handle);
            end.closedWindows.push_back(window);
            uidriver::PostClose(window.handle);
        }
    }
    process_->kill();
    return end;
}

} // namespace velk_e2e
