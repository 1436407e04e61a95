// velk-setup.exe and its uninstaller under Wine, in a Wine prefix of their own: the files, the
// shortcuts, the .vlk association velk.exe -INSTALL writes, the entry in the list of installed
// programs, and what the uninstaller leaves; silent runs, and the first page of an interactive
// one.

#include "temp_folder.h"
#include "uidriver/capture.h"
#include "uidriver/controls.h"
#include "uidriver/paths.h"
#include "uidriver/process.h"
#include "uidriver/window_search.h"
#include "velk_run.h"
#include "viewer_window.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velk_e2e {
namespace {

const std::string kProgramId = "velk Print Preview Document";
const std::string kOpenKey = kProgramId + "\\shell\\open\\command";
const std::string kSetupCaption = std::string("velk ") + VELK_E2E_VERSION + " Setup";
const std::string kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\velk";
const char* const kInstalledFiles[] = {"velk.exe",   "velk-render.exe",     "readme.txt",
                                       "sample.vlk", "nwl-sales-chart.bmp", "uninstall.exe"};
constexpr DWORD kSetupTimeoutMs = 60000;
constexpr DWORD kPollIntervalMs = 100;

std::optional<std::string> StringValue(HKEY root, const std::string& key, const char* name) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(buffer);
}

std::optional<DWORD> NumberValue(HKEY root, const std::string& key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

void SetOpenCommand(const std::string& command) {
    RegSetValueA(HKEY_CLASSES_ROOT, kOpenKey.c_str(), REG_SZ, command.c_str(),
                 static_cast<DWORD>(command.size()));
}

std::string KnownFolder(int id) {
    char buffer[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, buffer);
    return buffer;
}

std::string StartMenuFolder() {
    return KnownFolder(CSIDL_COMMON_PROGRAMS) + "\\velk";
}

// Where the installer puts velk without /D: a path with a blank.
std::string DefaultInstallFolder() {
    return KnownFolder(CSIDL_PROGRAM_FILES) + "\\velk";
}

// Runs a program to its end; its exit code, or nothing when it ran past the time limit.
std::optional<DWORD> RunToEnd(const std::string& program, const std::string& arguments) {
    auto process = uidriver::Process::Start(uidriver::CommandLine(program, arguments));
    return process ? process->waitForExit(kSetupTimeoutMs) : std::nullopt;
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(setup)) << setup << " missing: build the target velk_setup";
        Forget();
    }
    void TearDown() override { Forget(); }

    // The association and the list entry of an earlier test, keys with their subkeys.
    static void Forget() {
        SHDeleteKeyA(HKEY_CLASSES_ROOT, kProgramId.c_str());
        SHDeleteKeyA(HKEY_CLASSES_ROOT, ".vlk");
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey.c_str());
    }

    // /D takes the rest of the command line, blanks and all, without quotation marks.
    std::optional<DWORD> install(const std::string& folder) {
        return RunToEnd(setup, folder.empty() ? "/S" : "/S /D=" + folder);
    }

    // The uninstaller hands over to a copy of itself in the temporary folder and ends at once,
    // so the end of the copy's work is the removal of the list entry, its last step.
    bool uninstall(const std::string& folder) {
        if (RunToEnd(folder + "\\uninstall.exe", "/S") != 0u) {
            return false;
        }
        for (DWORD waited = 0; waited < kSetupTimeoutMs; waited += kPollIntervalMs) {
            if (!StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName")) {
                return true;
            }
            Sleep(kPollIntervalMs);
        }
        return false;
    }

    const std::string setup = uidriver::WindowsPath(VELK_E2E_SETUP);
    TempFolder folder;
};

TEST_F(Installer, SilentInstallWritesFilesShortcutsAndTheListEntry) {
    const std::string target = DefaultInstallFolder();
    ASSERT_EQ(install(""), 0u);
    for (const char* name : kInstalledFiles) {
        EXPECT_TRUE(FileExists(target + "\\" + name)) << name;
    }
    EXPECT_TRUE(FileExists(StartMenuFolder() + "\\velk.lnk"));
    EXPECT_TRUE(FileExists(StartMenuFolder() + "\\velk Sample Report.lnk"));

    const std::pair<const char*, std::string> strings[] = {
        {"DisplayName", "velk"},
        {"DisplayVersion", VELK_E2E_VERSION},
        {"Publisher", "The velk developers"},
        {"DisplayIcon", target + "\\velk.exe,0"},
        {"InstallLocation", target},
        {"UninstallString", "\"" + target + "\\uninstall.exe\""},
        {"QuietUninstallString", "\"" + target + "\\uninstall.exe\" /S"},
    };
    for (const auto& [name, value] : strings) {
        EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, name), value) << name;
    }
    for (const char* name : {"NoModify", "NoRepair"}) {
        EXPECT_EQ(NumberValue(HKEY_LOCAL_MACHINE, kUninstallKey, name), 1u) << name;
    }

    // The association, as the installed velk.exe reports it, and a document opened through it
    // as the shell would: the open command with %1 replaced by the document's path.
    const std::string velk = "\"" + target + "\\velk.exe\"";
    VelkRun showReg(target + "\\velk.exe", "-SHOWREG", folder.path());
    EXPECT_EQ(showReg.finish().messages,
              (std::vector<ShownMessage>{
                  {kProgramCaption,
                   "Registry Settings for the .vlk extension\r\rProgram Name: " + kProgramId +
                       "\rOpen: " + velk + " %1\rPrint: " + velk + " -PA %1"}}));

    vlkw::DocumentDescription description;
    description.title = "Opened From The Shell";
    description.pages.push_back(vlkw::PageBuilder().text(1.0f, 1.0f, 0, "Hello").bytes());
    const std::string document = folder.write("report.vlk", vlkw::WriteDocument(description));
    std::string command = StringValue(HKEY_CLASSES_ROOT, kOpenKey, nullptr).value_or("");
    const auto argument = command.find("%1");
    ASSERT_NE(argument, std::string::npos) << command;
    command.replace(argument, 2, document);
    const auto opened = uidriver::Process::Start(command, folder.path());
    ASSERT_TRUE(opened.has_value()) << command;
    const HWND window =
        uidriver::WaitForWindow(*opened, {uidriver::kDialogClass, description.title}, 20000);
    ASSERT_NE(window, nullptr) << command;
    EXPECT_EQ(ViewerWindow(window).close().exitCode, 0u);

    ASSERT_TRUE(uninstall(target));
}

// velk.exe -INSTALL quotes its path only when it holds a blank; the uninstaller must recognise
// both forms as its own.
TEST_F(Installer, AssociationOpensTheInstalledVelkAndGoesWithIt) {
    const std::pair<const char*, bool> folders[] = {{"velk-plain", false}, {"velk quoted", true}};
    for (const auto& [name, quoted] : folders) {
        const std::string target = folder.pathOf(name);
        const std::string velk = target + "\\velk.exe";
        ASSERT_EQ(install(target), 0u) << name;
        EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, ".vlk", nullptr), kProgramId) << name;
        EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, kOpenKey, nullptr),
                  (quoted ? "\"" + velk + "\"" : velk) + " %1")
            << name;

        ASSERT_TRUE(uninstall(target)) << name;
        EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, kOpenKey, nullptr), std::nullopt) << name;
        EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, ".vlk", nullptr), std::nullopt) << name;
        EXPECT_FALSE(FileExists(target)) << name;
        EXPECT_FALSE(FileExists(StartMenuFolder())) << name;
    }
}

TEST_F(Installer, UninstallLeavesAnAssociationThatOpensAnotherVelk) {
    const std::string target = folder.pathOf("velk");
    ASSERT_EQ(install(target), 0u);
    const std::string other = "\"C:\\Other Place\\velk.exe\" %1";
    SetOpenCommand(other);

    ASSERT_TRUE(uninstall(target));
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, kOpenKey, nullptr), other);
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, ".vlk", nullptr), kProgramId);
    EXPECT_FALSE(FileExists(target + "\\velk.exe"));
}

TEST_F(Installer, UninstallKeepsDocumentsAndTheirFolder) {
    const std::string target = folder.pathOf("velk");
    ASSERT_EQ(install(target), 0u);
    const std::vector<std::uint8_t> bytes = {'m', 'i', 'n', 'e'};
    const std::string document = folder.write("velk\\mine.vlk", bytes);
    ASSERT_FALSE(document.empty());

    ASSERT_TRUE(uninstall(target));
    EXPECT_EQ(ReadFileBytes(document), bytes);
    for (const char* name : kInstalledFiles) {
        EXPECT_FALSE(FileExists(target + "\\" + name)) << name;
    }
}

// Without /D the installer offers the folder of the installed velk: a second run upgrades it
// there rather than installing a second copy under Program Files.
TEST_F(Installer, InstallingAgainUpgradesInPlace) {
    const std::string target = folder.pathOf("velk");
    ASSERT_EQ(install(target), 0u);
    ASSERT_TRUE(DeleteFileA((target + "\\readme.txt").c_str()));

    ASSERT_EQ(install(""), 0u);
    EXPECT_TRUE(FileExists(target + "\\readme.txt"));
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"), target);
    EXPECT_TRUE(uninstall(target));
}

// The first page of an interactive run, captured for the eye; cancelling it (and confirming)
// ends the run with exit code 1 and installs nothing.
TEST_F(Installer, CancellingOnTheFirstPageInstallsNothing) {
    auto setupRun = uidriver::Process::Start(uidriver::CommandLine(setup, ""));
    ASSERT_TRUE(setupRun.has_value());
    const HWND page =
        uidriver::WaitForWindow(*setupRun, {uidriver::kDialogClass, kSetupCaption}, 20000);
    ASSERT_NE(page, nullptr);
    // The page is drawn once the installer's message loop first runs idle.
    WaitForInputIdle(setupRun->handle(), 5000);
    Sleep(500);
    if (const auto picture = uidriver::CaptureWindow(page)) {
        uidriver::SaveBmp(*picture, CapturesFolder() + "\\installer-first-page.bmp");
    }

    uidriver::PressButton(page, IDCANCEL);
    const HWND question = uidriver::WaitForWindow(*setupRun, uidriver::kMessageBox, 10000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(uidriver::WindowText(question), kSetupCaption);
    uidriver::PressButton(question, IDYES);
    EXPECT_EQ(setupRun->waitForExit(kSetupTimeoutMs), 1u);
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), std::nullopt);
    EXPECT_FALSE(FileExists(DefaultInstallFolder()));
}

} // namespace
} // namespace velk_e2e
