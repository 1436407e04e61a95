#pragma once

#include "platform/win32/win32_message_box.h"
#include "startup/startup.h"

#include <windows.h>

// Runs DLG_PASSWORD modally over the password dialog's logic.
class Win32PasswordPrompt : public velk::PasswordPrompt {
  public:
    Win32PasswordPrompt(HINSTANCE instance, velk::win32::Win32MessageBox& messages)
        : instance_(instance), messages_(messages) {}
    bool askPassword(velk::Document& document, const velk::InterfaceTexts& texts) override;

  private:
    HINSTANCE instance_;
    velk::win32::Win32MessageBox& messages_;
};
