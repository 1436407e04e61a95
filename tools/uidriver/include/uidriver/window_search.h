#pragma once

#include "uidriver/process.h"

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// Window class of dialog boxes, message boxes and the common dialogs.
inline constexpr const char* kDialogClass = "#32770";

struct WindowInfo {
    HWND handle = nullptr;
    std::string className;
    std::string caption;
};

// What a wanted window looks like; an empty field matches anything.
struct WindowQuery {
    std::string className;
    std::string caption;
    bool messageBox = false; // only a message box
};

// Any message box.
inline const WindowQuery kMessageBox{{}, {}, true};

// The process's visible top-level windows, in Z order. Wine gives every GUI process hidden
// helper windows; only visible ones are something a user could see.
std::vector<WindowInfo> VisibleTopLevelWindows(DWORD processId);

// The first visible top-level window of the process that matches, or nullptr.
HWND FindTopLevelWindow(DWORD processId, const WindowQuery& query);

// Polls until a matching window is visible. nullptr when timeoutMs passes or the process
// ends first, so a test that expects a window never waits on a program that is gone.
HWND WaitForWindow(const Process& process, const WindowQuery& query, DWORD timeoutMs);

} // namespace uidriver
