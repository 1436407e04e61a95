#pragma once

#include "platform/save_dialog.h"
#include "platform/win32/win32_message_box.h"

namespace velk::win32 {

// GetSaveFileName, owned by the window that owns the viewer's message boxes.
class Win32SaveDialog : public SaveDialog {
  public:
    explicit Win32SaveDialog(const Win32MessageBox& messages) : messages_(messages) {}
    std::optional<std::string> run(const SaveDialogRequest& request) override;

  private:
    const Win32MessageBox& messages_;
};

} // namespace velk::win32
