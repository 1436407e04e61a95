#include "viewer/navigation.h"

#include "document/document.h"
#include "base/ansi_text.h"
#include "document/interface_texts.h"
#include "viewer/jump_dialog.h"
#include "viewer/main_window_view.h"
#include "viewer/page_view.h"
#include "viewer/status_text.h"
#include "viewer/commands.h"
#include "viewer/viewer_state.h"

#include <algorithm>

namespace velk {

std::int32_t LimitPage(std::int32_t page, std::int32_t pageCount) {
    // Not std::clamp: the count may be 0, below the lower limit.
    return std::min(std::max(page, 1), pageCount);
}

void Navigator::limitCurrentPage() {
    state_.currentPage = LimitPage(state_.currentPage, state_.pageCount);
}

void Navigator::UpdateStatusText() {
    view_.setStatusText(StatusText(state_, texts_, document_.index));
}

void Navigator::UpdateNavigationButtons() {
    buttons_ = NavigationButtonStates(TakeSnapshot(state_, document_));
    view_.setNavigation(buttons_);
}

void Navigator::moveAndShow() {
    UpdateStatusText();
    UpdateNavigationButtons();
    page_.ShowPageView();
}

void Navigator::GoFirst() {
    state_.currentPage = 1;
    moveAndShow();
}

void Navigator::GoLast() {
    state_.currentPage = state_.pageCount;
    moveAndShow();
}

void Navigator::GoNext() {
    // Compared before adding, so that the last page of a document as long as 32 bits can
    // count does not overflow.
    if (state_.currentPage >= state_.pageCount) {
        state_.currentPage = state_.pageCount;
        UpdateNavigationButtons();
        return;
    }
    ++state_.currentPage;
    moveAndShow();
}

void Navigator::GoPrevious() {
    if (state_.currentPage <= 1) {
        state_.currentPage = 1;
        UpdateNavigationButtons();
        return;
    }
    --state_.currentPage;
    moveAndShow();
}

void Navigator::GoJump() {
    const std::int32_t before = state_.currentPage;
    JumpDialog dialog(state_, texts_);
    view_.runJumpDialog(dialog);
    if (state_.currentPage == before) {
        return;
    }
    limitCurrentPage();
    moveAndShow();
}

void Navigator::GoIndexEntry() {
    const int selection = view_.indexSelection();
    // Items past the entries (there are none in a box filled from this index) do nothing.
    if (selection <= 0 || static_cast<std::size_t>(selection) > document_.index.size()) {
        return;
    }
    state_.currentPage = document_.index[static_cast<std::size_t>(selection) - 1].page;
    limitCurrentPage();
    moveAndShow();
    view_.selectIndexItem(0);
}

void Navigator::FillIndexBox() {
    // While building the index is not read yet.
    if (state_.building || document_.index.empty()) {
        view_.showIndexBox(std::nullopt);
        return;
    }
    // Filled anew each time, so that item n stays entry n when the index is read again.
    std::vector<std::string> items = {CutTo(texts_.text(TextSlot::IndexHeading), kWindowTextLimit)};
    for (const auto& entry : document_.index) {
        items.push_back(entry.caption);
    }
    view_.showIndexBox(items);
    view_.selectIndexItem(0);
}

} // namespace velk
