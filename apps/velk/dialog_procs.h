#pragma once

#include <windows.h>

// velk.exe exports its dialog procedures under these names.
extern "C" {
__declspec(dllexport) INT_PTR CALLBACK
    PASSWORDDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
__declspec(dllexport) INT_PTR CALLBACK
    MAINDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
__declspec(dllexport) INT_PTR CALLBACK
    JUMPDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
__declspec(dllexport) INT_PTR CALLBACK
    FAXDLGPROC(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
}
