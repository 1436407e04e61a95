#pragma once

#include "document/document.h"
#include "document/password.h"
#include "platform/message_box.h"
#include "viewer/interface_texts.h"

#include <string>

namespace velk {

// What the password dialog's logic needs of its window.
class PasswordDialogView {
  public:
    virtual ~PasswordDialogView() = default;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setControlText(int id, const std::string& text) = 0;
    // The entry field's text, at most kTypedPasswordLimit characters.
    virtual std::string typedText() = 0;
    // Asks the window to close (it comes back as onClose).
    virtual void requestClose() = 0;
    virtual void endDialog() = 0;
};

// The password dialog: three attempts, then the document stays closed.
class PasswordDialog {
  public:
    PasswordDialog(Document& document, const InterfaceTexts& texts, MessageBoxPort& messages,
                   Unscrambler& unscrambler)
        : document_(document), texts_(texts), messages_(messages), unscrambler_(unscrambler) {}

    void onInitDialog(PasswordDialogView& view);
    void onCommand(int id, PasswordDialogView& view);
    void onClose(PasswordDialogView& view) { view.endDialog(); }

    bool accepted() const { return document_.header.passwordAccepted != 0; }

  private:
    Document& document_;
    const InterfaceTexts& texts_;
    MessageBoxPort& messages_;
    Unscrambler& unscrambler_;
    int failedAttempts_ = 0;
};

} // namespace velk
