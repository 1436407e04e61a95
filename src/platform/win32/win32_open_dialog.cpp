#include "platform/win32/win32_open_dialog.h"

#include "platform/win32/current_directory.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

namespace velk::win32 {

std::optional<std::string> Win32OpenDialog::run(const OpenDialogRequest& request) {
    std::vector<char> name(request.bufferSize + 1, '\0');
    request.initialName.copy(name.data(), request.bufferSize - 1);
    // A filter is pairs of NUL-terminated texts, closed by an extra NUL.
    std::string filter = request.filter;
    filter.push_back('\0');
    filter += request.filter;
    filter.push_back('\0');

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = request.bufferSize;
    const std::string directory =
        request.initialDirectory.empty() ? CurrentDirectory() : request.initialDirectory;
    ofn.lpstrInitialDir = directory.c_str();
    ofn.lpstrTitle = request.caption.c_str();
    ofn.lpstrDefExt =
        request.defaultExtension.empty()
            ? nullptr
            : request.defaultExtension.c_str() + (request.defaultExtension[0] == '.' ? 1 : 0);
    ofn.Flags = request.flags;
    if (!GetOpenFileNameA(&ofn)) {
        return std::nullopt;
    }
    return std::string(name.data());
}

} // namespace velk::win32
