// MAINDLGPROC: every message DLG_MAIN acts on becomes one call of the main window's logic.

#include "dialog_procs.h"
#include "main_dialog.h"

#include <commctrl.h>

#include <string_view>

namespace {

using velk::win32::MainDialogBinding;

MainDialogBinding* BindingOf(HWND dialog) {
    return reinterpret_cast<MainDialogBinding*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string_view CopiedText(LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->lpData == nullptr) {
        return {};
    }
    return {static_cast<const char*>(data->lpData), data->cbData};
}

std::uint32_t CopyDataCode(LPARAM lParam) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    return data != nullptr ? static_cast<std::uint32_t>(data->dwData) : 0;
}

void ToolTipText(velk::MainWindow& window, LPARAM lParam) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    if (const char* text = window.onToolTipText(static_cast<int>(info->hdr.idFrom))) {
        info->lpszText = const_cast<char*>(text);
    }
}

} // namespace

extern "C" INT_PTR CALLBACK MAINDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        MainDialogBinding* binding = BindingOf(dialog);
        binding->view.attach(dialog);
        binding->window.onInitDialog();
        return 0;
    }
    MainDialogBinding* binding = BindingOf(dialog);
    if (binding == nullptr) {
        return 0;
    }
    velk::MainWindow& window = binding->window;
    switch (message) {
    case WM_COMMAND:
        window.onCommand(LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_COPYDATA:
        window.onCopyData(CopyDataCode(lParam), CopiedText(lParam));
        break;
    case WM_SIZE:
        // The one message the view answers itself: Wine's dialog manager undoing the maximise
        // of the window's start (see FirstShowGuard).
        if (!binding->view.undoneByFirstShow(wParam)) {
            window.onSize(static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
        }
        break;
    case WM_CLOSE:
        window.onClose();
        break;
    case WM_HSCROLL:
        window.onScroll(velk::ScrollBar::Horizontal, LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_VSCROLL:
        window.onScroll(velk::ScrollBar::Vertical, LOWORD(wParam), HIWORD(wParam));
        break;
    case WM_PAINT:
        window.onPaint();
        break;
    case WM_MOUSEMOVE:
        window.onMouseMove(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_LBUTTONDOWN:
        window.onButtonDown(velk::MouseButton::Left, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_RBUTTONDOWN:
        window.onButtonDown(velk::MouseButton::Right, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TTN_NEEDTEXTA) {
            ToolTipText(window, lParam);
        }
        break;
    default:
        break;
    }
    return 0;
}
