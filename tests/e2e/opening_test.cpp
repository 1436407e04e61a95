// What velk.exe says when the file named on its command line is missing or is no document,
// read from the real message boxes. Every other command line is a row of the unit tables
// (startup_test.cpp, command_line_test.cpp); these rows prove the wiring.

#include "startup/startup.h"
#include "temp_folder.h"
#include "test_documents.h"
#include "velk_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

namespace velk_e2e {
namespace {

using ::testing::IsEmpty;
using velk::StartupOutcome;

TEST(CommandLine, MissingFileIsReportedWithTheNameAfterTheSwitchAndEndsTheRun) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    VelkRun run(VelkProgram(), "-p   MiSsInG.VlK  ", folder.path());
    ASSERT_TRUE(run.started());
    EXPECT_EQ(run.answerMessage(),
              (ShownMessage{kProgramCaption, "Unable to locate file: MiSsInG.VlK"}));
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, static_cast<DWORD>(StartupOutcome::NotFound));
}

// Also: the document's title is not used as the caption once the header is refused, and a
// refused file is never deleted, whatever its header says.
TEST(CommandLine, InvalidFileIsReportedOnTwoLinesAndKeptOnDisk) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::string path = folder.write(
        "report.vlk", DocumentBytes({.magic = "300a", .title = "Quarterly", .deleteOnClose = 1}));
    ASSERT_FALSE(path.empty());

    VelkRun run(VelkProgram(), path, folder.path());
    ASSERT_TRUE(run.started());
    // A message box gives its text back as handed over: the line break stays one carriage return.
    EXPECT_EQ(run.answerMessage(),
              (ShownMessage{kProgramCaption,
                            "Invalid File: " + path + "\rThis file isn't a velk document."}));
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, static_cast<DWORD>(StartupOutcome::InvalidFile));
    EXPECT_TRUE(FileExists(path));
}

} // namespace
} // namespace velk_e2e
