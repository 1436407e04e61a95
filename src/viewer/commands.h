#pragma once

#include "viewer/view_types.h"

#include <cstdint>
#include <optional>
#include <string>

namespace velk {

struct Document;
struct ViewerState;

// What the reader can ask the main window for; menu items 701..710 and toolbar buttons
// 751..760 each stand for one.
enum class Command { Print, Close, First, Previous, Next, Last, Jump, EMail, Fax, Save };

std::optional<Command> CommandForId(int id);

// Everything command availability depends on, taken at one moment.
struct CommandSnapshot {
    std::int32_t currentPage = 1;
    std::int32_t pageCount = 0;
    bool building = false;
    bool mailAllowed = false;
    bool faxAllowed = false;
    bool saveAllowed = false;
    bool embedded = false; // the document sits inside a self-extracting viewer
};

CommandSnapshot TakeSnapshot(const ViewerState& state, const Document& document);

// Which of the four navigation buttons are enabled; the menu items always stay enabled.
NavigationStates NavigationButtonStates(const CommandSnapshot& snapshot);

// Whether the toolbar carries a button for the command (decided once, at window start).
bool ToolbarOffers(Command command, const CommandSnapshot& snapshot);

// Whether the menu keeps the command's item. While building nothing is taken away, because
// the permissions are only final once the document is.
bool MenuKeeps(Command command, const CommandSnapshot& snapshot);

// The message that refuses a command while the document is still being built, if it is one
// of those that need the whole document.
std::optional<std::string> BuildingRefusal(Command command, const CommandSnapshot& snapshot);

} // namespace velk
