#pragma once

#include <cstdint>

namespace velk {

struct Document;

// What the viewer window knows about where the reader is. One instance per run, owned by the
// viewer and read by printing, mail, fax and save.
//
// Page numbers are 32 bits wide throughout the viewer: a document may hold more pages than a
// 16-bit number can count, and Next on page 32767 must reach page 32768.
struct ViewerState {
    // 1-based page shown; kept within 1..pageCount, except while a document is being built and
    // no page has arrived, when it may be 0 or 1.
    std::int32_t currentPage = 1;
    // The document's pages: from the header, or while building the pages received so far.
    std::int32_t pageCount = 0;
    // Pages the producer has announced (building mode).
    std::int32_t pagesReceived = 0;
    bool building = false;
    // Display scale, 1.0 = 100 %.
    double zoom = 1.0;
    // The page at the current zoom is wider / taller than the page area.
    bool hScrollNeeded = false;
    bool vScrollNeeded = false;
};

// Loads the page table and the index (empty while building) and starts on page 1.
ViewerState PrepareViewer(Document& document, bool building);

} // namespace velk
