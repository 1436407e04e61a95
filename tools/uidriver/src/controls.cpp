#include "uidriver/controls.h"

#include <vector>

namespace uidriver {
namespace {

// A program that hangs must fail the test, not hang it.
constexpr UINT kReplyTimeoutMs = 5000;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                               &result) != 0;
}

} // namespace

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (window == nullptr || !Send(window, WM_GETTEXTLENGTH, 0, 0, length)) {
        return {};
    }
    std::vector<char> buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied)) {
        return {};
    }
    return std::string(buffer.data(), copied < buffer.size() ? copied : buffer.size() - 1);
}

std::string ControlText(HWND dialog, int controlId) {
    return WindowText(GetDlgItem(dialog, controlId));
}

bool IsMessageBox(HWND window) {
    HWND text = GetDlgItem(window, kMessageBoxTextId);
    char className[16] = {};
    return text != nullptr && GetClassNameA(text, className, sizeof(className)) > 0 &&
           lstrcmpiA(className, "Static") == 0;
}

std::string MessageBoxText(HWND messageBox) {
    return ControlText(messageBox, kMessageBoxTextId);
}

bool SetControlText(HWND dialog, int controlId, const std::string& text) {
    HWND control = GetDlgItem(dialog, controlId);
    DWORD_PTR result = 0;
    return control != nullptr &&
           Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), result) &&
           result == TRUE;
}

bool PressButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

bool PostCommand(HWND window, int commandId) {
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != 0;
}

bool PostClose(HWND window) {
    return PostMessageA(window, WM_CLOSE, 0, 0) != 0;
}

} // namespace uidriver
