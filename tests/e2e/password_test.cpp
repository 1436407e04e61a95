// A protected document opens only after its password is typed in velk.exe's password dialog.
// What counts as the right password, and the dialog's wording, are rows of the unit tables
// (password_test.cpp); these runs prove the real dialog's wiring.

#include "resource.h"
#include "startup/startup.h"
#include "temp_folder.h"
#include "velk_run.h"
#include "writer/document_writer.h"
#include "writer/page_builder.h"

#include "uidriver/controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velk_e2e {
namespace {

using ::testing::IsEmpty;

constexpr const char* kTitle = "Payroll March";

vlkw::DocumentDescription ProtectedDocument(const std::string& password) {
    vlkw::DocumentDescription d;
    d.title = kTitle;
    d.password = password;
    d.pages.push_back(
        vlkw::PageBuilder().font(0, 12.0f, 0, "Arial").text(1, 1, 0, "salaries").bytes());
    return d;
}

DWORD Exit(velk::StartupOutcome outcome) {
    return static_cast<DWORD>(outcome);
}

// A run of velk.exe on a protected document, with its password dialog found.
struct PasswordRun {
    TempFolder folder;
    std::string path;
    std::optional<VelkRun> run;
    HWND dialog = nullptr;

    explicit PasswordRun(const vlkw::DocumentDescription& d,
                         const char* caption = "Password Required") {
        path = folder.write("protected.vlk", vlkw::WriteDocument(d));
        run.emplace(VelkProgram(), path, folder.path());
        dialog = run->waitForWindow({uidriver::kDialogClass, caption});
    }
    void type(const std::string& text) {
        uidriver::SetControlText(dialog, IDC_PASSWORD_EDIT, text);
        uidriver::PressButton(dialog, IDC_PASSWORD_OK);
    }
};

TEST(PasswordDialog, RightPasswordAtTheThirdAttemptOpensTheDocument) {
    PasswordRun r(ProtectedDocument("tiger"));
    ASSERT_NE(r.dialog, nullptr);
    r.type("lion");
    EXPECT_EQ(r.run->answerMessage(), (ShownMessage{kTitle, "Invalid Password."}));
    r.type(" tiger"); // a blank in front makes it wrong
    EXPECT_EQ(r.run->answerMessage(), (ShownMessage{kTitle, "Invalid Password."}));
    r.type("tiger   "); // blanks after it do not
    const RunEnd end = r.run->finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_EQ(end.exitCode, Exit(velk::StartupOutcome::Viewed));
}

TEST(PasswordDialog, ThreeWrongPasswordsInTheDocumentsWordingEndTheRunAndDeleteIt) {
    auto d = ProtectedDocument("tiger");
    d.deleteOnClose = 1;
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
    r.type("a");
    EXPECT_EQ(r.run->answerMessage(), (ShownMessage{kTitle, "Falsches Kennwort."}));
    r.type("b");
    EXPECT_EQ(r.run->answerMessage(), (ShownMessage{kTitle, "Falsches Kennwort."}));
    r.type("c");
    EXPECT_EQ(r.run->answerMessage(), (ShownMessage{kTitle, "Falsches Kennwort. Ende."}));
    const RunEnd end = r.run->finish();
    EXPECT_THAT(end.messages, IsEmpty());
    EXPECT_THAT(end.closedWindows, IsEmpty());
    EXPECT_EQ(end.exitCode, Exit(velk::StartupOutcome::PasswordRefused));
    EXPECT_FALSE(FileExists(r.path));
}

} // namespace
} // namespace velk_e2e
