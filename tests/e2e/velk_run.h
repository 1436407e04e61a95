#pragma once

#include "uidriver/process.h"
#include "uidriver/window_search.h"

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace velk_e2e {

inline constexpr const char* kProgramCaption = "velk Print and Preview";
inline constexpr const char* kOpenDialogCaption = "Open velk Document";
// Generous: the first Wine program of a session takes a while to start.
inline constexpr DWORD kWindowTimeoutMs = 20000;
inline constexpr DWORD kRunTimeoutMs = 20000;

// The velk.exe of this build, as Wine names it.
std::string VelkProgram();
// A folder for pictures of windows, kept after the run for a person to look at.
std::string CapturesFolder();

// Waits until `window` has been destroyed (a dialog whose button was pressed); false when it
// is still there after the window time-out.
bool WaitUntilGone(HWND window);

struct ShownMessage {
    std::string caption;
    std::string text;
    bool operator==(const ShownMessage&) const = default;
};
std::ostream& operator<<(std::ostream& out, const ShownMessage& message);

// How a run ended, and what it showed on the way.
struct RunEnd {
    std::optional<DWORD> exitCode;      // nothing: still running at the time limit (then killed)
    std::vector<ShownMessage> messages; // message boxes, each answered with OK
    std::vector<uidriver::WindowInfo> closedWindows; // other windows, each asked to close
};

// One run of velk.exe (or of a copy of it) with a command line, in a folder.
class VelkRun {
  public:
    VelkRun(const std::string& program, const std::string& arguments, const std::string& directory);
    // A velk.exe that another program started (the producer simulator).
    explicit VelkRun(std::optional<uidriver::Process> started) : process_(std::move(started)) {}

    bool started() const { return process_.has_value(); }
    const uidriver::Process& process() const { return *process_; }

    // Waits for the next message box, reads it and presses its OK button.
    std::optional<ShownMessage> answerMessage();

    // Waits for a window that matches; nullptr when none appeared before the run ended.
    HWND waitForWindow(const uidriver::WindowQuery& query);

    // Lets the run come to its end. Message boxes are answered with OK and recorded; any other
    // window (the viewer's main window, an open dialog nobody expected) is asked to close and
    // recorded, so a test states what it expected to see and the run still ends.
    RunEnd finish();

  private:
    // A window already answered may stay visible for a moment: it is answered only once.
    bool wasHandled(HWND window) const;

    std::optional<uidriver::Process> process_;
    std::vector<HWND> handled_;
};

} // namespace velk_e2e
