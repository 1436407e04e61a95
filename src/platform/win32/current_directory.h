#pragma once

#include <windows.h>

#include <string>

namespace velk::win32 {

// The file dialogs start here when asked for no folder: left to itself the system would start
// in the folder the program last used, wherever that was.
inline std::string CurrentDirectory() {
    char directory[MAX_PATH + 1] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    return length < sizeof directory ? std::string(directory, length) : std::string();
}

} // namespace velk::win32
