#include "viewer/password_dialog.h"

#include "platform/helpers.h"
#include "platform/text.h"
#include "resource.h"

namespace velk {

namespace {
constexpr int kEscape = 2; // what the dialog manager sends for the Esc key
}

void PasswordDialog::onInitDialog(PasswordDialogView& view) {
    document_.header.passwordAccepted = 0;
    view.setControlText(IDC_PASSWORD_PROMPT, CutTo(texts_.text(21), kWindowTextLimit));
    view.setCaption(CutTo(texts_.text(20), kWindowTextLimit));
    view.setControlText(IDC_PASSWORD_CANCEL, CutTo(texts_.text(18), kWindowTextLimit));
    view.setControlText(IDC_PASSWORD_OK, CutTo(texts_.text(19), kWindowTextLimit));
    failedAttempts_ = 0;
}

void PasswordDialog::onCommand(int id, PasswordDialogView& view) {
    if (id == IDC_PASSWORD_CANCEL || id == kEscape) {
        view.requestClose();
        return;
    }
    if (id != IDC_PASSWORD_OK) {
        return;
    }
    if (PasswordMatches(document_.header, view.typedText(), unscrambler_)) {
        document_.header.passwordAccepted = 1;
        view.requestClose();
        return;
    }
    if (failedAttempts_ < 2) {
        ShowMessage(messages_, document_.header.title, texts_.text(22));
    } else {
        ShowMessage(messages_, document_.header.title, texts_.text(23));
        view.requestClose();
    }
    ++failedAttempts_;
}

} // namespace velk
