#include "viewer/jump_dialog.h"

#include "base/ansi_text.h"
#include "document/interface_texts.h"
#include "viewer/viewer_state.h"

namespace velk {

namespace {

std::string WindowText(const std::string& text) {
    return CutTo(TrimBlanks(text), kWindowTextLimit);
}

} // namespace

std::string JumpPrompt(const InterfaceTexts& texts, std::int32_t pageCount) {
    return texts.text(TextSlot::JumpPrompt) + " ( 1 -" + MessageNumber(pageCount) + " )";
}

void JumpDialog::onInitDialog(EditDialogView& view) {
    view.setTexts({WindowText(JumpPrompt(texts_, state_.pageCount)),
                   WindowText(texts_.text(TextSlot::JumpCaption)),
                   WindowText(texts_.text(TextSlot::Cancel)),
                   WindowText(texts_.text(TextSlot::Ok))});
}

void JumpDialog::onCommand(int id, EditDialogView& view) {
    if (id == kEditDialogCancel || id == kDialogCancel) {
        view.requestClose();
        return;
    }
    if (id != kEditDialogOk) {
        return;
    }
    const std::int32_t page = LenientInteger(TrimBlanks(CutTo(view.editText(), kJumpTextLimit)));
    if (page > 0 && page <= state_.pageCount) {
        state_.currentPage = page;
        view.requestClose();
    }
}

} // namespace velk
