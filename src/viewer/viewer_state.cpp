#include "viewer/viewer_state.h"

#include "document/document.h"

namespace velk {

ViewerState PrepareViewer(Document& document, bool building) {
    document.loadPageTable(building);
    document.loadIndex(building);
    ViewerState state;
    state.currentPage = 1;
    state.pageCount = document.pageCount;
    state.building = building;
    return state;
}

} // namespace velk
