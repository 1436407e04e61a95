#include "viewer/jump_dialog.h"

#include "base/ansi_text.h"
#include "document/interface_texts.h"
#include "viewer/viewer_state.h"

namespace velk {

namespace {

constexpr int kCaptionSlot = 16;
constexpr int kPromptSlot = 17;
constexpr int kCancelSlot = 18;
constexpr int kOkSlot = 19;

std::string WindowText(const std::string& text) {
    return CutTo(TrimBlanks(text), kWindowTextLimit);
}

} // namespace

std::string JumpPrompt(const InterfaceTexts& texts, std::int32_t pageCount) {
    return texts.text(kPromptSlot) + " ( 1 -" + MessageNumber(pageCount) + " )";
}

void JumpDialog::onInitDialog(JumpDialogView& view) {
    view.setControlText(kJumpPrompt, WindowText(JumpPrompt(texts_, state_.pageCount)));
    view.setCaption(WindowText(texts_.text(kCaptionSlot)));
    view.setControlText(kJumpCancel, WindowText(texts_.text(kCancelSlot)));
    view.setControlText(kJumpOk, WindowText(texts_.text(kOkSlot)));
}

void JumpDialog::onCommand(int id, JumpDialogView& view) {
    if (id == kJumpCancel || id == kDialogCancel) {
        view.requestClose();
        return;
    }
    if (id != kJumpOk) {
        return;
    }
    const std::int32_t page = LenientInteger(TrimBlanks(CutTo(view.editText(), kJumpTextLimit)));
    if (page > 0 && page <= state_.pageCount) {
        state_.currentPage = page;
        view.requestClose();
    }
}

} // namespace velk
