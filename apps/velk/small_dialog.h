#pragma once

#include <windows.h>

// The message handling of a small modal dialog whose logic object came as DialogBoxParamA's
// lParam and offers onInitDialog(view), onCommand(id, view) and onClose(view). The logic is
// kept in the dialog's DWLP_USER from WM_INITDIALOG on; messages before that have no logic.
template <class Logic, class View>
void ForwardDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, View& view) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    auto* logic = reinterpret_cast<Logic*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (logic == nullptr) {
        return;
    }
    switch (message) {
    case WM_INITDIALOG:
        logic->onInitDialog(view);
        break;
    case WM_COMMAND:
        logic->onCommand(LOWORD(wParam), view);
        break;
    case WM_CLOSE:
        logic->onClose(view);
        break;
    default:
        break;
    }
}
