#include "viewer/menus.h"

#include "base/ansi_text.h"
#include "document/interface_texts.h"
#include "viewer/main_window_ids.h"
#include "viewer/main_window_view.h"

namespace velk {

namespace {

struct CaptionSlot {
    int target; // popup position or command id
    int slot;
};

constexpr CaptionSlot kPopups[] = {{0, 1}, {1, 2}};

// In menu order.
constexpr CaptionSlot kItems[] = {
    {kMenuPrint, 9}, {kMenuEMail, 24},   {kMenuFax, 25}, {kMenuSave, 26}, {kMenuClose, 3},
    {kMenuFirst, 4}, {kMenuPrevious, 5}, {kMenuNext, 6}, {kMenuLast, 7},  {kMenuJump, 8},
};

struct RemovableItem {
    Command command;
    int commandId;
};

constexpr RemovableItem kRemovable[] = {
    {Command::EMail, kMenuEMail}, {Command::Fax, kMenuFax}, {Command::Save, kMenuSave}};

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

void MainMenu::ApplyMenuCaptions() {
    attached_ = view_.attachMenu();
    if (!attached_) {
        return;
    }
    for (const auto& popup : kPopups) {
        view_.setMenuPopupCaption(popup.target, MenuCaption(texts_.text(popup.slot)));
    }
    for (const auto& item : kItems) {
        view_.setMenuItemCaption(item.target, MenuCaption(texts_.text(item.slot)));
    }
}

void MainMenu::RemoveDisallowedMenuItems(const CommandSnapshot& snapshot) {
    if (!attached_) {
        return;
    }
    for (const int item : MenuItemsToRemove(snapshot)) {
        view_.removeMenuItem(item);
    }
}

void MainMenu::slotChanged(int slot, const std::string& text) {
    if (!attached_) {
        return;
    }
    for (const auto& popup : kPopups) {
        if (popup.slot == slot) {
            view_.setMenuPopupCaption(popup.target, MenuCaption(text));
        }
    }
    for (const auto& item : kItems) {
        if (item.slot == slot) {
            view_.setMenuItemCaption(item.target, MenuCaption(text));
        }
    }
}

} // namespace velk
