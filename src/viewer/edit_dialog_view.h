#pragma once

#include "resource.h"

#include <cstddef>
#include <string>

namespace velk {

// The controls DLG_JUMP and DLG_PASSWORD share: a prompt, one edit field and two buttons.
inline constexpr int kEditDialogEdit = IDC_JUMP_EDIT;
inline constexpr int kEditDialogOk = IDC_JUMP_OK; // the default button: Enter sends it too
inline constexpr int kEditDialogCancel = IDC_JUMP_CANCEL;
inline constexpr int kEditDialogPrompt = IDC_JUMP_PROMPT;
inline constexpr int kDialogCancel = 2; // IDCANCEL, sent for Escape

static_assert(IDC_PASSWORD_EDIT == kEditDialogEdit && IDC_PASSWORD_OK == kEditDialogOk &&
              IDC_PASSWORD_CANCEL == kEditDialogCancel && IDC_PASSWORD_PROMPT == kEditDialogPrompt);

// The texts of such a dialog, set in this order: prompt, caption, cancel, ok.
struct EditDialogTexts {
    std::string prompt;
    std::string caption;
    std::string cancel;
    std::string ok;
    bool operator==(const EditDialogTexts&) const = default;
};

// What the jump and password dialogs' logic asks of its window.
class EditDialogView {
  public:
    virtual ~EditDialogView() = default;
    virtual void setTexts(const EditDialogTexts& texts) = 0;
    // The edit field's text, at most as long as the dialog reads it.
    virtual std::string editText() = 0;
    // WM_CLOSE sent to the dialog; it comes back as onClose.
    virtual void requestClose() = 0;
    // EndDialog with result 0.
    virtual void endDialog() = 0;
};

} // namespace velk
