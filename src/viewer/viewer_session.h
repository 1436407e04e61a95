#pragma once

#include "render/surface.h"
#include "viewer/viewer_state.h"

#include <cstdint>

namespace velk {

struct Document;
struct DocumentHeader;
struct StartupRequest;

// What a viewer run does once the document is open: one batch action without a window, or
// (None) the main window.
enum class BatchAction { None, Print, EMail, Fax };

// Print wins over e-mail, e-mail over fax.
BatchAction ChooseBatchAction(const StartupRequest& request);

// Loads the page table and the index (empty while building) and starts on page 1.
ViewerState PrepareViewer(Document& document, const StartupRequest& request);

// The main window's dialog font, "MS Sans Serif" 9 points, for a screen of this resolution.
LogFont DialogFontDescription(std::int32_t logPixelsY);

// A self-extracting viewer (`base` not 0) and a passed-on copy never offer e-mail, fax or
// save.
void ApplyCopyRestrictions(DocumentHeader& header, std::int32_t base);

} // namespace velk
