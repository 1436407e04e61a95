#include "base/device_settings.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::FakeProfile;
using testing::FakeScreen;

TEST(LoadDeviceSettings, DecimalSeparatorFromTheLocale) {
    const struct {
        const char* setting; // nullptr: not set
        std::string raw;
        char expected;
    } cases[] = {
        {nullptr, "", '.'},
        {"set", ",", ','},
        {"set", ",;:", ','},
        {"set", "   ", '.'},
        {"set", "", '.'},
        {"set", "  ,", ','},
        {"set", std::string("\0,", 2), '.'},
    };
    for (const auto& c : cases) {
        FakeProfile profile;
        FakeScreen screen;
        if (c.setting != nullptr) {
            profile.values["intl/sDecimal"] = c.raw;
        }
        EXPECT_EQ(LoadDeviceSettings(profile, screen).decimalSeparator, c.expected) << c.raw;
        EXPECT_EQ(profile.fileNames, std::vector<std::string>{"win.ini"});
    }
}

TEST(LoadDeviceSettings, ScreenResolutionBelowOneIs96EachDirectionAlone) {
    const struct {
        int x, y;
        std::int16_t expectedX, expectedY;
    } cases[] = {
        {96, 96, 96, 96}, {120, 144, 120, 144}, {0, 120, 96, 120}, {120, -5, 120, 96}, {1, 1, 1, 1},
    };
    for (const auto& c : cases) {
        FakeProfile profile;
        FakeScreen screen;
        screen.x = c.x;
        screen.y = c.y;
        const auto settings = LoadDeviceSettings(profile, screen);
        EXPECT_EQ(settings.screenDpiX, c.expectedX);
        EXPECT_EQ(settings.screenDpiY, c.expectedY);
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
