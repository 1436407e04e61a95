#include "startup/startup.h"
#include "support/documents.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace velk {
namespace {

using testing::MemoryFileSystem;
using testing::ShownMessage;

constexpr const char* kDoc = "C:\\docs\\report.vlk";
const std::string kProgram = "velk Print and Preview";
const std::string kRegister = "RegisterExtension";
const std::string kIsRegistered = "IsExtensionRegistered";

struct StartupRun {
    MemoryFileSystem files;
    testing::RecordingMessageBox box;
    testing::ScriptedOpenDialog dialog;
    testing::RecordingRegistration registration;
    testing::ScriptedPassword password;
    testing::RecordingViewer viewer;
    StartupServices services{files, box, dialog, registration, password, viewer};

    StartupOutcome operator()(const std::string& commandLine) {
        return RunStartup(commandLine, services);
    }
    void addDocument(const vlkw::DocumentDescription& d) {
        files.add(kDoc, vlkw::WriteDocument(d));
    }
};

TEST(Startup, AFileNotFoundOrNotOpenedIsReportedWithTheNameAsGiven) {
    const std::tuple<const char*, StartupOutcome, std::string> cases[] = {
        {"  C:\\docs\\missing.vlk  ", StartupOutcome::NotFound,
         "Unable to locate file: C:\\docs\\missing.vlk"},
        {"C:\\hidden.vlk", StartupOutcome::NotFound, "Unable to locate file: C:\\hidden.vlk"},
        {kDoc, StartupOutcome::OpenFailed, std::string("Unable to open file: ") + kDoc},
    };
    for (const auto& [line, outcome, message] : cases) {
        StartupRun run;
        run.files.add("C:\\hidden.vlk", vlkw::WriteDocument(testing::ThreePageReport())).hidden =
            true;
        run.files.add(kDoc, vlkw::WriteDocument(testing::ThreePageReport())).unopenable = true;
        EXPECT_EQ(run(line), outcome) << line;
        EXPECT_EQ(run.box.shown, (std::vector<ShownMessage>{{message, kProgram, 0x40}}));
        EXPECT_EQ(run.viewer.runs, 0);
    }
}

// Only the mark is checked, and what the file lacks reads as zeros; a file with a wrong mark
// is invalid and never deleted, whatever its header says.
TEST(Startup, WrongMarkIsAnInvalidFileThatIsNeverDeleted) {
    auto description = testing::ThreePageReport();
    description.deleteOnClose = 1;
    description.overrides.header = [](vlkw::HeaderFields& h) { h.magic = "300a"; };
    const std::string text = "These are notes.";
    const std::vector<std::uint8_t> contents[] = {
        vlkw::WriteDocument(description), {}, {text.begin(), text.end()}, {'3', '0', '0', 'A'}};
    for (const auto& content : contents) {
        const bool valid = content.size() == 4;
        StartupRun run;
        run.files.add(kDoc, content);
        EXPECT_EQ(run(std::string("-p ") + kDoc),
                  valid ? StartupOutcome::Viewed : StartupOutcome::InvalidFile);
        const ShownMessage invalid{std::string("Invalid File: ") + kDoc +
                                       "\rThis file isn't a velk document.",
                                   kProgram, 0x40};
        EXPECT_EQ(run.box.shown,
                  valid ? std::vector<ShownMessage>{} : std::vector<ShownMessage>{invalid});
        EXPECT_TRUE(run.files.contains(kDoc));
        EXPECT_TRUE(run.files.deleted.empty());
        EXPECT_EQ(run.viewer.runs, valid ? 1 : 0);
    }
}

TEST(Startup, OpenDialogIsAskedExactlyAndCancelEndsSilently) {
    for (const auto& answer : {std::optional<std::string>{}, std::optional<std::string>{"   "}}) {
        StartupRun run;
        run.dialog.answer = answer;
        EXPECT_EQ(run("   "), StartupOutcome::Cancelled);
        EXPECT_TRUE(run.box.shown.empty());
        EXPECT_TRUE(run.registration.calls.empty());
        ASSERT_EQ(run.dialog.requests.size(), 1u);
        const auto& r = run.dialog.requests[0];
        EXPECT_EQ(r.caption, "Open velk Document");
        EXPECT_EQ(r.initialName, "*.vlk");
        EXPECT_EQ(r.filter, "*.vlk");
        EXPECT_EQ(r.defaultExtension, ".vlk");
        EXPECT_EQ(r.initialDirectory, "");
        EXPECT_EQ(r.bufferSize, 256u);
        EXPECT_EQ(r.flags, 0x4u | 0x800u | 0x8000u | 0x80000u | 0x200000u);
    }
}

TEST(Startup, ChosenNameIsTrimmedAndOpenedOrARegistrationWord) {
    for (const bool word : {false, true}) {
        StartupRun run;
        run.addDocument(testing::ThreePageReport());
        run.dialog.answer = word ? std::string("-install") : std::string("  ") + kDoc + " ";
        EXPECT_EQ(run(""), word ? StartupOutcome::Registration : StartupOutcome::Viewed);
        EXPECT_EQ(run.viewer.fileName, word ? "" : kDoc);
        EXPECT_EQ(run.registration.calls, std::vector{word ? kRegister : kIsRegistered});
    }
}

TEST(Startup, RegistrationWordsEndTheRun) {
    const std::tuple<const char*, bool, bool, std::vector<std::string>, std::vector<std::string>>
        cases[] = {
            {"-install", false, true, {kRegister}, {}},
            {"/INSTALL", true, false, {kRegister}, {}},
            {"-INSTALLVERBOSE", false, true, {kRegister}, {"velk documents has been registered"}},
            {"/installverbose", false, false, {kRegister}, {"Couldn't register velk documents."}},
            {"-SHOWREG", true, true, {kIsRegistered, "ShowRegistration"}, {}},
            {"/ShowReg",
             false,
             true,
             {kIsRegistered},
             {".vlk extension IS NOT REGISTERED. Run velk.exe -install to register it."}},
        };
    for (const auto& [line, registered, succeeds, calls, messages] : cases) {
        StartupRun run;
        run.registration.registered = registered;
        run.registration.registerSucceeds = succeeds;
        EXPECT_EQ(run(line), StartupOutcome::Registration) << line;
        EXPECT_EQ(run.registration.calls, calls) << line;
        EXPECT_EQ(run.box.texts(), messages) << line;
        for (const auto& shown : run.box.shown) {
            EXPECT_EQ(shown.caption, kProgram);
        }
        EXPECT_TRUE(run.files.opened.empty()) << line;
    }
}

TEST(Startup, PlainViewerRegistersSilentlyOnlyWhenUnregistered) {
    const std::tuple<bool, bool, std::vector<std::string>> cases[] = {
        {false, true, {kIsRegistered, kRegister}},
        {true, true, {kIsRegistered}},
        {false, false, {kIsRegistered, kRegister}}, // a failure is not told
    };
    for (const auto& [registered, succeeds, calls] : cases) {
        StartupRun run;
        run.registration.registered = registered;
        run.registration.registerSucceeds = succeeds;
        run.addDocument(testing::ThreePageReport());
        EXPECT_EQ(run(kDoc), StartupOutcome::Viewed);
        EXPECT_EQ(run.registration.calls, calls);
        EXPECT_TRUE(run.box.shown.empty());
    }
}

// The request reaches the viewer as parsed (each switch a row of the command line table).
// Building mode does not read the option records, which would allow mail and fax again and
// name the mail's subject. A passed-on copy (any nonzero mark) withholds mail, fax and save.
TEST(Startup, ViewerGetsTheRequestAndTheOpenDocument) {
    const std::tuple<const char*, bool, bool, std::int32_t> cases[] = {
        {"C:\\docs\\report.vlk", false, false, 0},
        {"-PA C:\\docs\\report.vlk", true, false, 0},
        {"/BV C:\\docs\\report.vlk", false, true, 0},
        {kDoc, false, false, 1},
        {kDoc, false, false, -1},
    };
    for (const auto& [line, printAll, building, forwarded] : cases) {
        auto description = testing::ThreePageReport();
        description.allowMail = 0;
        description.allowFax = 0;
        description.allowSave = vlkw::kSaveAllowed;
        description.forwardedCopy = forwarded;
        StartupRun run;
        run.addDocument(description);
        EXPECT_EQ(run(line), StartupOutcome::Viewed) << line;
        ASSERT_EQ(run.viewer.runs, 1) << line;
        EXPECT_TRUE(run.viewer.fileOpen);
        EXPECT_EQ(run.viewer.fileName, kDoc);
        EXPECT_EQ(run.viewer.base, 0);
        EXPECT_EQ(run.viewer.request.printRequested, printAll) << line;
        EXPECT_EQ(run.viewer.request.printAllRequested, printAll) << line;
        EXPECT_EQ(run.viewer.request.building, building) << line;
        const bool mail = !building && forwarded == 0;
        EXPECT_EQ(run.viewer.header.allowMail, mail ? 1 : 0) << line << forwarded;
        EXPECT_EQ(run.viewer.header.allowFax, mail ? 1 : 0) << line << forwarded;
        EXPECT_EQ(run.viewer.header.allowSave != 0, forwarded == 0) << forwarded;
        EXPECT_EQ(run.viewer.mail.subject, building ? "" : "Report") << line;
    }
}

// A self-extracting viewer opens itself, its name trimmed, at its document's place: without
// the open dialog or registering, ignoring e-mail and fax, withholding mail, fax and save from
// the document, and never deleting itself. Registration words still end the run.
TEST(Startup, SelfExtractingViewerOpensItself) {
    const std::pair<const char*, bool> cases[] = {
        {"", false}, {"/E", false}, {"/P", true}, {"-INSTALL", false}};
    for (const auto& [line, print] : cases) {
        auto description = testing::ThreePageReport();
        description.deleteOnClose = 1;
        description.allowSave = vlkw::kSaveAllowed;
        StartupRun run;
        run.files.executable = "C:\\Tools\\report.exe ";
        run.files.add("C:\\Tools\\report.exe",
                      testing::SelfExtracting(4096, vlkw::WriteDocument(description)));
        const bool word = std::string(line) == "-INSTALL";
        EXPECT_EQ(run(line), word ? StartupOutcome::Registration : StartupOutcome::Viewed) << line;
        EXPECT_TRUE(run.dialog.requests.empty());
        EXPECT_EQ(run.registration.calls,
                  word ? std::vector{kRegister} : std::vector<std::string>{})
            << line;
        EXPECT_TRUE(run.files.deleted.empty()) << line;
        EXPECT_TRUE(run.files.contains("C:\\Tools\\report.exe"));
        ASSERT_EQ(run.viewer.runs, word ? 0 : 1) << line;
        if (!word) {
            EXPECT_EQ(run.viewer.fileName, "C:\\Tools\\report.exe");
            EXPECT_EQ(run.viewer.base, 4096);
            EXPECT_EQ(run.viewer.request.printRequested, print) << line;
            EXPECT_FALSE(run.viewer.request.mailRequested) << line;
            EXPECT_FALSE(run.viewer.request.faxRequested) << line;
            EXPECT_EQ(run.viewer.header.allowSave, 0) << line;
            EXPECT_EQ(run.viewer.header.allowMail, 0) << line;
            EXPECT_EQ(run.viewer.header.allowFax, 0) << line;
        }
    }
}

TEST(Startup, TemporaryDocumentIsDeletedAfterViewingPrintingAndARefusedPasswordOthersKept) {
    // The field is an INTEGER tested for nonzero: any bit of either byte counts.
    const std::tuple<const char*, std::int16_t, const char*, bool, StartupOutcome, int> cases[] = {
        {"C:\\docs\\report.vlk", 1, "", true, StartupOutcome::Viewed, 1},
        {"/P C:\\docs\\report.vlk", -1, "", true, StartupOutcome::Viewed, 1},
        {"/PA C:\\docs\\report.vlk", 1, "", true, StartupOutcome::NotPrinted, 1},
        // One character is a password too.
        {"C:\\docs\\report.vlk", 256, "s", false, StartupOutcome::PasswordRefused, 0},
        {"C:\\docs\\report.vlk", 1, "secret", true, StartupOutcome::Viewed, 1},
        {"C:\\docs\\report.vlk", 0, "", true, StartupOutcome::Viewed, 1},
    };
    for (const auto& [line, deleteOnClose, password, accept, outcome, viewerRuns] : cases) {
        auto description = testing::ThreePageReport();
        description.deleteOnClose = deleteOnClose;
        description.password = password;
        StartupRun run;
        run.password.accept = accept;
        run.viewer.outcome = outcome; // how the viewer's printing or viewing ended
        run.addDocument(description);
        EXPECT_EQ(run(line), outcome) << line;
        EXPECT_EQ(run.viewer.runs, viewerRuns);
        EXPECT_EQ(run.password.asked, std::string(password).empty() ? 0 : 1);
        const bool deleted = deleteOnClose != 0;
        EXPECT_EQ(run.files.deleted,
                  deleted ? std::vector<std::string>{kDoc} : std::vector<std::string>{})
            << deleteOnClose;
        EXPECT_EQ(run.files.contains(kDoc), !deleted);
    }
}

TEST(Startup, PasswordPromptAndViewerSeeTheDocumentsOwnWording) {
    auto description = testing::ThreePageReport();
    description.password = "secret";
    description.replacementTexts[1] = "Dieses Dokument ist geschuetzt.";
    description.replacementTexts[6] = "Ganze Seite";
    StartupRun run;
    run.addDocument(description);
    run(kDoc);
    EXPECT_EQ(run.password.promptSeen, "Dieses Dokument ist geschuetzt.");
    EXPECT_EQ(run.viewer.fitWindowText, "Ganze Seite");
}

} // namespace
} // namespace velk
