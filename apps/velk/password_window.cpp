#include "password_window.h"

#include "dialog_procs.h"
#include "edit_dialog_win32.h"
#include "viewer/password_dialog.h"

extern "C" INT_PTR CALLBACK PASSWORDDLGPROC(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    return EditDialogMessage<velk::PasswordDialog>(dialog, message, wParam, lParam,
                                                   velk::kTypedPasswordLimit, EditStart::Focused);
}

bool Win32PasswordPrompt::askPassword(velk::Document& document, const velk::InterfaceTexts& texts) {
    velk::Unscrambler unscrambler;
    velk::PasswordDialog logic(document, texts, messages_, unscrambler);
    DialogBoxParamA(instance_, "DLG_PASSWORD", messages_.owner(), PASSWORDDLGPROC,
                    reinterpret_cast<LPARAM>(&logic));
    return logic.accepted();
}
