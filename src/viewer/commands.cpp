#include "viewer/commands.h"

#include "document/document.h"
#include "viewer/main_window_ids.h"
#include "viewer/viewer_state.h"

namespace velk {

std::optional<Command> CommandForId(int id) {
    switch (id) {
    case kMenuPrint:
    case kButtonPrint:
        return Command::Print;
    case kMenuClose:
    case kButtonClose:
        return Command::Close;
    case kMenuFirst:
    case kButtonFirst:
        return Command::First;
    case kMenuPrevious:
    case kButtonPrevious:
        return Command::Previous;
    case kMenuNext:
    case kButtonNext:
        return Command::Next;
    case kMenuLast:
    case kButtonLast:
        return Command::Last;
    case kMenuJump:
    case kButtonJump:
        return Command::Jump;
    case kMenuEMail:
    case kButtonEMail:
        return Command::EMail;
    case kMenuFax:
    case kButtonFax:
        return Command::Fax;
    case kMenuSave:
    case kButtonSave:
        return Command::Save;
    default:
        return std::nullopt;
    }
}

CommandSnapshot TakeSnapshot(const ViewerState& state, const Document& document) {
    return {.currentPage = state.currentPage,
            .pageCount = state.pageCount,
            .building = state.building,
            .mailAllowed = document.header.allowMail != 0,
            .faxAllowed = document.header.allowFax != 0,
            .saveAllowed = document.header.allowSave != 0,
            .embedded = document.base != 0};
}

NavigationStates NavigationButtonStates(const CommandSnapshot& s) {
    // The last page is tested first, so a one-page document (both first and last) greys all.
    if (s.currentPage == s.pageCount) {
        const bool back = s.currentPage > 1;
        return {back, back, false, false};
    }
    if (s.currentPage == 1) {
        const bool forward = s.pageCount > 1;
        return {false, false, forward, forward};
    }
    return {true, true, true, true};
}

bool ToolbarOffers(Command command, const CommandSnapshot& s) {
    switch (command) {
    case Command::EMail:
        return s.mailAllowed;
    case Command::Fax:
        return s.faxAllowed;
    case Command::Save:
        return s.saveAllowed;
    default:
        return true;
    }
}

bool MenuKeeps(Command command, const CommandSnapshot& s) {
    if (s.building) {
        return true;
    }
    switch (command) {
    case Command::EMail:
        return s.mailAllowed;
    case Command::Fax:
        return s.faxAllowed;
    case Command::Save:
        // A document inside a self-extracting viewer cannot be saved on its own.
        return s.saveAllowed && !s.embedded;
    default:
        return true;
    }
}

std::optional<std::string> BuildingRefusal(Command command, const CommandSnapshot& s) {
    if (!s.building) {
        return std::nullopt;
    }
    switch (command) {
    case Command::Print:
        return "You can't print until the document has finished building.";
    case Command::EMail:
        return "You can't e-mail until the document has finished building.";
    case Command::Fax:
        return "You can't fax until the document has finished building.";
    case Command::Save:
        return "You can't save this document until it has finished building.";
    default:
        return std::nullopt;
    }
}

} // namespace velk
