#pragma once

#include <windows.h>

namespace velk::win32 {

// Wine's modal dialog loop shows the dialog with SW_SHOWNORMAL the first time its queue runs
// empty, even when the dialog already shows, and so undoes a maximise made in WM_INITDIALOG.
// Under Wine the window maximises itself again inside the WM_SIZE that restore causes, so
// the reader never sees the restored window; elsewhere this does nothing.
class FirstShowGuard {
  public:
    // The window has just been maximised at its start.
    void maximizedAtStart();
    // True when this WM_SIZE is the loop's restore: the window is maximised again (which
    // brings a WM_SIZE of its own) and this one needs no other handling.
    bool undoneByFirstShow(HWND dialog, WPARAM sizeType);

  private:
    bool armed_ = false;
};

} // namespace velk::win32
