// FAXDLGPROC: DLG_FAX's messages handed to the fax dialog's logic, and its controls read and
// set for it.

#include "fax_dialog_win32.h"

#include "dialog_procs.h"
#include "mail/mapi_session.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct FaxDialogBinding {
    velk::FaxDialog& logic;
    velk::win32::Win32MessageBox& messages;
    HFONT font;
};

class Win32FaxDialogView : public velk::FaxDialogView {
  public:
    explicit Win32FaxDialogView(HWND dialog) : dialog_(dialog) {}

    std::string name() override { return text(IDC_FAX_NAME, velk::kFaxFieldLimit); }
    std::string faxNumber() override { return text(IDC_FAX_NUMBER, velk::kFaxFieldLimit); }
    std::string subject() override { return text(IDC_FAX_SUBJECT, velk::kMapiSubjectLimit); }
    std::string note() override { return text(IDC_FAX_NOTE, velk::kMapiNoteLimit); }
    void setSubject(const std::string& text) override { set(IDC_FAX_SUBJECT, text); }
    void setNote(const std::string& text) override { set(IDC_FAX_NOTE, text); }

    std::vector<std::string> recipients() override {
        std::vector<std::string> items;
        const auto count = list(LB_GETCOUNT, 0, 0);
        for (LRESULT item = 0; item < count; ++item) {
            const auto length = list(LB_GETTEXTLEN, item, 0);
            std::vector<char> buffer(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1);
            list(LB_GETTEXT, item, reinterpret_cast<LPARAM>(buffer.data()));
            items.emplace_back(buffer.data(),
                               std::min(std::strlen(buffer.data()), velk::kFaxItemLimit));
        }
        return items;
    }
    void addRecipient(const std::string& item) override {
        list(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    std::optional<int> selectedRecipient() override {
        const auto selected = list(LB_GETCURSEL, 0, 0);
        return selected == LB_ERR ? std::nullopt : std::optional(static_cast<int>(selected));
    }
    void removeRecipient(int item) override { list(LB_DELETESTRING, item, 0); }

    void focus(velk::FaxField field) override {
        SetFocus(
            GetDlgItem(dialog_, field == velk::FaxField::Name ? IDC_FAX_NAME : IDC_FAX_NUMBER));
    }
    void requestClose() override { SendMessageA(dialog_, WM_CLOSE, 0, 0); }
    void endDialog(int result) override { EndDialog(dialog_, result); }

  private:
    std::string text(int id, std::size_t limit) {
        std::vector<char> buffer(limit + 1, '\0');
        GetDlgItemTextA(dialog_, id, buffer.data(), static_cast<int>(buffer.size()));
        return buffer.data();
    }
    void set(int id, const std::string& text) { SetDlgItemTextA(dialog_, id, text.c_str()); }
    LRESULT list(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendDlgItemMessageA(dialog_, IDC_FAX_LIST, message, wParam, lParam);
    }

    HWND dialog_;
};

// Every control but the recipient list takes the viewer's interface font.
void SetInterfaceFont(HWND dialog, HFONT font) {
    for (int id = IDC_FAX_NAME_LABEL; id <= IDC_FAX_SEND; ++id) {
        if (id != IDC_FAX_LIST) {
            SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
}

} // namespace

extern "C" INT_PTR CALLBACK FAXDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    auto* binding = reinterpret_cast<FaxDialogBinding*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (binding == nullptr) {
        return FALSE;
    }
    Win32FaxDialogView view(dialog);
    switch (message) {
    case WM_INITDIALOG:
        binding->messages.setOwner(dialog);
        SetInterfaceFont(dialog, binding->font);
        binding->logic.onInitDialog(view);
        return TRUE; // the dialog manager puts the focus into the name box
    case WM_COMMAND:
        binding->logic.onCommand(LOWORD(wParam), view);
        return TRUE;
    case WM_CLOSE:
        binding->logic.onClose(view);
        return TRUE;
    default:
        return FALSE;
    }
}

bool Win32FaxDialogRunner::run(velk::FaxOptions& options) {
    velk::FaxDialog logic(options, messages_, title_);
    FaxDialogBinding binding{logic, messages_, font_};
    const HWND owner = messages_.owner();
    DialogBoxParamA(instance_, "DLG_FAX", owner, FAXDLGPROC, reinterpret_cast<LPARAM>(&binding));
    messages_.setOwner(owner);
    return logic.result() == 1;
}
