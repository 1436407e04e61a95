// A document whose header marks it temporary is deleted when velk.exe ends.

#include "startup/startup.h"
#include "temp_folder.h"
#include "test_documents.h"
#include "velk_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::IsEmpty;

struct TemporaryCase {
    const char* name;
    std::int16_t deleteOnClose;
    bool deleted;
};

class TemporaryDocument : public ::testing::TestWithParam<TemporaryCase> {};

TEST_P(TemporaryDocument, IsDeletedWhenTheRunEndsOnlyIfMarked) {
    const TemporaryCase& c = GetParam();
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::string path =
        folder.write("temporary.vlk", DocumentBytes({.deleteOnClose = c.deleteOnClose}));
    ASSERT_FALSE(path.empty());

    VelkRun run(VelkProgram(), path, folder.path());
    ASSERT_TRUE(run.started());
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, static_cast<DWORD>(velk::StartupOutcome::Viewed));
    EXPECT_EQ(FileExists(path), !c.deleted);
}

// The field is an INTEGER tested for nonzero: any bit of either byte counts.
INSTANTIATE_TEST_SUITE_P(DeleteOnClose, TemporaryDocument,
                         ::testing::Values(TemporaryCase{"Zero", 0, false},
                                           TemporaryCase{"One", 1, true},
                                           TemporaryCase{"MinusOne", -1, true},
                                           TemporaryCase{"HighByteOnly", 256, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velk_e2e
