#include "viewer/toolbar.h"

#include "viewer/main_window_ids.h"

#include <algorithm>

namespace velk {

namespace {

struct ButtonDefinition {
    Command command;
    int image;
    int commandId;
    TextSlot tooltipSlot;
};

// In bitmap order, which is also the toolbar's order.
constexpr ButtonDefinition kButtons[] = {
    {Command::Close, 0, kButtonClose, TextSlot::Close},
    {Command::First, 1, kButtonFirst, TextSlot::FirstPage},
    {Command::Previous, 2, kButtonPrevious, TextSlot::PreviousPage},
    {Command::Next, 3, kButtonNext, TextSlot::NextPage},
    {Command::Last, 4, kButtonLast, TextSlot::LastPage},
    {Command::Jump, 5, kButtonJump, TextSlot::JumpToPage},
    {Command::Print, 6, kButtonPrint, TextSlot::Print},
    {Command::EMail, 7, kButtonEMail, TextSlot::EMail},
    {Command::Fax, 8, kButtonFax, TextSlot::Fax},
    {Command::Save, 9, kButtonSave, TextSlot::Save},
};

ToolbarButton Button(const ButtonDefinition& definition) {
    return {false, definition.image, definition.commandId};
}

constexpr ToolbarButton kSeparator{true, 0, 0};

} // namespace

std::vector<ToolbarButton> ToolbarButtons(const CommandSnapshot& snapshot) {
    std::vector<ToolbarButton> buttons;
    for (const auto& definition : kButtons) {
        // A separator opens each group: close, navigation, output.
        if (definition.command == Command::Close || definition.command == Command::First ||
            definition.command == Command::Print) {
            buttons.push_back(kSeparator);
        }
        if (ToolbarOffers(definition.command, snapshot)) {
            buttons.push_back(Button(definition));
        }
    }
    return buttons;
}

std::optional<TextSlot> TooltipSlot(int commandId) {
    for (const auto& definition : kButtons) {
        if (definition.commandId == commandId) {
            return definition.tooltipSlot;
        }
    }
    return std::nullopt;
}

bool ToolbarButtonEnabled(const std::vector<ToolbarButton>& buttons,
                          const NavigationStates& navigation, int commandId) {
    const bool present = std::any_of(buttons.begin(), buttons.end(), [&](const auto& button) {
        return !button.separator && button.commandId == commandId;
    });
    if (!present) {
        return false;
    }
    switch (commandId) {
    case kButtonFirst:
        return navigation.first;
    case kButtonPrevious:
        return navigation.previous;
    case kButtonNext:
        return navigation.next;
    case kButtonLast:
        return navigation.last;
    default:
        return true;
    }
}

} // namespace velk
