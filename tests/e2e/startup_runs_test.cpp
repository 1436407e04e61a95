// velk.exe's start before its main window: a name that is missing or no document, read from
// the real message boxes; the system's open dialog when no name is given; the password
// dialog of a protected document; and a copy of velk.exe with a document appended (the batch
// switches are the mail tests'). Every other command line, what counts as the right password and
// the dialog's wording are rows of the unit tables (startup_test.cpp, command_line_test.cpp,
// password_dialog_test.cpp); these runs prove the wiring.

#include "resource.h"
#include "startup/startup.h"
#include "temp_folder.h"
#include "uidriver/controls.h"
#include "velk_run.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"
#include "writer/self_extracting.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

namespace velk_e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;
using velk::StartupOutcome;

constexpr const char* kTitle = "End-to-end Report";
// Controls of the common open dialog: the look-in box and the file-name box.
constexpr int kLookInBox = 0x471;
constexpr int kFileNameBox = 0x47C;

// A complete one-page document with a line of text.
vlkw::DocumentDescription OnePage(std::int16_t deleteOnClose = 0) {
    vlkw::DocumentDescription description;
    description.title = kTitle;
    description.deleteOnClose = deleteOnClose;
    description.pages.push_back(vlkw::PageBuilder()
                                    .font(0, 12.0f, vlkw::Rgb(0, 0, 0), "Arial")
                                    .text(1.0f, 1.0f, vlkw::kAlignLeft, "velk end-to-end test page")
                                    .bytes());
    return description;
}

DWORD Exit(StartupOutcome outcome) {
    return static_cast<DWORD>(outcome);
}

// Reported in a message box with the program's caption, not the document's title, which
// gives its text back as handed over: the line break stays one carriage return. A refused file
// is never deleted, whatever its header says.
TEST(CommandLine, AMissingOrInvalidFileIsReportedAndEndsTheRun) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    auto description = OnePage(1);
    description.overrides.header = [](vlkw::HeaderFields& header) { header.magic = "300a"; };
    const std::string path = folder.write("report.vlk", vlkw::WriteDocument(description));
    ASSERT_FALSE(path.empty());
    const std::tuple<std::string, std::string, StartupOutcome> cases[] = {
        {"-p   MiSsInG.VlK  ", "Unable to locate file: MiSsInG.VlK", StartupOutcome::NotFound},
        {path, "Invalid File: " + path + "\rThis file isn't a velk document.",
         StartupOutcome::InvalidFile},
    };
    for (const auto& [arguments, message, outcome] : cases) {
        VelkRun run(VelkProgram(), arguments, folder.path());
        ASSERT_TRUE(run.started());
        EXPECT_EQ(run.answerMessage(), (ShownMessage{kProgramCaption, message}));
        const RunEnd end = run.finish();
        EXPECT_THAT(end.messages, IsEmpty());
        EXPECT_EQ(end.exitCode, Exit(outcome));
    }
    EXPECT_TRUE(FileExists(path));
}

// The dialog starts in the current folder. Cancel ends the run silently; a chosen document
// is opened, marked temporary so that its deletion proves the whole start-up ran on it. The
// field is an INTEGER tested for nonzero: a bit of the high byte alone counts.
TEST(OpenDialog, AppearsInTheCurrentFolderAndOpensTheChosenDocumentOrNone) {
    for (const bool choose : {false, true}) {
        TempFolder folder;
        ASSERT_TRUE(folder.created());
        const std::string path = folder.write("chosen.vlk", vlkw::WriteDocument(OnePage(256)));
        ASSERT_FALSE(path.empty());
        VelkRun run(VelkProgram(), "", folder.path());
        ASSERT_TRUE(run.started());

        HWND dialog = run.waitForWindow({uidriver::kDialogClass, kOpenDialogCaption});
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(uidriver::ControlText(dialog, kFileNameBox), "*.vlk");
        EXPECT_EQ(uidriver::ControlText(dialog, kLookInBox),
                  folder.path().substr(folder.path().find_last_of('\\') + 1));
        if (choose) {
            ASSERT_TRUE(uidriver::SetControlText(dialog, kFileNameBox, "chosen.vlk"));
        }
        ASSERT_TRUE(uidriver::PressButton(dialog, choose ? IDOK : IDCANCEL));
        const RunEnd end = run.finish();
        EXPECT_THAT(end.messages, IsEmpty());
        // The main window of the chosen document, closed by the test.
        EXPECT_EQ(end.closedWindows.size(), choose ? 1u : 0u);
        EXPECT_EQ(end.exitCode, Exit(choose ? StartupOutcome::Viewed : StartupOutcome::Cancelled));
        EXPECT_EQ(FileExists(path), !choose);
    }
}

// A run of velk.exe on the document protected by the password "tiger", with its password
// dialog found.
struct PasswordRun {
    TempFolder folder;
    std::string path;
    std::optional<VelkRun> run;
    HWND dialog = nullptr;

    explicit PasswordRun(vlkw::DocumentDescription d, const char* caption = "Password Required") {
        d.password = "tiger";
        path = folder.write("protected.vlk", vlkw::WriteDocument(d));
        run.emplace(VelkProgram(), path, folder.path());
        dialog = run->waitForWindow({uidriver::kDialogClass, caption});
    }
    void type(const std::string& text) {
        uidriver::SetControlText(dialog, IDC_PASSWORD_EDIT, text);
        uidriver::PressButton(dialog, IDC_PASSWORD_OK);
    }
};

TEST(PasswordDialog, RightPasswordAfterAWrongOneOpensTheDocument) {
    PasswordRun r(OnePage());
    ASSERT_NE(r.dialog, nullptr);
    r.type("lion");
    EXPECT_EQ(r.run->answerMessage(), (ShownMessage{kTitle, "Invalid Password."}));
    r.type("tiger   "); // blanks after it do not count
    const RunEnd end = r.run->finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, Exit(StartupOutcome::Viewed));
}

TEST(PasswordDialog, ThreeWrongPasswordsInTheDocumentsWordingEndTheRunAndDeleteIt) {
    auto d = OnePage(1);
    d.replacementTexts = {"Kennwort erforderlich",
                          "Dieses Dokument ist geschuetzt.",
                          "Falsches Kennwort.",
                          "Falsches Kennwort. Ende.",
                          "&Weiter",
                          "&Abbrechen",
                          std::nullopt,
                          std::nullopt};
    PasswordRun r(d, "Kennwort erforderlich");
    ASSERT_NE(r.dialog, nullptr);
    EXPECT_EQ(uidriver::ControlText(r.dialog, IDC_PASSWORD_PROMPT),
              "Dieses Dokument ist geschuetzt.");
    EXPECT_EQ(uidriver::ControlText(r.dialog, IDC_PASSWORD_OK), "&Weiter");
    EXPECT_EQ(uidriver::ControlText(r.dialog, IDC_PASSWORD_CANCEL), "&Abbrechen");
    for (const char* answer :
         {"Falsches Kennwort.", "Falsches Kennwort.", "Falsches Kennwort. Ende."}) {
        r.type("a");
        EXPECT_EQ(r.run->answerMessage(), (ShownMessage{kTitle, answer}));
    }
    const RunEnd end = r.run->finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_THAT(end.closedWindows, IsEmpty());
    EXPECT_EQ(end.exitCode, Exit(StartupOutcome::PasswordRefused));
    EXPECT_FALSE(FileExists(r.path));
}

// A copy of velk.exe with a document appended views that document: no open dialog, no
// message, and the executable is never deleted, even when the document is marked temporary.
// How the trailer is read and which switches count are rows of the unit tables.
TEST(SelfExtractingViewer, ViewsItsOwnDocumentAndSurvives) {
    TempFolder folder;
    ASSERT_TRUE(folder.created());
    const std::vector<std::uint8_t> viewer = ReadFileBytes(VelkProgram());
    ASSERT_FALSE(viewer.empty());
    const std::string container = folder.write(
        "viewer.exe", vlkw::WriteSelfExtracting(viewer, vlkw::WriteDocument(OnePage(1))));
    ASSERT_FALSE(container.empty());

    // The mail switch is dropped in a self-extracting viewer: it views instead.
    VelkRun run(container, "/E", folder.path());
    ASSERT_TRUE(run.started());
    const RunEnd end = run.finish();
    EXPECT_THAT(end.messages, IsEmpty());
    // The main window with the document's title, and no open dialog.
    EXPECT_THAT(end.closedWindows, ElementsAre(Field(&uidriver::WindowInfo::caption, kTitle)));
    EXPECT_EQ(end.exitCode, Exit(StartupOutcome::Viewed));
    EXPECT_TRUE(FileExists(container));
}

} // namespace
} // namespace velk_e2e
