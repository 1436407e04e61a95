#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

// Each word with either lead character in any case is a row of the start-up table.
TEST(RegistrationCommand, WholeTextInAnyCase) {
    const std::pair<const char*, RegistrationCommand> cases[] = {
        {"-InstallVerbose", RegistrationCommand::InstallVerbose},
        {"-INSTALL x.vlk", RegistrationCommand::None},
        {"INSTALL", RegistrationCommand::None},
        {"-INSTALLV", RegistrationCommand::None},
        {"", RegistrationCommand::None},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseRegistrationCommand(text), expected) << text;
    }
}

struct SwitchCase {
    const char* text;
    std::int32_t base;
    const char* fileName;
    bool print, printAll, mail, fax, building;
};

TEST(Switches, OneSwitchAtTheStartWithItsBlank) {
    const SwitchCase cases[] = {
        {"report.vlk", 0, "report.vlk", false, false, false, false, false},
        {"/P report.vlk", 0, "report.vlk", true, false, false, false, false},
        {"-p  report.vlk ", 0, "report.vlk", true, false, false, false, false},
        {"/PA report.vlk", 0, "report.vlk", true, true, false, false, false},
        {"-pa report.vlk", 0, "report.vlk", true, true, false, false, false},
        {"/F report.vlk", 0, "report.vlk", false, false, false, true, false},
        {"/E report.vlk", 0, "report.vlk", false, false, true, false, false},
        {"-e Report.VLK", 0, "Report.VLK", false, false, true, false, false},
        {"/f report.vlk", 0, "report.vlk", false, false, false, true, false},
        {"-bv C:\\a b\\r.vlk", 0, "C:\\a b\\r.vlk", false, false, false, false, true},
        // A switch run together with the name, or alone, is part of the name.
        {"/Preport.vlk", 0, "/Preport.vlk", false, false, false, false, false},
        {"/P", 0, "/P", false, false, false, false, false},
        {"/PAreport.vlk", 0, "/PAreport.vlk", false, false, false, false, false},
        {"/X report.vlk", 0, "/X report.vlk", false, false, false, false, false},
        // Only the first switch counts; the rest is the name.
        {"/P /E report.vlk", 0, "/E report.vlk", true, false, false, false, false},
        // A self-extracting viewer ignores e-mail and fax but still prints and builds.
        {"/E C:\\v.exe", 93184, "C:\\v.exe", false, false, false, false, false},
        {"-f C:\\v.exe", 93184, "C:\\v.exe", false, false, false, false, false},
        {"/P C:\\v.exe", 93184, "C:\\v.exe", true, false, false, false, false},
        {" C:\\v.exe", 93184, "C:\\v.exe", false, false, false, false, false},
    };
    for (const auto& c : cases) {
        const auto request = ParseSwitches(c.text, c.base);
        EXPECT_EQ(request.fileName, c.fileName) << c.text;
        EXPECT_EQ(request.printRequested, c.print) << c.text;
        EXPECT_EQ(request.printAllRequested, c.printAll) << c.text;
        EXPECT_EQ(request.mailRequested, c.mail) << c.text;
        EXPECT_EQ(request.faxRequested, c.fax) << c.text;
        EXPECT_EQ(request.building, c.building) << c.text;
    }
}

} // namespace
} // namespace velk
