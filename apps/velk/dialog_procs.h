#pragma once

#include <windows.h>

// velk.exe exports its dialog procedures under these names.
extern "C" {
__declspec(dllexport) INT_PTR CALLBACK
    PASSWORDDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}
