#pragma once

#include "viewer/edit_dialog_view.h"

#include <windows.h>

#include <cstddef>

// DLG_JUMP and DLG_PASSWORD: their controls, read and set for the dialog's logic.
class Win32EditDialogView : public velk::EditDialogView {
  public:
    // The edit field is read through a buffer of `textLimit` characters and its zero.
    Win32EditDialogView(HWND dialog, std::size_t textLimit)
        : dialog_(dialog), textLimit_(textLimit) {}

    void setTexts(const velk::EditDialogTexts& texts) override;
    std::string editText() override;
    void requestClose() override;
    void endDialog() override;

  private:
    HWND dialog_;
    std::size_t textLimit_;
};

// How a dialog's edit field starts: focused (the procedure answers 0, so the dialog manager
// sets no focus), and optionally with its text selected so that it can be typed over.
enum class EditStart { Focused, FocusedAndSelected };

void StartEditField(HWND dialog, EditStart start);

// The message handling of DLG_JUMP or DLG_PASSWORD, whose logic object came as
// DialogBoxParamA's lParam and offers onInitDialog(view), onCommand(id, view) and
// onClose(view). The logic is kept in the dialog's DWLP_USER from WM_INITDIALOG on; messages
// before that have no logic.
template <class Logic>
INT_PTR EditDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                          std::size_t textLimit, EditStart start) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    auto* logic = reinterpret_cast<Logic*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (logic == nullptr) {
        return 0;
    }
    Win32EditDialogView view(dialog, textLimit);
    switch (message) {
    case WM_INITDIALOG:
        logic->onInitDialog(view);
        StartEditField(dialog, start);
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
    return 0;
}
