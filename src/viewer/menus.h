#pragma once

#include "viewer/commands.h"
#include "document/interface_texts.h"

#include <string>
#include <vector>

namespace velk {

class MainWindowView;

// The command ids of the items the menu must lose, in the order they are removed.
std::vector<int> MenuItemsToRemove(const CommandSnapshot& snapshot);

// A caption as a menu shows it.
std::string MenuCaption(const std::string& text);

// MAINMENU on the main window: captions from the interface text table, items the document
// does not allow taken away, and captions that follow the table while pages are drawn.
class MainMenu {
  public:
    MainMenu(MainWindowView& view, const InterfaceTexts& texts) : view_(view), texts_(texts) {}

    // Once the window has tried to attach the menu: sets both popups and all ten items from
    // their slots and removes what the document does not allow.
    void attached(bool attached, const CommandSnapshot& snapshot);
    void RemoveDisallowedMenuItems(const CommandSnapshot& snapshot);
    // Applies a slot's new text to the popup or item that shows it, if any.
    void slotChanged(TextSlot slot, const std::string& text);

  private:
    MainWindowView& view_;
    const InterfaceTexts& texts_;
    bool attached_ = false;
};

} // namespace velk
