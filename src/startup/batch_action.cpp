#include "startup/batch_action.h"

#include "startup/command_line.h"

namespace velk {

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

} // namespace velk
