// A copy of velk.exe with a document appended views that document: no open dialog, no
// message, and the executable is never deleted, even when the document is marked temporary.

#include "startup/startup.h"
#include "temp_folder.h"
#include "test_documents.h"
#include "velk_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::Contains;
using ::testing::Field;
using ::testing::IsEmpty;
using ::testing::Not;
using velk::StartupOutcome;

struct ContainerCase {
    const char* name;
    ContainerTrailer trailer;
    const char* arguments;
    bool carriesDocument; // false: the copy behaves as a plain viewer
};

class SelfExtractingViewer : public ::testing::TestWithParam<ContainerCase> {};

TEST_P(SelfExtractingViewer, ViewsItsOwnDocumentAndSurvives) {
    const ContainerCase& c = GetParam();
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::vector<std::uint8_t> viewer = ReadFileBytes(VelkProgram());
    ASSERT_FALSE(viewer.empty());
    const std::string container = folder.write(
        "viewer.exe",
        velk_e2e::SelfExtractingViewer(viewer, DocumentBytes({.deleteOnClose = 1}), c.trailer));
    ASSERT_FALSE(container.empty());

    VelkRun run(container, c.arguments, folder.path());
    ASSERT_TRUE(run.started());
    const RunEnd end = run.finish();

    EXPECT_THAT(end.messages, IsEmpty());
    const auto openDialog = Field(&uidriver::WindowInfo::caption, kOpenDialogCaption);
    if (c.carriesDocument) {
        EXPECT_THAT(end.closedWindows, Not(Contains(openDialog)));
        EXPECT_EQ(end.exitCode, static_cast<DWORD>(StartupOutcome::Viewed));
    } else {
        // finish() closed the dialog, which counts as cancelling it.
        EXPECT_THAT(end.closedWindows, Contains(openDialog));
        EXPECT_EQ(end.exitCode, static_cast<DWORD>(StartupOutcome::Cancelled));
    }
    EXPECT_TRUE(FileExists(container));
}

INSTANTIATE_TEST_SUITE_P(
    Container, SelfExtractingViewer,
    ::testing::Values(ContainerCase{"StartedWithoutArguments", {}, "", true},
                      ContainerCase{"MarkInLowerCase", {.mark = "velk_self_extract"}, "", true},
                      // The mail switch is dropped in a self-extracting viewer: it views instead.
                      ContainerCase{"MailSwitchViewsInstead", {}, "/E", true},
                      ContainerCase{"OffsetZeroIsAPlainViewer",
                                    {.offsetIsViewerSize = false, .offset = 0},
                                    "",
                                    false},
                      ContainerCase{"OffsetBeyondTheFileIsAPlainViewer",
                                    {.offsetIsViewerSize = false, .offset = 0x7FFFFFFF},
                                    "",
                                    false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velk_e2e
