// velk.exe registers the .vlk file type with the shell and reports what is registered; read
// back from Wine's registry. The wording of every report and the quoting of the commands are
// rows of the unit tables (file_association_test.cpp, startup_test.cpp).

#include "temp_folder.h"
#include "velk_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

namespace velk_e2e {
namespace {

using ::testing::IsEmpty;

const std::string kProgramId = "velk Print Preview Document";
const std::string kOpenKey = kProgramId + "\\shell\\open\\command";
const std::string kPrintKey = kProgramId + "\\shell\\print\\command";

// The default value of a key under HKEY_CLASSES_ROOT; nothing when the key or value is missing.
std::optional<std::string> DefaultValue(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG result =
        RegQueryValueExA(opened, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    return std::string(buffer);
}

// Every key of the association, deepest first.
void Unregister() {
    for (const std::string& key :
         {kOpenKey, kProgramId + "\\shell\\open", kPrintKey, kProgramId + "\\shell\\print",
          kProgramId + "\\shell", kProgramId, std::string(".vlk")}) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    }
}

class Registration : public ::testing::Test {
  protected:
    void SetUp() override { Unregister(); }
    void TearDown() override { Unregister(); }

    // Runs velk.exe with the arguments; returns the messages it showed.
    std::vector<ShownMessage> runVelk(const std::string& arguments) {
        VelkRun run(VelkProgram(), arguments, folder.path());
        EXPECT_TRUE(run.started());
        RunEnd end = run.finish();
        EXPECT_EQ(end.exitCode, 0u) << arguments;
        EXPECT_THAT(end.closedWindows, IsEmpty()) << arguments;
        return end.messages;
    }

    TempFolder folder;
};

TEST_F(Registration, InstallWritesAllFourKeysAndShowRegReadsThemBack) {
    EXPECT_EQ(runVelk("-SHOWREG"),
              (std::vector<ShownMessage>{
                  {kProgramCaption,
                   ".vlk extension IS NOT REGISTERED. Run velk.exe -install to register it."}}));
    EXPECT_THAT(runVelk("-install"), IsEmpty());
    EXPECT_EQ(DefaultValue(".vlk"), kProgramId);
    EXPECT_EQ(DefaultValue(kProgramId), kProgramId);
    EXPECT_EQ(DefaultValue(kOpenKey), VelkProgram() + " %1");
    EXPECT_EQ(DefaultValue(kPrintKey), VelkProgram() + " -PA %1");
    EXPECT_EQ(runVelk("/showreg"),
              (std::vector<ShownMessage>{
                  {kProgramCaption,
                   "Registry Settings for the .vlk extension\r\rProgram Name: " + kProgramId +
                       "\rOpen: " + VelkProgram() + " %1\rPrint: " + VelkProgram() + " -PA %1"}}));
}

} // namespace
} // namespace velk_e2e
