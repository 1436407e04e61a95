// A copy of velk.exe with a document appended views that document: no open dialog, no
// message, and the executable is never deleted, even when the document is marked temporary.
// How the trailer is read and which switches count are rows of the unit tables.

#include "startup/startup.h"
#include "temp_folder.h"
#include "test_documents.h"
#include "velk_run.h"
#include "writer/self_extracting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;

TEST(SelfExtractingViewer, ViewsItsOwnDocumentAndSurvives) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::vector<std::uint8_t> viewer = ReadFileBytes(VelkProgram());
    ASSERT_FALSE(viewer.empty());
    const std::string container = folder.write(
        "viewer.exe", vlkw::WriteSelfExtracting(viewer, DocumentBytes({.deleteOnClose = 1})));
    ASSERT_FALSE(container.empty());

    // The mail switch is dropped in a self-extracting viewer: it views instead.
    VelkRun run(container, "/E", folder.path());
    ASSERT_TRUE(run.started());
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    // The main window with the document's title, and no open dialog.
    EXPECT_THAT(end.closedWindows,
                ElementsAre(Field(&uidriver::WindowInfo::caption, TestDocument{}.title)));
    EXPECT_EQ(end.exitCode, static_cast<DWORD>(velk::StartupOutcome::Viewed));
    EXPECT_TRUE(FileExists(container));
}

} // namespace
} // namespace velk_e2e
