// JUMPDLGPROC: DLG_JUMP's messages handed to the jump dialog's logic.

#include "dialog_procs.h"
#include "small_dialog.h"
#include "viewer/jump_dialog.h"

#include <array>

namespace {

class Win32JumpView : public velk::JumpDialogView {
  public:
    explicit Win32JumpView(HWND dialog) : dialog_(dialog) {}
    void setCaption(const std::string& text) override { SetWindowTextA(dialog_, text.c_str()); }
    void setControlText(int id, const std::string& text) override {
        SetDlgItemTextA(dialog_, id, text.c_str());
    }
    std::string editText() override {
        std::array<char, velk::kJumpTextLimit + 1> buffer{};
        GetDlgItemTextA(dialog_, velk::kJumpEdit, buffer.data(), static_cast<int>(buffer.size()));
        return buffer.data();
    }
    void requestClose() override { SendMessageA(dialog_, WM_CLOSE, 0, 0); }
    void endDialog() override { EndDialog(dialog_, 0); }

  private:
    HWND dialog_;
};

} // namespace

extern "C" INT_PTR CALLBACK JUMPDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32JumpView view(dialog);
    ForwardDialogMessage<velk::JumpDialog>(dialog, message, wParam, lParam, view);
    if (message == WM_INITDIALOG) {
        // The procedure answers 0, so the dialog manager sets no focus: put it in the page
        // field with its "1" selected, so a page number can be typed over it at once.
        const HWND edit = GetDlgItem(dialog, velk::kJumpEdit);
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }
    return 0;
}
