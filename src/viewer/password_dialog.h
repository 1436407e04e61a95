#pragma once

#include "document/document.h"
#include "document/password.h"
#include "platform/message_box.h"
#include "viewer/edit_dialog_view.h"
#include "document/interface_texts.h"

namespace velk {

// DLG_PASSWORD: three attempts, then the document stays closed. The edit field is read up to
// kTypedPasswordLimit characters.
class PasswordDialog {
  public:
    PasswordDialog(Document& document, const InterfaceTexts& texts, MessageBoxPort& messages,
                   Unscrambler& unscrambler)
        : document_(document), texts_(texts), messages_(messages), unscrambler_(unscrambler) {}

    void onInitDialog(EditDialogView& view);
    void onCommand(int id, EditDialogView& view);
    void onClose(EditDialogView& view) { view.endDialog(); }

    bool accepted() const { return document_.header.passwordAccepted != 0; }

  private:
    Document& document_;
    const InterfaceTexts& texts_;
    MessageBoxPort& messages_;
    Unscrambler& unscrambler_;
    int failedAttempts_ = 0;
};

} // namespace velk
