// A document whose header marks it temporary is deleted when velk.exe ends. Which values mark
// it is a row of the unit table (startup_test.cpp); this run proves the real file goes.

#include "startup/startup.h"
#include "temp_folder.h"
#include "test_documents.h"
#include "velk_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::IsEmpty;

TEST(TemporaryDocument, OpensWithoutAMessageAndIsDeletedWhenTheRunEnds) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::string path = folder.write("temporary.vlk", DocumentBytes({.deleteOnClose = 256}));
    ASSERT_FALSE(path.empty());

    VelkRun run(VelkProgram(), "temporary.vlk", folder.path());
    ASSERT_TRUE(run.started());
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, static_cast<DWORD>(velk::StartupOutcome::Viewed));
    EXPECT_FALSE(FileExists(path));
}

} // namespace
} // namespace velk_e2e
