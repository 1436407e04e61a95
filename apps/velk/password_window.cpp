#include "password_window.h"

#include "dialog_procs.h"
#include "viewer/password_dialog.h"
#include "resource.h"
#include "small_dialog.h"

#include <array>

namespace {

class Win32PasswordView : public velk::PasswordDialogView {
  public:
    explicit Win32PasswordView(HWND dialog) : dialog_(dialog) {}
    void setCaption(const std::string& text) override { SetWindowTextA(dialog_, text.c_str()); }
    void setControlText(int id, const std::string& text) override {
        SetDlgItemTextA(dialog_, id, text.c_str());
    }
    std::string typedText() override {
        std::array<char, velk::kTypedPasswordLimit + 1> buffer{};
        GetDlgItemTextA(dialog_, IDC_PASSWORD_EDIT, buffer.data(), static_cast<int>(buffer.size()));
        return buffer.data();
    }
    void requestClose() override { SendMessageA(dialog_, WM_CLOSE, 0, 0); }
    void endDialog() override { EndDialog(dialog_, 0); }

  private:
    HWND dialog_;
};

} // namespace

extern "C" INT_PTR CALLBACK PASSWORDDLGPROC(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    Win32PasswordView view(dialog);
    ForwardDialogMessage<velk::PasswordDialog>(dialog, message, wParam, lParam, view);
    if (message == WM_INITDIALOG) {
        // The procedure answers 0, so the dialog manager sets no focus: put it in the entry
        // field so the password can be typed at once.
        SetFocus(GetDlgItem(dialog, IDC_PASSWORD_EDIT));
    }
    return 0;
}

bool Win32PasswordPrompt::askPassword(velk::Document& document, const velk::InterfaceTexts& texts) {
    velk::Unscrambler unscrambler;
    velk::PasswordDialog logic(document, texts, messages_, unscrambler);
    DialogBoxParamA(instance_, "DLG_PASSWORD", messages_.owner(), PASSWORDDLGPROC,
                    reinterpret_cast<LPARAM>(&logic));
    return logic.accepted();
}
