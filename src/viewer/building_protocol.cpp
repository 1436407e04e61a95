#include "viewer/building_protocol.h"

#include "document/document.h"
#include "base/ansi_text.h"
#include "viewer/commands.h"
#include "viewer/main_window_view.h"
#include "viewer/menus.h"
#include "viewer/navigation.h"
#include "viewer/page_view.h"
#include "document/permissions.h"
#include "viewer/viewer_state.h"

#include <algorithm>

namespace velk {

namespace {

constexpr std::int32_t kProgressMaximum = 100;

// SendMessage to this handle (HWND_BROADCAST) would reach every top-level window of the
// desktop.
constexpr std::uint32_t kBroadcastHandle = 0xFFFF;

std::uint32_t ProducerWindow(const Document& document) {
    return static_cast<std::uint32_t>(document.header.producerWindow);
}

} // namespace

std::string ViewerAttachedText(std::uintptr_t windowHandle) {
    return std::to_string(windowHandle);
}

std::int32_t ProgressPosition(std::string_view text) {
    return std::clamp(LenientInteger(text), 0, kProgressMaximum);
}

void BuildingProtocol::announce(std::uint32_t code, const std::string& text) {
    const std::uint32_t producer = ProducerWindow(document_);
    if (producer != kBroadcastHandle) {
        view_.sendToProducer(producer, code, text);
    }
}

void BuildingProtocol::announceAttached() {
    announce(kViewerAttached, ViewerAttachedText(view_.windowHandle()));
}

void BuildingProtocol::announceClosing() {
    announce(kViewerClosing, kViewerClosingText);
}

void BuildingProtocol::onCopyData(std::uint32_t code, std::string_view text) {
    // The text ends at its terminating zero, wherever the sender put it.
    const std::string_view content = text.substr(0, text.find('\0'));
    switch (code) {
    case kBuildPageAdded:
        pageAdded(content);
        break;
    case kBuildFinished:
        finished();
        break;
    case kBuildProgress:
        progress(content);
        break;
    default:
        break;
    }
}

void BuildingProtocol::rereadHeader() {
    document_.readHeader();
    // The header as read carries the producer's permissions; a passed-on copy or a document
    // inside a self-extracting viewer must not regain what start-up took away.
    ApplyCopyRestrictions(document_.header, document_.base);
}

void BuildingProtocol::pageAdded(std::string_view text) {
    // The header tells how far the last page runs; its result is not needed otherwise.
    rereadHeader();
    ++state_.pagesReceived;
    // The count is what has been announced, also after the end of building has read the
    // header's own count; the table grows (or is cut) to match, keeping its entries.
    state_.pageCount = state_.pagesReceived;
    document_.pageCount = state_.pageCount;
    document_.pageTable.resize(static_cast<std::size_t>(state_.pageCount), 0);
    document_.pageTable.back() = LenientInteger(text);

    if (state_.currentPage < 1 && state_.pageCount > 0) {
        state_.currentPage = 1;
        document_.loadPage(state_.currentPage);
        navigator_.moveAndShow();
    } else if (state_.currentPage == state_.pageCount ||
               state_.currentPage == state_.pageCount - 1) {
        // The shown page, or the one before it, ran up to the end of what was written; read it
        // again now that it is complete.
        document_.loadPage(state_.currentPage);
        navigator_.moveAndShow();
    } else {
        navigator_.UpdateStatusText();
        navigator_.UpdateNavigationButtons();
    }
}

void BuildingProtocol::finished() {
    state_.building = false;
    rereadHeader();
    document_.readOptionRecords();
    ApplyCopyRestrictions(document_.header, document_.base);
    document_.loadPageTable(false);
    document_.loadIndex(false);
    state_.pageCount = document_.pageCount;
    state_.currentPage = LimitPage(state_.currentPage, state_.pageCount);
    document_.loadPage(state_.currentPage);
    view_.showProgress(std::nullopt);
    menu_.RemoveDisallowedMenuItems(TakeSnapshot(state_, document_));
    navigator_.FillIndexBox();
    navigator_.moveAndShow();
}

void BuildingProtocol::progress(std::string_view text) {
    view_.showProgress(ProgressPosition(text));
}

} // namespace velk
