#pragma once

#include "platform/settings.h"

#include <cstdint>
#include <string>

namespace velk {

// The screen's resolution and the locale's decimal separator, read once for the run.
struct ScreenSettings {
    std::int16_t screenDpiX = 96;
    std::int16_t screenDpiY = 96;
    char decimalSeparator = '.';
};

// One "win.ini" setting, trimmed; a missing setting yields the default.
std::string ReadProfileString(ProfileSource& profile, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

ScreenSettings LoadDeviceSettings(ProfileSource& profile, ScreenInfo& screen);

} // namespace velk
