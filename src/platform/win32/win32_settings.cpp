#include "platform/win32/win32_settings.h"

#include "platform/win32/unique_handle.h"

#include <windows.h>

#include <vector>

namespace velk::win32 {

std::string Win32Profile::read(const std::string& section, const std::string& key,
                               const std::string& defaultValue, const std::string& fileName,
                               unsigned bufferSize) {
    std::vector<char> buffer(bufferSize, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                             bufferSize, fileName.c_str());
    return std::string(buffer.data(), buffer.size());
}

namespace {

int DesktopCaps(int index) {
    const UniqueWindowDc dc = WindowDcOf(GetDesktopWindow());
    if (!dc) {
        return 0;
    }
    return GetDeviceCaps(dc.get(), index);
}

} // namespace

int Win32Screen::logPixelsX() {
    return DesktopCaps(LOGPIXELSX);
}
int Win32Screen::logPixelsY() {
    return DesktopCaps(LOGPIXELSY);
}

} // namespace velk::win32
