#pragma once

namespace velk {

struct StartupRequest;

// What a viewer run does once the document is open: one batch action without a window, or
// (None) the main window.
enum class BatchAction { None, Print, EMail, Fax };

// Print wins over e-mail, e-mail over fax.
BatchAction ChooseBatchAction(const StartupRequest& request);

} // namespace velk
