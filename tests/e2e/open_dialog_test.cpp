// velk.exe started with no arguments asks for the document in the system's open dialog.

#include "startup/startup.h"
#include "temp_folder.h"
#include "test_documents.h"
#include "velk_run.h"

#include "uidriver/controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::IsEmpty;
using velk::StartupOutcome;

// Controls of the common open dialog: the look-in box and the file-name box.
constexpr int kLookInBox = 0x471;
constexpr int kFileNameBox = 0x47C;

std::string LastComponent(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

TEST(OpenDialog, AppearsInTheCurrentFolderAndCancelEndsTheRunSilently) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    VelkRun run(VelkProgram(), "", folder.path());
    ASSERT_TRUE(run.started());

    HWND dialog = run.waitForWindow({uidriver::kDialogClass, kOpenDialogCaption});
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(uidriver::ControlText(dialog, kFileNameBox), "*.vlk");
    EXPECT_EQ(uidriver::ControlText(dialog, kLookInBox), LastComponent(folder.path()));

    ASSERT_TRUE(uidriver::PressButton(dialog, IDCANCEL));
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_THAT(end.closedWindows, IsEmpty());
    EXPECT_EQ(end.exitCode, static_cast<DWORD>(StartupOutcome::Cancelled));
}

TEST(OpenDialog, OpensTheChosenDocument) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    // Marked temporary, so that its deletion proves the whole start-up ran on it. The field is
    // an INTEGER tested for nonzero: a bit of the high byte alone counts.
    const std::string path = folder.write("chosen.vlk", DocumentBytes({.deleteOnClose = 256}));
    ASSERT_FALSE(path.empty());
    VelkRun run(VelkProgram(), "", folder.path());
    ASSERT_TRUE(run.started());

    HWND dialog = run.waitForWindow({uidriver::kDialogClass, kOpenDialogCaption});
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(uidriver::SetControlText(dialog, kFileNameBox, "chosen.vlk"));
    ASSERT_TRUE(uidriver::PressButton(dialog, IDOK));
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, static_cast<DWORD>(StartupOutcome::Viewed));
    EXPECT_FALSE(FileExists(path));
}

} // namespace
} // namespace velk_e2e
