#include "viewer/menus.h"

#include "base/ansi_text.h"
#include "viewer/main_window_ids.h"
#include "viewer/main_window_view.h"

namespace velk {

namespace {

struct CaptionSlot {
    bool popup;
    int target; // popup position or command id
    TextSlot slot;
};

// The two popups, then the items in menu order.
constexpr CaptionSlot kCaptions[] = {
    {true, 0, TextSlot::FileMenu},
    {true, 1, TextSlot::DocumentMenu},
    {false, kMenuPrint, TextSlot::Print},
    {false, kMenuEMail, TextSlot::EMail},
    {false, kMenuFax, TextSlot::Fax},
    {false, kMenuSave, TextSlot::Save},
    {false, kMenuClose, TextSlot::Close},
    {false, kMenuFirst, TextSlot::FirstPage},
    {false, kMenuPrevious, TextSlot::PreviousPage},
    {false, kMenuNext, TextSlot::NextPage},
    {false, kMenuLast, TextSlot::LastPage},
    {false, kMenuJump, TextSlot::JumpToPage},
};

struct RemovableItem {
    Command command;
    int commandId;
};

constexpr RemovableItem kRemovable[] = {
    {Command::EMail, kMenuEMail}, {Command::Fax, kMenuFax}, {Command::Save, kMenuSave}};

MenuText Caption(const CaptionSlot& caption, const std::string& text) {
    return {caption.popup, caption.target, MenuCaption(text)};
}

} // namespace

std::vector<int> MenuItemsToRemove(const CommandSnapshot& snapshot) {
    std::vector<int> items;
    for (const auto& item : kRemovable) {
        if (!MenuKeeps(item.command, snapshot)) {
            items.push_back(item.commandId);
        }
    }
    return items;
}

std::string MenuCaption(const std::string& text) {
    return CutTo(TrimBlanks(text), kWindowTextLimit);
}

void MainMenu::attached(bool attached, const CommandSnapshot& snapshot) {
    attached_ = attached;
    if (!attached_) {
        return;
    }
    MenuChange change;
    for (const auto& caption : kCaptions) {
        change.captions.push_back(Caption(caption, texts_.text(caption.slot)));
    }
    change.removedItems = MenuItemsToRemove(snapshot);
    view_.changeMenu(change);
}

void MainMenu::RemoveDisallowedMenuItems(const CommandSnapshot& snapshot) {
    if (attached_) {
        view_.changeMenu({{}, MenuItemsToRemove(snapshot)});
    }
}

void MainMenu::slotChanged(TextSlot slot, const std::string& text) {
    if (!attached_) {
        return;
    }
    for (const auto& caption : kCaptions) {
        if (caption.slot == slot) {
            view_.changeMenu({{Caption(caption, text)}, {}});
        }
    }
}

} // namespace velk
