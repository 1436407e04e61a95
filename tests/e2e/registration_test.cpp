// velk.exe registers the .vlk file type with the shell and reports what is registered; read
// back from Wine's registry.

#include "startup/startup.h"
#include "temp_folder.h"
#include "test_documents.h"
#include "velk_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

namespace velk_e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
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
    const LONG result = RegQueryValueExA(opened, "", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(opened);
    if (result != ERROR_SUCCESS || type != REG_SZ) {
        return std::nullopt;
    }
    return std::string(buffer);
}

void SetDefaultValue(const std::string& key, const std::optional<std::string>& value) {
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    if (value) {
        RegSetValueExA(created, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>(value->size() + 1));
    }
    RegCloseKey(created);
}

// Every key of the association, deepest first.
void Unregister() {
    for (const std::string& key : {kOpenKey, kProgramId + "\\shell\\open", kPrintKey,
                                  kProgramId + "\\shell\\print", kProgramId + "\\shell", kProgramId,
                                  std::string(".vlk")}) {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    }
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override { Unregister(); }
    void TearDown() override { Unregister(); }

    // Runs velk.exe with the arguments; returns the messages it showed. A document opens in
    // the main window, which the run's end closes: `viewer` is its caption.
    std::vector<ShownMessage> runVelk(const std::string& arguments, const std::string& program = VelkProgram(),
                                      const std::string& viewer = "") {
        VelkRun run(program, arguments, folder.path());
        EXPECT_TRUE(run.started());
        RunEnd end = run.finish();
        EXPECT_EQ(end.exitCode, 0u) << arguments;
        if (viewer.empty()) {
            EXPECT_THAT(end.closedWindows, IsEmpty()) << arguments;
        } else {
            EXPECT_THAT(end.closedWindows,
                        ElementsAre(Field(&uidriver::WindowInfo::caption, viewer))) << arguments;
        }
        return end.messages;
    }

    TempFolder folder;
};

TEST_F(Registration, InstallInLowerCaseWritesAllFourKeys) {
    EXPECT_THAT(runVelk("-install"), IsEmpty());
    EXPECT_EQ(DefaultValue(".vlk"), kProgramId);
    EXPECT_EQ(DefaultValue(kProgramId), kProgramId);
    EXPECT_EQ(DefaultValue(kOpenKey), VelkProgram() + " %1");
    EXPECT_EQ(DefaultValue(kPrintKey), VelkProgram() + " -PA %1");
}

TEST_F(Registration, InstallVerboseSaysSo) {
    EXPECT_EQ(runVelk("-INSTALLVERBOSE"),
              (std::vector<ShownMessage>{{kProgramCaption, "velk documents has been registered"}}));
    EXPECT_EQ(DefaultValue(".vlk"), kProgramId);
}

TEST_F(Registration, ShowRegOnACleanRegistryAndAfterRegistering) {
    EXPECT_EQ(runVelk("-SHOWREG"),
              (std::vector<ShownMessage>{
                  {kProgramCaption,
                   ".vlk extension IS NOT REGISTERED. Run velk.exe -install to register it."}}));
    runVelk("/install");
    EXPECT_EQ(runVelk("/showreg"),
              (std::vector<ShownMessage>{
                  {kProgramCaption, "Registry Settings for the .vlk extension\r\rProgram Name: " +
                                        kProgramId + "\rOpen: " + VelkProgram() + " %1\rPrint: " +
                                        VelkProgram() + " -PA %1"}}));
}

TEST_F(Registration, BlankExtensionKeyCountsAsNotRegistered) {
    SetDefaultValue(".vlk", std::string("   "));
    EXPECT_EQ(runVelk("-SHOWREG"),
              (std::vector<ShownMessage>{
                  {kProgramCaption,
                   ".vlk extension IS NOT REGISTERED. Run velk.exe -install to register it."}}));
}

TEST_F(Registration, PrintKeyWithoutAValueIsReported) {
    runVelk("-install");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kPrintKey.c_str());
    SetDefaultValue(kPrintKey, std::nullopt);
    const auto messages = runVelk("-SHOWREG");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Registry Settings for the .vlk extension\r\rProgram Name: " +
                                    kProgramId + "\rOpen: " + VelkProgram() +
                                    " %1\rPrint: Unable to open key");
}

TEST_F(Registration, OpeningADocumentOnAnUnregisteredMachineRegistersSilently) {
    const std::string path = folder.write("report.vlk", DocumentBytes({}));
    EXPECT_THAT(runVelk(path, VelkProgram(), TestDocument{}.title), IsEmpty());
    EXPECT_EQ(DefaultValue(".vlk"), kProgramId);
    EXPECT_EQ(DefaultValue(kOpenKey), VelkProgram() + " %1");
}

TEST_F(Registration, ViewerInAFolderWithABlankRegistersQuotedCommands) {
    const std::string blankFolder = folder.pathOf("Program Files");
    ASSERT_TRUE(CreateDirectoryA(blankFolder.c_str(), nullptr));
    const std::string copy = blankFolder + "\\velk.exe";
    ASSERT_TRUE(CopyFileA(VelkProgram().c_str(), copy.c_str(), FALSE));
    EXPECT_THAT(runVelk("-install", copy), IsEmpty());
    EXPECT_EQ(DefaultValue(kOpenKey), "\"" + copy + "\" %1");
    EXPECT_EQ(DefaultValue(kPrintKey), "\"" + copy + "\" -PA %1");
    DeleteFileA(copy.c_str());
    RemoveDirectoryA(blankFolder.c_str());
}

} // namespace
} // namespace velk_e2e
