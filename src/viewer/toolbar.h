#pragma once

#include "viewer/commands.h"
#include "document/interface_texts.h"
#include "viewer/view_types.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace velk {

// The toolbar's buttons for the document's permissions: close, the five navigation buttons
// and print always, then e-mail, fax and save where allowed, with separators between groups
// (10 to 13 entries).
std::vector<ToolbarButton> ToolbarButtons(const CommandSnapshot& snapshot);

// The interface text slot holding a button's tooltip.
std::optional<TextSlot> TooltipSlot(int commandId);

inline constexpr std::size_t kTooltipLimit = 255;

// Whether the toolbar `buttons` has the button and it is enabled: the four navigation buttons
// as `navigation` left them, the others always.
bool ToolbarButtonEnabled(const std::vector<ToolbarButton>& buttons,
                          const NavigationStates& navigation, int commandId);

} // namespace velk
