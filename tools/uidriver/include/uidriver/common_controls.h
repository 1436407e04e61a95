#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace uidriver {

// ---- toolbars ----

// The position of the button with this command among the toolbar's buttons and separators;
// nothing when the toolbar has no such button.
std::optional<int> ToolbarButtonIndex(HWND toolbar, int commandId);
// Nothing when the toolbar has no such button.
std::optional<bool> ToolbarButtonEnabled(HWND toolbar, int commandId);

// ---- combo boxes ----

std::vector<std::string> ComboItems(HWND combo);
// -1 when no item is selected.
int ComboSelection(HWND combo);
// Selects an item as the reader does with the mouse: the selection changes and the window
// that hears the box (`notify`) is sent CBN_SELCHANGE, as the box itself sends it; returns
// when that window has acted on it.
bool ChooseComboItem(HWND notify, HWND combo, int index);
// Types a text into a combo box's edit field, over what it held, and moves the focus away
// from the box, which `notify` is sent as CBN_KILLFOCUS; returns when that window has acted
// on it.
bool TypeComboText(HWND notify, HWND combo, const std::string& text);

// ---- other controls ----

// The first child window of this class, or nullptr.
HWND FindChild(HWND parent, const std::string& className);
// A progress bar's position.
std::optional<int> ProgressPosition(HWND progressBar);

// Sends a command and waits until the window has carried it out: for commands that open no
// modal window (those would block until closed; post them with PostCommand).
bool SendCommand(HWND window, int commandId);

} // namespace uidriver
