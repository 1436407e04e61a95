#include "viewer/password_dialog.h"

#include "base/user_message.h"
#include "base/ansi_text.h"

namespace velk {

namespace {

// Two wrong passwords are answered and the dialog stays; the third ends it.
constexpr int kAttemptsBeforeTheLast = 2;

std::string WindowText(const InterfaceTexts& texts, TextSlot slot) {
    return CutTo(texts.text(slot), kWindowTextLimit);
}

} // namespace

void PasswordDialog::onInitDialog(EditDialogView& view) {
    document_.header.passwordAccepted = 0;
    view.setTexts({WindowText(texts_, TextSlot::PasswordPrompt),
                   WindowText(texts_, TextSlot::PasswordCaption),
                   WindowText(texts_, TextSlot::Cancel), WindowText(texts_, TextSlot::Ok)});
    failedAttempts_ = 0;
}

void PasswordDialog::onCommand(int id, EditDialogView& view) {
    if (id == kEditDialogCancel || id == kDialogCancel) {
        view.requestClose();
        return;
    }
    if (id != kEditDialogOk) {
        return;
    }
    if (PasswordMatches(document_.header, view.editText(), unscrambler_)) {
        document_.header.passwordAccepted = 1;
        view.requestClose();
        return;
    }
    if (failedAttempts_ < kAttemptsBeforeTheLast) {
        ShowMessage(messages_, document_.header.title, texts_.text(TextSlot::InvalidPassword));
    } else {
        ShowMessage(messages_, document_.header.title, texts_.text(TextSlot::PasswordRefused));
        view.requestClose();
    }
    ++failedAttempts_;
}

} // namespace velk
