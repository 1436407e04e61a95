#pragma once

#include "viewer/commands.h"
#include "viewer/view_types.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace velk {

class MainWindowView;

// The toolbar's buttons for the document's permissions: close, the five navigation buttons
// and print always, then e-mail, fax and save where allowed, with separators between groups
// (10 to 13 entries).
std::vector<ToolbarButton> ToolbarButtons(const CommandSnapshot& snapshot);

// The interface text slot holding a button's tooltip.
std::optional<int> TooltipSlot(int commandId);

inline constexpr std::size_t kTooltipLimit = 255;

// Greys the navigation buttons at the ends of the document.
void UpdateNavigationButtons(MainWindowView& view, const CommandSnapshot& snapshot);

} // namespace velk
