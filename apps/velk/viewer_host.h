#pragma once

#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_message_box.h"
#include "startup/startup.h"

#include <windows.h>

namespace velk::win32 {

// Creates the viewer of an open document: the screen and locale settings, the page table and
// index, the dialog font, the magnifier cursor and the menu; then either the batch action the
// command line asked for or DLG_MAIN until the reader closes it; then frees what it made.
class Win32ViewerHost : public ViewerHost {
  public:
    Win32ViewerHost(HINSTANCE instance, Win32FileSystem& files, Win32MessageBox& messages)
        : instance_(instance), files_(files), messages_(messages) {}

    StartupOutcome run(Document& document, const StartupRequest& request,
                       InterfaceTexts& texts) override;

  private:
    HINSTANCE instance_;
    Win32FileSystem& files_;
    Win32MessageBox& messages_;
};

} // namespace velk::win32
