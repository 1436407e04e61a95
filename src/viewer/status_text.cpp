#include "viewer/status_text.h"

#include "base/ansi_text.h"
#include "document/interface_texts.h"
#include "viewer/viewer_state.h"

namespace velk {

std::string IndexCaptionsForPage(const std::vector<IndexEntry>& index, std::int32_t page) {
    std::string first;
    std::string last;
    for (const auto& entry : index) {
        if (entry.page != page) {
            continue;
        }
        if (first.empty()) {
            first = TrimBlanks(entry.caption);
        } else {
            last = TrimBlanks(entry.caption);
        }
    }
    if (first.empty() || last.empty()) {
        return first;
    }
    return first + " ... " + last;
}

std::string StatusText(const ViewerState& state, const InterfaceTexts& texts,
                       const std::vector<IndexEntry>& index) {
    std::string text;
    if (state.building) {
        // The page being built is the one after the last received.
        text = std::to_string(state.currentPage) + " of ?  Building " +
               std::to_string(std::int64_t{state.pageCount} + 1);
    } else {
        text = texts.text(TextSlot::Page) + " " + std::to_string(state.currentPage) + " " +
               texts.text(TextSlot::Of) + " " + std::to_string(state.pageCount) + "       " +
               IndexCaptionsForPage(index, state.currentPage);
    }
    return CutTo(text, kWindowTextLimit);
}

} // namespace velk
