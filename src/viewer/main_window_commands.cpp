// WM_COMMAND of the main window: the two combo boxes, then the menu and toolbar commands;
// and what a print job started from them shows in the window.

#include "viewer/main_window.h"

#include "document/document.h"
#include "base/user_message.h"
#include "viewer/main_window_view.h"
#include "viewer/viewer_state.h"
#include "viewer/viewer_actions.h"

namespace velk {

void MainWindow::onCommand(int id, int notification) {
    if (id == static_cast<int>(Control::ZoomBox)) {
        // The new zoom is read while the page is laid out.
        if (notification == kComboSelectionChanged || notification == kComboLostFocus) {
            page_.ShowPageView();
        }
        return;
    }
    if (id == static_cast<int>(Control::IndexBox)) {
        if (notification == kComboSelectionChanged) {
            navigator_.GoIndexEntry();
        }
        return;
    }
    // Escape (IDCANCEL) and every other id are no command: the window stays open.
    if (const auto command = CommandForId(id)) {
        runCommand(*command);
    }
}

void MainWindow::runCommand(Command command) {
    switch (command) {
    case Command::Close:
        view_.requestClose();
        break;
    case Command::First:
        navigator_.GoFirst();
        break;
    case Command::Previous:
        navigator_.GoPrevious();
        break;
    case Command::Next:
        navigator_.GoNext();
        break;
    case Command::Last:
        navigator_.GoLast();
        break;
    case Command::Jump:
        navigator_.GoJump();
        break;
    case Command::Print:
    case Command::EMail:
    case Command::Fax:
    case Command::Save:
        runDocumentAction(command);
        break;
    }
}

void MainWindow::runDocumentAction(Command command) {
    // These need the whole document.
    if (const auto refusal = BuildingRefusal(command, TakeSnapshot(state_, document_))) {
        ShowMessage(messages_, document_.header.title, *refusal);
        return;
    }
    switch (command) {
    case Command::Print:
        actions_.print(*this);
        break;
    case Command::EMail:
        actions_.email();
        break;
    case Command::Fax:
        actions_.fax();
        break;
    case Command::Save:
        actions_.save();
        break;
    default:
        break;
    }
}

} // namespace velk

namespace velk {

double MainWindow::zoom() {
    return state_.zoom;
}

void MainWindow::setZoom(double zoom) {
    state_.zoom = zoom;
}

void MainWindow::showBusy(bool busy) {
    view_.setCursor(busy ? Cursor::Wait : Cursor::Arrow, CursorScope::Now);
}

void MainWindow::showPagePrinting(std::int32_t page, std::int32_t lastPage) {
    view_.setStatusText(std::to_string(page) + " of " + std::to_string(lastPage));
}

void MainWindow::showNormalStatus() {
    navigator_.UpdateStatusText();
}

} // namespace velk
