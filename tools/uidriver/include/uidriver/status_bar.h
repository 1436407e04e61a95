#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace uidriver {

// The text of one part of another process's status bar. SB_GETTEXTA writes into a buffer
// that must live in the status bar's own process, so the text is fetched through a buffer
// allocated there. Nothing when the process cannot be reached or the part does not exist.
std::optional<std::string> StatusBarText(HWND statusBar, int part);

} // namespace uidriver
