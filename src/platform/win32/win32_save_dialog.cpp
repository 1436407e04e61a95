#include "platform/win32/win32_save_dialog.h"

#include "platform/win32/current_directory.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <array>

namespace velk::win32 {

namespace {

constexpr std::size_t kNameBufferSize = 256;
constexpr std::size_t kExtensionLimit = 9;

} // namespace

std::optional<std::string> Win32SaveDialog::run(const SaveDialogRequest& request) {
    // The filter's parts become NUL-terminated texts, closed by an extra NUL.
    std::string filter = request.filter;
    std::replace(filter.begin(), filter.end(), '|', '\0');
    filter.push_back('\0');
    std::array<char, kNameBufferSize> name{};
    std::array<char, kNameBufferSize> title{};
    const std::string extension = request.defaultExtension.substr(0, kExtensionLimit);
    const std::string directory = CurrentDirectory();

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = messages_.owner();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = kNameBufferSize;
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = kNameBufferSize;
    ofn.lpstrInitialDir = directory.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.Flags = request.flags;
    ofn.lpstrDefExt = extension.c_str();
    if (!GetSaveFileNameA(&ofn)) {
        return std::nullopt;
    }
    return std::string(name.data());
}

} // namespace velk::win32
