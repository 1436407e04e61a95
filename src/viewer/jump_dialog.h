#pragma once

#include "viewer/edit_dialog_view.h"

#include <cstdint>
#include <string>

namespace velk {

class InterfaceTexts;
struct ViewerState;

// The edit field is read with a buffer of 100 bytes, its terminating zero included.
inline constexpr std::size_t kJumpTextLimit = 99;

// The prompt: interface text 17, " ( 1 -", the page count with its leading blank, " )".
std::string JumpPrompt(const InterfaceTexts& texts, std::int32_t pageCount);

// DLG_JUMP asks for a page number; a page of the document becomes the current page. Anything
// else keeps the dialog open without a word. The edit field starts with the resource's "1".
class JumpDialog {
  public:
    JumpDialog(ViewerState& state, const InterfaceTexts& texts) : state_(state), texts_(texts) {}

    void onInitDialog(EditDialogView& view);
    void onCommand(int id, EditDialogView& view);
    void onClose(EditDialogView& view) { view.endDialog(); }

  private:
    ViewerState& state_;
    const InterfaceTexts& texts_;
};

} // namespace velk
