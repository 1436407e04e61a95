#pragma once

#include "platform/open_dialog.h"

namespace velk::win32 {

class Win32OpenDialog : public OpenDialog {
  public:
    std::optional<std::string> run(const OpenDialogRequest& request) override;
};

} // namespace velk::win32
