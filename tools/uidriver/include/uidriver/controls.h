#pragma once

#include <windows.h>

#include <string>

namespace uidriver {

// Id of the static control that holds a message box's text.
inline constexpr int kMessageBoxTextId = 65535;

// A window's text through WM_GETTEXT, which the system carries across processes: a
// top-level window's caption, a control's contents. Empty when the window does not answer.
std::string WindowText(HWND window);

// The text of the dialog's control with this id; empty when there is no such control.
std::string ControlText(HWND dialog, int controlId);

// Whether the window is a message box: a dialog whose text sits in a static control with
// kMessageBoxTextId. The common dialogs use other ids for their labels.
bool IsMessageBox(HWND window);

// The message of a message box, exactly as the program handed it over.
std::string MessageBoxText(HWND messageBox);

// Replaces an edit control's contents, as if the user had typed them.
bool SetControlText(HWND dialog, int controlId, const std::string& text);

// Clicks a dialog button (IDOK, IDCANCEL, ...). Posted, not sent: a click that opens another
// modal window would otherwise block the test until that window closes.
bool PressButton(HWND dialog, int buttonId);

// Posts WM_COMMAND as a menu item, accelerator or toolbar button would.
bool PostCommand(HWND window, int commandId);

// Asks a window to close, like its close box.
bool PostClose(HWND window);

} // namespace uidriver
