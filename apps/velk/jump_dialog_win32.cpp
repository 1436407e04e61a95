// JUMPDLGPROC: DLG_JUMP's messages handed to the jump dialog's logic.

#include "dialog_procs.h"
#include "edit_dialog_win32.h"
#include "viewer/jump_dialog.h"

extern "C" INT_PTR CALLBACK JUMPDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The page field starts with its "1" selected, so a page number can be typed over it.
    return EditDialogMessage<velk::JumpDialog>(dialog, message, wParam, lParam,
                                               velk::kJumpTextLimit, EditStart::FocusedAndSelected);
}
