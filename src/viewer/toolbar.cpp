#include "viewer/toolbar.h"

#include "viewer/main_window_ids.h"
#include "viewer/main_window_view.h"

namespace velk {

namespace {

struct ButtonDefinition {
    Command command;
    int image;
    int commandId;
    int tooltipSlot;
};

// In bitmap order, which is also the toolbar's order.
constexpr ButtonDefinition kButtons[] = {
    {Command::Close, 0, kButtonClose, 3},       {Command::First, 1, kButtonFirst, 4},
    {Command::Previous, 2, kButtonPrevious, 5}, {Command::Next, 3, kButtonNext, 6},
    {Command::Last, 4, kButtonLast, 7},         {Command::Jump, 5, kButtonJump, 8},
    {Command::Print, 6, kButtonPrint, 9},       {Command::EMail, 7, kButtonEMail, 24},
    {Command::Fax, 8, kButtonFax, 25},          {Command::Save, 9, kButtonSave, 26},
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

std::optional<int> TooltipSlot(int commandId) {
    for (const auto& definition : kButtons) {
        if (definition.commandId == commandId) {
            return definition.tooltipSlot;
        }
    }
    return std::nullopt;
}

void UpdateNavigationButtons(MainWindowView& view, const CommandSnapshot& snapshot) {
    const NavigationStates states = NavigationButtonStates(snapshot);
    view.enableToolbarButton(kButtonFirst, states.first);
    view.enableToolbarButton(kButtonPrevious, states.previous);
    view.enableToolbarButton(kButtonNext, states.next);
    view.enableToolbarButton(kButtonLast, states.last);
}

} // namespace velk
