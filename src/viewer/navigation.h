#pragma once

#include "viewer/view_types.h"

#include <cstdint>

namespace velk {

class InterfaceTexts;
class MainWindowView;
class PageView;
struct Document;
struct ViewerState;

// Moves the current page for the navigation commands and the document index box, and keeps
// the status text and the navigation buttons in step with it.
class Navigator {
  public:
    Navigator(ViewerState& state, const Document& document, const InterfaceTexts& texts,
              MainWindowView& view, PageView& page)
        : state_(state), document_(document), texts_(texts), view_(view), page_(page) {}

    // First and last show their page even when it is already shown.
    void GoFirst();
    void GoLast();
    // Next and previous past either end stay where they are without drawing again.
    void GoNext();
    void GoPrevious();
    // Runs the jump dialog; draws only when it changed the page.
    void GoJump();
    // CBN_SELCHANGE of the index box: item n is index entry n, item 0 the heading.
    void GoIndexEntry();

    // The heading and one item per index entry; hides the box when the index is empty or
    // not read yet (building).
    void FillIndexBox();

    void UpdateStatusText();
    void UpdateNavigationButtons();
    // Status text, navigation buttons, then the page.
    void moveAndShow();

    // The navigation buttons as last set; all enabled before that.
    NavigationStates buttons() const { return buttons_; }

  private:
    void limitCurrentPage();

    ViewerState& state_;
    const Document& document_;
    const InterfaceTexts& texts_;
    MainWindowView& view_;
    PageView& page_;
    NavigationStates buttons_{true, true, true, true};
};

// Raises the page to 1, then lowers it to the page count (which leaves 0 for a document with
// no pages yet).
std::int32_t LimitPage(std::int32_t page, std::int32_t pageCount);

} // namespace velk
