#include "uidriver/window_search.h"

#include "uidriver/controls.h"

namespace uidriver {
namespace {

constexpr DWORD kPollIntervalMs = 20;

struct Enumeration {
    DWORD processId;
    std::vector<WindowInfo> windows;
};

std::string ClassName(HWND window) {
    char name[256] = {};
    int length = GetClassNameA(window, name, sizeof(name));
    return std::string(name, length > 0 ? length : 0);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter) {
    auto& enumeration = *reinterpret_cast<Enumeration*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == enumeration.processId && IsWindowVisible(window)) {
        enumeration.windows.push_back({window, ClassName(window), WindowText(window)});
    }
    return TRUE;
}

bool Matches(const WindowInfo& window, const WindowQuery& query) {
    return (query.className.empty() || window.className == query.className) &&
           (query.caption.empty() || window.caption == query.caption) &&
           (!query.messageBox || IsMessageBox(window.handle));
}

} // namespace

std::vector<WindowInfo> VisibleTopLevelWindows(DWORD processId) {
    Enumeration enumeration{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&enumeration));
    return enumeration.windows;
}

HWND FindTopLevelWindow(DWORD processId, const WindowQuery& query) {
    for (const WindowInfo& window : VisibleTopLevelWindows(processId)) {
        if (Matches(window, query)) {
            return window.handle;
        }
    }
    return nullptr;
}

HWND WaitForWindow(const Process& process, const WindowQuery& query, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindTopLevelWindow(process.id(), query)) {
            return window;
        }
        if (!process.running() || GetTickCount() - start >= timeoutMs) {
            return nullptr;
        }
        Sleep(kPollIntervalMs);
    }
}

} // namespace uidriver
