#pragma once

#include "platform/settings.h"

namespace velk::win32 {

class Win32Profile : public ProfileSource {
  public:
    std::string read(const std::string& section, const std::string& key,
                     const std::string& defaultValue, const std::string& fileName,
                     unsigned bufferSize) override;
};

// The desktop window's device context, asked once per call.
class Win32Screen : public ScreenInfo {
  public:
    int logPixelsX() override;
    int logPixelsY() override;
};

} // namespace velk::win32
