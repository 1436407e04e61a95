#pragma once

// What Wine keeps inside the process that owns a window, read there by the hook procedure of
// the driver's probe DLL (uidriver_probe.dll), given as `probeDll`.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace uidriver {

struct MenuEntry {
    enum class Kind { Popup, Item, Separator };
    Kind kind = Kind::Item;
    UINT id = 0;
    std::string caption;
    std::vector<MenuEntry> entries; // a popup's own entries
};

// The menu bar of another process's window, with its popups. An empty list: the window has
// no menu bar. Nothing: the window could not be asked.
std::optional<std::vector<MenuEntry>> ReadMenuBar(HWND window, const std::string& probeDll);

struct ToolTipAnswer {
    bool given = false; // the window set a text
    std::string text;
    bool operator==(const ToolTipAnswer&) const = default;
};

// Asks a window for the tooltip of command `id`, as its toolbar's tooltip control `from` does
// (WM_NOTIFY, TTN_NEEDTEXTA). Nothing: the window could not be asked.
std::optional<ToolTipAnswer> AskToolTip(HWND window, HWND from, int id,
                                        const std::string& probeDll);

} // namespace uidriver
