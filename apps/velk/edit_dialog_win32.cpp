#include "edit_dialog_win32.h"

#include <vector>

void Win32EditDialogView::setTexts(const velk::EditDialogTexts& texts) {
    SetDlgItemTextA(dialog_, velk::kEditDialogPrompt, texts.prompt.c_str());
    SetWindowTextA(dialog_, texts.caption.c_str());
    SetDlgItemTextA(dialog_, velk::kEditDialogCancel, texts.cancel.c_str());
    SetDlgItemTextA(dialog_, velk::kEditDialogOk, texts.ok.c_str());
}

std::string Win32EditDialogView::editText() {
    std::vector<char> buffer(textLimit_ + 1, '\0');
    GetDlgItemTextA(dialog_, velk::kEditDialogEdit, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

void Win32EditDialogView::requestClose() {
    SendMessageA(dialog_, WM_CLOSE, 0, 0);
}

void Win32EditDialogView::endDialog() {
    EndDialog(dialog_, 0);
}

void StartEditField(HWND dialog, EditStart start) {
    const HWND edit = GetDlgItem(dialog, velk::kEditDialogEdit);
    SetFocus(edit);
    if (start == EditStart::FocusedAndSelected) {
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }
}
