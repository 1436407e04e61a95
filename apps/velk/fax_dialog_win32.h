#pragma once

#include "mail/fax_dialog.h"
#include "platform/win32/win32_message_box.h"

#include <windows.h>

#include <string>

// RunFaxDialog: DLG_FAX, modal over whichever window of the viewer is in front (none for a
// fax from the command line), owning the viewer's message boxes while it is open.
class Win32FaxDialogRunner : public velk::FaxDialogRunner {
  public:
    Win32FaxDialogRunner(HINSTANCE instance, velk::win32::Win32MessageBox& messages, HFONT font,
                         std::string title)
        : instance_(instance), messages_(messages), font_(font), title_(std::move(title)) {}

    bool run(velk::FaxOptions& options) override;

  private:
    HINSTANCE instance_;
    velk::win32::Win32MessageBox& messages_;
    HFONT font_;
    std::string title_;
};
