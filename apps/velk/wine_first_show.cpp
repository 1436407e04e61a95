#include "wine_first_show.h"

namespace velk::win32 {

namespace {

bool RunningUnderWine() {
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace

void FirstShowGuard::maximizedAtStart() {
    armed_ = RunningUnderWine();
}

bool FirstShowGuard::undoneByFirstShow(HWND dialog, WPARAM sizeType) {
    if (!armed_ || sizeType != SIZE_RESTORED) {
        return false;
    }
    armed_ = false;
    ShowWindow(dialog, SW_MAXIMIZE);
    return true;
}

} // namespace velk::win32
