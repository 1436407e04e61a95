#include "viewer/viewer_session.h"

#include "document/document.h"
#include "render/fonts.h"
#include "startup/command_line.h"

namespace velk {

namespace {
constexpr double kDialogFontPoints = 9.0;
} // namespace

BatchAction ChooseBatchAction(const StartupRequest& request) {
    if (request.printRequested) {
        return BatchAction::Print;
    }
    if (request.mailRequested) {
        return BatchAction::EMail;
    }
    if (request.faxRequested) {
        return BatchAction::Fax;
    }
    return BatchAction::None;
}

ViewerState PrepareViewer(Document& document, const StartupRequest& request) {
    document.loadPageTable(request.building);
    document.loadIndex(request.building);
    ViewerState state;
    state.currentPage = 1;
    state.pageCount = document.pageCount;
    state.building = request.building;
    return state;
}

LogFont DialogFontDescription(std::int32_t logPixelsY) {
    return FontDescription("MS Sans Serif", 0, kDialogFontPoints, 0, logPixelsY);
}

void ApplyCopyRestrictions(DocumentHeader& header, std::int32_t base) {
    if (base != 0 || header.forwardedCopy != 0) {
        header.allowSave = 0;
        header.allowFax = 0;
        header.allowMail = 0;
    }
}

} // namespace velk
