#include "base/device_settings.h"

#include "base/ansi_text.h"

#include <algorithm>

namespace velk {

std::string ReadProfileString(ProfileSource& profile, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
    auto argument = [](const std::string& text) {
        return CutTo(CutAtNul(text), kMessageTextLimit);
    };
    const std::string raw =
        profile.read(argument(section), argument(key), argument(defaultValue), "win.ini", 1000);
    return TrimBlanks(CutAtNul(raw));
}

namespace {

std::int16_t DotsPerInch(int reported) {
    // The field is 16-bit; anything it cannot hold, like anything below 1, is no resolution.
    return reported < 1 || reported > 32767 ? 96 : static_cast<std::int16_t>(reported);
}

} // namespace

ScreenSettings LoadDeviceSettings(ProfileSource& profile, ScreenInfo& screen) {
    ScreenSettings settings;
    settings.screenDpiX = DotsPerInch(screen.logPixelsX());
    settings.screenDpiY = DotsPerInch(screen.logPixelsY());
    const std::string separator = ReadProfileString(profile, "intl", "sDecimal", ".");
    settings.decimalSeparator = separator.empty() ? ' ' : separator.front();
    if (settings.decimalSeparator == ' ') {
        settings.decimalSeparator = '.';
    }
    return settings;
}

} // namespace velk
