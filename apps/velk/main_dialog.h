#pragma once

#include "main_window_view_win32.h"
#include "viewer/main_window.h"

namespace velk::win32 {

// What MAINDLGPROC is given as DialogBoxParamA's lParam: the window's logic and the view
// that learns the dialog's handle at WM_INITDIALOG.
struct MainDialogBinding {
    MainWindow& window;
    Win32MainWindowView& view;
};

} // namespace velk::win32
