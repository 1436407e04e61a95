// What velk.exe says when the file named on its command line is missing or is no document,
// and that it opens one that is, read from the real message boxes.

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

DWORD ExitCode(StartupOutcome outcome) {
    return static_cast<DWORD>(outcome);
}

// "{folder}" in a case stands for the test's own folder, so that a case can use a full path.
std::string InFolder(std::string text, const TempFolder& folder) {
    const std::string mark = "{folder}";
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark)) {
        text.replace(at, mark.size(), folder.path());
    }
    return text;
}

std::string CaseName(const auto& info) {
    return info.param.name;
}

// ---- no file answers to the name ----------------------------------------------------------

enum class Prepared { Nothing, DirectoryOfThatName, HiddenDocumentOfThatName };

struct MissingCase {
    const char* name;
    const char* arguments;
    const char* shownName; // the name as the message must show it
    Prepared prepared = Prepared::Nothing;
};

class MissingFile : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingFile, IsReportedWithTheNameAsGivenAndEndsTheRun) {
    const MissingCase& c = GetParam();
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    if (c.prepared == Prepared::DirectoryOfThatName) {
        ASSERT_TRUE(CreateDirectoryA(folder.pathOf(c.shownName).c_str(), nullptr));
    }
    if (c.prepared == Prepared::HiddenDocumentOfThatName) {
        const std::string path = folder.write(c.shownName, DocumentBytes({}));
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    }

    VelkRun run(VelkProgram(), InFolder(c.arguments, folder), folder.path());
    ASSERT_TRUE(run.started());
    const ShownMessage expected{kProgramCaption,
                                "Unable to locate file: " + InFolder(c.shownName, folder)};
    EXPECT_EQ(run.answerMessage(), expected);
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, ExitCode(StartupOutcome::NotFound));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, MissingFile,
    ::testing::Values(
        MissingCase{"NameAlone", "missing.vlk", "missing.vlk"},
        MissingCase{"BlanksAroundTheNameAreDropped", "   missing.vlk   ", "missing.vlk"},
        MissingCase{"FullPath", "{folder}\\missing.vlk", "{folder}\\missing.vlk"},
        MissingCase{"PrintSwitchInLowerCase", "-p missing.vlk", "missing.vlk"},
        MissingCase{"PrintSwitchWithSlash", "/P missing.vlk", "missing.vlk"},
        MissingCase{"PrintAllSwitchInLowerCase", "/pa missing.vlk", "missing.vlk"},
        MissingCase{"MailSwitchInLowerCase", "-e missing.vlk", "missing.vlk"},
        MissingCase{"FaxSwitchInLowerCase", "/f missing.vlk", "missing.vlk"},
        MissingCase{"BuildingSwitchInLowerCase", "-bv missing.vlk", "missing.vlk"},
        MissingCase{"NameAfterASwitchKeepsItsCase", "-p MiSsInG.VlK", "MiSsInG.VlK"},
        MissingCase{"SwitchRunTogetherWithTheName", "/Pmissing.vlk", "/Pmissing.vlk"},
        MissingCase{"SwitchAlone", "-p", "-p"},
        MissingCase{"OnlyTheFirstSwitchIsHonoured", "/P /E missing.vlk", "/E missing.vlk"},
        MissingCase{"RegistrationWordWithMoreText", "-install missing.vlk", "-install missing.vlk"},
        MissingCase{"DirectoryIsNoFile", "folder.vlk", "folder.vlk", Prepared::DirectoryOfThatName},
        MissingCase{"HiddenFileDoesNotCount", "hidden.vlk", "hidden.vlk",
                    Prepared::HiddenDocumentOfThatName}),
    [](const auto& info) { return CaseName(info); });

// ---- the file exists but is no document ---------------------------------------------------

struct InvalidCase {
    const char* name;
    const char* fileName;
    std::vector<std::uint8_t> content;
    const char* arguments;
    const char* shownName;
};

class InvalidFile : public ::testing::TestWithParam<InvalidCase> {};

// Also: the document's title is not used as the caption once the header is refused, and a
// refused file is never deleted, whatever its header says.
TEST_P(InvalidFile, IsReportedOnTwoLinesAndKeptOnDisk) {
    const InvalidCase& c = GetParam();
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::string path = folder.write(c.fileName, c.content);
    ASSERT_FALSE(path.empty());

    VelkRun run(VelkProgram(), InFolder(c.arguments, folder), folder.path());
    ASSERT_TRUE(run.started());
    // A message box gives its text back as handed over: the line break stays one carriage return.
    const ShownMessage expected{kProgramCaption, "Invalid File: " + InFolder(c.shownName, folder) +
                                                     "\r" + "This file isn't a velk document."};
    EXPECT_EQ(run.answerMessage(), expected);
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, ExitCode(StartupOutcome::InvalidFile));
    EXPECT_TRUE(FileExists(path));
}

std::vector<std::uint8_t> Text(const std::string& text) {
    return {text.begin(), text.end()};
}

const std::vector<std::uint8_t> kLowerCaseMagic =
    DocumentBytes({.magic = "300a", .title = "Quarterly Report", .deleteOnClose = 1});

INSTANTIATE_TEST_SUITE_P(
    CommandLine, InvalidFile,
    ::testing::Values(
        InvalidCase{"MagicInLowerCase", "report.vlk", kLowerCaseMagic, "report.vlk", "report.vlk"},
        InvalidCase{"MagicInLowerCaseByFullPath", "report.vlk", kLowerCaseMagic,
                    "{folder}\\report.vlk", "{folder}\\report.vlk"},
        InvalidCase{"MagicOfAnotherVersion", "other.vlk",
                    DocumentBytes({.magic = "300B", .deleteOnClose = 1}), "other.vlk", "other.vlk"},
        InvalidCase{"PlainText", "notes.vlk", Text("These are notes, not a document.\r\n"),
                    "notes.vlk", "notes.vlk"},
        InvalidCase{"EmptyFileToPrint", "empty.vlk", {}, "-p empty.vlk", "empty.vlk"}),
    [](const auto& info) { return CaseName(info); });

// ---- a document opens -----------------------------------------------------------------------

struct ValidCase {
    const char* name;
    std::vector<std::uint8_t> content;
};

class ValidDocument : public ::testing::TestWithParam<ValidCase> {};

TEST_P(ValidDocument, OpensWithoutAMessage) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::string path = folder.write("document.vlk", GetParam().content);
    ASSERT_FALSE(path.empty());

    VelkRun run(VelkProgram(), "document.vlk", folder.path());
    ASSERT_TRUE(run.started());
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, ExitCode(StartupOutcome::Viewed));
    EXPECT_TRUE(FileExists(path));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ValidDocument,
    ::testing::Values(ValidCase{"OnePage", DocumentBytes({})},
                      // Only the mark is checked; what the file lacks reads as zeros.
                      ValidCase{"NothingButTheMark", Text("300A")}),
    [](const auto& info) { return CaseName(info); });

} // namespace
} // namespace velk_e2e
