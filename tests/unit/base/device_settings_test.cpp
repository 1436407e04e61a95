#include "base/device_settings.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::FakeProfile;
using testing::FakeScreen;

TEST(LoadDeviceSettings, DecimalSeparatorFromTheLocale) {
    // setting nullptr: not set
    const std::tuple<const char*, std::string, char> cases[] = {
        {nullptr, "", '.'},
        {"set", ",", ','},
        {"set", ",;:", ','},
        {"set", "   ", '.'},
        {"set", "", '.'},
        {"set", "  ,", ','},
        {"set", std::string("\0,", 2), '.'},
    };
    for (const auto& [setting, raw, expected] : cases) {
        FakeProfile profile;
        FakeScreen screen;
        if (setting != nullptr) {
            profile.values["intl/sDecimal"] = raw;
        }
        EXPECT_EQ(LoadDeviceSettings(profile, screen).decimalSeparator, expected) << raw;
        EXPECT_EQ(profile.fileNames, std::vector<std::string>{"win.ini"});
    }
}

TEST(LoadDeviceSettings, ScreenResolutionBelowOneIs96EachDirectionAlone) {
    const std::tuple<int, int, std::int16_t, std::int16_t> cases[] = {
        {96, 96, 96, 96}, {120, 144, 120, 144}, {0, 120, 96, 120}, {120, -5, 120, 96}, {1, 1, 1, 1},
    };
    for (const auto& [x, y, expectedX, expectedY] : cases) {
        FakeProfile profile;
        FakeScreen screen;
        screen.x = x;
        screen.y = y;
        const auto settings = LoadDeviceSettings(profile, screen);
        EXPECT_EQ(settings.screenDpiX, expectedX);
        EXPECT_EQ(settings.screenDpiY, expectedY);
    }
}

TEST(ReadProfileString, TextBeforeTheNulTrimmedOrTheDefault) {
    FakeProfile profile;
    profile.values["WINDOWS/DEVICE"] = std::string("  PDF,wineps.drv,CUPS:PDF  \0junk", 32);
    EXPECT_EQ(ReadProfileString(profile, "WINDOWS", "DEVICE", ""), "PDF,wineps.drv,CUPS:PDF");
    EXPECT_EQ(ReadProfileString(profile, "WINDOWS", "missing", "  dflt "), "dflt");
}

} // namespace
} // namespace velk
