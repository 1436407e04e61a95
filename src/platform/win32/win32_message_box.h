#pragma once

#include "platform/message_box.h"

#include <windows.h>

namespace velk::win32 {

// Message boxes owned by whichever window of the viewer is in front: none at start-up, the
// main window once it exists, the fax dialog while it is open.
class Win32MessageBox : public MessageBoxPort {
  public:
    void show(const std::string& text, const std::string& caption, unsigned flags) override {
        MessageBoxA(owner_, text.c_str(), caption.c_str(), flags | MB_OK);
    }
    HWND owner() const { return owner_; }
    void setOwner(HWND owner) { owner_ = owner; }

  private:
    HWND owner_ = nullptr;
};

} // namespace velk::win32
