#pragma once

#include "resource.h"

#include <cstdint>
#include <string>

namespace velk {

class InterfaceTexts;
struct ViewerState;

// Controls of DLG_JUMP.
inline constexpr int kJumpEdit = IDC_JUMP_EDIT;
inline constexpr int kJumpOk = IDC_JUMP_OK; // the default button: Enter sends it too
inline constexpr int kJumpCancel = IDC_JUMP_CANCEL;
inline constexpr int kJumpPrompt = IDC_JUMP_PROMPT;
inline constexpr int kDialogCancel = 2; // IDCANCEL, sent for Escape

// The edit field is read with a buffer of 100 bytes, its terminating zero included.
inline constexpr std::size_t kJumpTextLimit = 99;

// What the jump dialog's logic asks of DLG_JUMP.
class JumpDialogView {
  public:
    virtual ~JumpDialogView() = default;
    // SetWindowTextA on the dialog.
    virtual void setCaption(const std::string& text) = 0;
    // SetWindowTextA on control `id`.
    virtual void setControlText(int id, const std::string& text) = 0;
    // The edit field's text, at most kJumpTextLimit characters.
    virtual std::string editText() = 0;
    // SendMessageA(WM_CLOSE) to the dialog; it comes back as onClose.
    virtual void requestClose() = 0;
    // EndDialog with result 0.
    virtual void endDialog() = 0;
};

// The prompt: interface text 17, " ( 1 -", the page count with its leading blank, " )".
std::string JumpPrompt(const InterfaceTexts& texts, std::int32_t pageCount);

// Asks for a page number; a page of the document becomes the current page. Anything else
// keeps the dialog open without a word. The edit field starts with the resource's "1".
class JumpDialog {
  public:
    JumpDialog(ViewerState& state, const InterfaceTexts& texts) : state_(state), texts_(texts) {}

    void onInitDialog(JumpDialogView& view);
    void onCommand(int id, JumpDialogView& view);
    void onClose(JumpDialogView& view) { view.endDialog(); }

  private:
    ViewerState& state_;
    const InterfaceTexts& texts_;
};

} // namespace velk
